// The route window's typed inputs read strictly: a number in a box, or the
// list of offsets; a blank or bad box gives the message that names it.
#pragma once

#include <QString>
#include <variant>
#include <vector>

class QLineEdit;

namespace tarnvel {

// A number read strictly; a blank box is missing.
std::variant<QString, double> ReadInput(const QLineEdit* box);

// "-10, 0, 10": commas (full-width too) or spaces between the values.
std::variant<QString, std::vector<double>> ReadOffsets(const QLineEdit* box);

}  // namespace tarnvel
