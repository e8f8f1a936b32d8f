// One line element: a straight, a circular arc or a transition spiral, along
// which the curvature changes linearly with length.
#pragma once

#include <array>
#include <optional>
#include <string>

#include "core/text/refusal.h"

namespace tarnvel {

// The texts of the eight element fields, in this order: start station, end
// station, start X, start Y, start azimuth (d.mmss), start radius, end
// radius, turn direction.
using ElementTexts = std::array<std::string, 8>;

// The element fields, and the names the messages give them.
inline constexpr std::array<Field, 8> kElementFields = {
    Field::StartStation, Field::EndStation,  Field::StartX,    Field::StartY,
    Field::StartAzimuth, Field::StartRadius, Field::EndRadius, Field::TurnDirection};
inline constexpr std::array<std::string_view, 8> kElementFieldNames = {
    "起点桩号K",   "止点桩号K",  "起点坐标X",  "起点坐标Y",
    "起点方位角F", "起点半径RQ", "止点半径RN", "曲线转角"};

// A typed radius of 0 (infinite) is held as this: its curvature of 1e-45 has
// no visible effect and keeps every formula finite.
inline constexpr double kInfiniteRadius = 1e45;

// The element as the computations use it. Stations and coordinates in
// metres; F in decimal degrees, clockwise from north (X); radii positive,
// kInfiniteRadius for a straight end; Q −1 left, 0 straight, 1 right.
struct LineElement {
  double K0 = 0, K1 = 0, X0 = 0, Y0 = 0, F = 0, RQ = 0, RN = 0, Q = 0;
};

// The emptiness test of the eight fields, in field order; the first blank
// field gives its "请输入…" refusal.
std::optional<Refusal> CheckElementFields(const ElementTexts& texts);

// SJ: loads the line element from the texts of its eight fields.
// Every field is read leniently, F from d.mmss to degrees, a radius of
// exactly 0 replaced by kInfiniteRadius. Never refuses.
LineElement SJ(const ElementTexts& texts);

// What the computations cannot take from a loaded element, in field order:
// a value beyond the double range, a length of zero (K1 = K0), and a turn
// direction other than −1, 0 or 1.
std::optional<Refusal> CheckElementValues(const LineElement& element);

// QXFWJ: the tangent azimuth of the centre line at station K.
// In decimal degrees, not reduced to 0–360. The radii are signed by Q here
// (unlike the position of CentreLinePoint).
// Before K0 and past K1 the curvature law is extended with its sign, as the
// position extends it: F plus the signed distance from K0 times the mean of
// the curvatures at K0 and K.
double QXFWJ(const LineElement& element, double K);

// The same, read afresh from the field texts.
double QXFWJ(const ElementTexts& texts, double K);

// What QXFWJ takes from the element alone, worked out once for a table
// instead of at every station: three of its four divisions. QXFWJ gives the
// same double, bit for bit, through either form.
struct AzimuthLaw {
  double K0 = 0;                // metres
  double F = 0;                 // decimal degrees
  double start_curvature = 0;   // 1/RQ, per metre, radii signed by Q unless Q = 0
  double curvature_change = 0;  // 1/RN − 1/RQ, signed alike
  double length = 0;            // |K1 − K0|, metres
};

AzimuthLaw MakeAzimuthLaw(const LineElement& element);
double QXFWJ(const AzimuthLaw& law, double K);

// The law's curvature at K, per metre, as QXFWJ turns by it: positive
// turning right, linear with the station, run on past the ends.
double CurvatureAt(const AzimuthLaw& law, double K);

}  // namespace tarnvel
