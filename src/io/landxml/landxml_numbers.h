// Numbers and angles as a LandXML file carries them, and their way back into
// an element's fields. Kept apart from the reader and the writer so that the
// two agree on one conversion: an azimuth written by the export reads back to
// the very d.mmss field it came from.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tarnvel {

// The shortest text that reads back as exactly `value` (up to 17 significant
// digits, "1e+20" form for large or small magnitudes): an xs:double.
std::string RoundTripText(double value);

// An xs:double as LandXML writes it: surrounding white space allowed, "INF",
// "-INF" and "NaN" as XML Schema spells them. Nothing for any other text.
std::optional<double> ReadXsDouble(std::string_view text);

// The units of the angles and directions of a LandXML file. The schema's
// default, when a file declares none, is radians.
enum class AngleUnit { kRadians, kGrads, kDecimalDegrees, kDecimalDms };

// "radians", "grads", "decimal degrees" or "decimal dd.mm.ss"; nothing else.
std::optional<AngleUnit> AngleUnitNamed(std::string_view name);

// An angle in `unit` to decimal degrees (radians through the system's π).
double AngleToDegrees(double value, AngleUnit unit);

// Decimal degrees to the d.mmss of an element's F. When some d.mmss with at
// most `mostExactDecimals` (0 to 10) decimals of seconds converts
// (DmsToDegrees) to exactly `degrees`, the one with the fewest decimals is
// given: so an azimuth written as RoundTripText(DmsToDegrees(F)) comes back
// as F itself, 98.565562 and not 98.56556199999. Any other angle is rounded
// to 0.000001″ (an exact half to even), far below the 2″ of the joint
// tolerance. Minutes and seconds are in 0–59 and carried, so an F typed with
// 60 minutes or more (98.75, the same angle as 99.15) comes back in this
// form. The sign is kept: −10.5° gives −10.3. Magnitudes that cannot be
// split into seconds (from 2.5E+15°) and values that are not finite come
// back unchanged.
inline constexpr int kRoundedSecondDecimals = 6;
double DegreesToDmsField(double degrees, int mostExactDecimals = kRoundedSecondDecimals);

// How many decimals of seconds an angle written as `text` in decimal degrees
// can be trusted to: four fewer than its decimals of degrees (10^-(n+4)° is
// less than 0.36 × 10^-n″), from 6 to 10. A design program's 45.508333333333
// (30′29.9999999988″) is thus read as 45°30′30″, while Tarnvel's own
// shortest texts carry every digit of the field they came from.
int TrustedSecondDecimals(std::string_view text);

}  // namespace tarnvel
