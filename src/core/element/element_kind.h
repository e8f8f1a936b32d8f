// What an element is, by its curvature: a straight, a circular arc or a
// transition spiral. The joint check and the plan ask here, so that they
// never disagree about one element.
#pragma once

#include "core/element/line_element.h"

namespace tarnvel {

// The signed curvature, 1/m, + turning right, at the start and at the end of
// an element as its centre line turns: 0 on a straight (Q = 0) and at an
// infinite radius.
double StartCurvature(const LineElement& element);
double EndCurvature(const LineElement& element);

// Two curvatures the same to nine significant digits: the same radius typed
// twice, not a jump.
bool SameCurvature(double a, double b);

enum class ElementKind { Straight, Arc, Spiral };

// A straight when neither end has a curvature (turn direction 0, whatever
// the radii, or both radii infinite), an arc when both ends have the same,
// a spiral otherwise.
ElementKind KindOf(const LineElement& element);

}  // namespace tarnvel
