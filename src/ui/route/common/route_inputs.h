// The route window's typed inputs read strictly: a number in a box, a
// station, or the list of offsets; a blank or bad box gives the message that
// names it.
#pragma once

#include <QString>
#include <variant>
#include <vector>

class QLineEdit;

namespace tarnvel {

// A number read strictly; a blank box is missing.
std::variant<QString, double> ReadInput(const QLineEdit* box);

// A route station: metres or K text with any letter prefix (ReadStationText);
// a blank box is missing.
std::variant<QString, double> ReadStationInput(const QLineEdit* box);

// A point on the route: a station as ReadStationInput reads it, which may
// end in the suffix of a pass over a 长链's repeated stretch ("K1+195_2",
// SplitStationPass); without one, the first pass.
struct RouteStationInput {
  double station = 0;
  int pass = 1;
};
std::variant<QString, RouteStationInput> ReadRouteStationInput(const QLineEdit* box);

// Why a typed station does not read, to follow what names where it was typed
// ("输入“起点里程”", "第3行“起点桩号K”"): the text quoted, as a station when
// it begins as K text does, else as a number.
QString NotAStationText(const QString& typed);

// "-10, 0, 10": commas (full-width too) or spaces between the values.
std::variant<QString, std::vector<double>> ReadOffsets(const QLineEdit* box);

}  // namespace tarnvel
