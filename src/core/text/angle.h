// Angle conventions of the whole system: d.mmss input, decimal degrees inside,
// degree–minute–second text on screen.
#pragma once

#include <cmath>
#include <string>

namespace tarnvel {

// The system's π: the double nearest to 3.14159265358979, about 3.1e-15 below
// the true value. Every conversion between degrees and radians uses it, so that
// results agree to the last digit with the tables surveyors already hold.
inline constexpr double kPi = 3.14159265358979;

inline constexpr double kMinutesPerDegree = 60;
inline constexpr double kSecondsPerMinute = 60;

// d.mmss (98.565562 is 98°56ˊ55.62″) to decimal degrees. The split into
// minutes and seconds is made on the shortest decimal digits of |v|, as the
// user typed them. Minutes or seconds of 60 and more are added as they stand
// (98.75 reads as 99.25). Not finite in, not finite out.
double DmsToDegrees(double v);

// Decimal degrees to text such as "98°56ˊ55.62″" (minute mark U+02CA).
// Seconds are rounded to 0.01″, an exact half to even; 60.00″ carries into
// the minutes and 60ˊ into the degrees. The angle is not reduced to 0–360.
// A negative angle gets a leading "-" unless every part rounds to zero.
std::string DegreesToDmsText(double v);
// The same written at `out` (room: kNumberTextRoom), returning its end.
char* WriteDmsText(char* out, double v);

// A tangent azimuth as a route prints it: reduced to [0°, 360°), then written
// as DegreesToDmsText writes it, and 0° for one that rounds up to 360°. A
// route's azimuth is its elements' start azimuths plus their turning, which
// runs past 360° and below 0° where a route turns through north.
std::string AzimuthDmsText(double degrees);

// Sine and cosine of an angle in degrees, through the system's π. Inline,
// so that a sine and a cosine of the same angle are taken in one call.
inline double SinDeg(double degrees) {
  return std::sin(kPi / 180 * degrees);
}
inline double CosDeg(double degrees) {
  return std::cos(kPi / 180 * degrees);
}

}  // namespace tarnvel
