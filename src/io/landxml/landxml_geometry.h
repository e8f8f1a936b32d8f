// The geometry of a LandXML import: each Line, Curve or Spiral as read
// (landxml_reader) made into one element's values and length, in the file's
// units, before any station is given. Shared by the import's own files only.
#pragma once

#include <QLatin1StringView>
#include <QString>
#include <QXmlStreamAttributes>
#include <optional>
#include <string>

#include "core/route/route.h"
#include "io/landxml/landxml_numbers.h"
#include "io/landxml/landxml_reader.h"

namespace tarnvel::landxml {

inline constexpr double kHalfTurnDegrees = 180;
inline constexpr double kFullTurnDegrees = 360;
inline constexpr double kQuarterTurnDegrees = 90;

// Into (−180, 180].
double ReduceHalfTurn(double degrees);

// One element as read, before stations are given.
struct Built {
  ElementValues values;  // K0, K1 set later
  double length = 0;
  std::string name;
};

class Builder {
 public:
  // Takes the file's units at once, refusing any Tarnvel cannot import.
  explicit Builder(const Reader& reader) : reader_(reader) { ReadUnits(); }

  Built Build(const RawGeometry& g);

  // The file's `dirEnd` of an element in decimal degrees, if it gives one.
  std::optional<double> EndDirection(const RawGeometry& g);

  // A number attribute of an element or equation: nothing when absent,
  // refused when present but not a finite number.
  std::optional<double> Finite(int line, const QString& element,
                               const QXmlStreamAttributes& attributes, QLatin1StringView name);
  std::optional<double> Finite(const RawGeometry& g, QLatin1StringView name);

  [[noreturn]] void Refuse(const RawGeometry& g, const QString& reason);

 private:
  void ReadUnits();
  AngleUnit UnitOf(const RawUnits& units, QLatin1StringView name);
  double DirectionField(const RawGeometry& g, QLatin1StringView name, double value) const;
  double Rotation(const RawGeometry& g);
  double SpiralRadius(const RawGeometry& g, QLatin1StringView name);
  double Azimuth(const RawGeometry& g, const RawPoint& from, const RawPoint& to);

  const Reader& reader_;
  AngleUnit angular_unit_ = AngleUnit::kRadians;
  AngleUnit direction_unit_ = AngleUnit::kRadians;
};

}  // namespace tarnvel::landxml
