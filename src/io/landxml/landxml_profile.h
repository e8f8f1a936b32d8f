// The vertical profile of a LandXML import: the ProfAlign's PVI, ParaCurve
// and CircCurve elements as read (landxml_reader) made into a profile.
// Shared by the import's own files only.
#pragma once

#include "core/profile/vertical_profile.h"
#include "io/landxml/landxml_geometry.h"
#include "io/landxml/landxml_reader.h"

namespace tarnvel::landxml {

// Each element's text is "station elevation" and its `desc` the PVI's name
// (its place in the ProfAlign, counted from 1, where it has none). A PVI is
// a plain grade break; a ParaCurve's `length` L gives the parabola R =
// L/|ω| (no curve where the grades agree); a CircCurve is a true circle of
// its `radius`, whose arc must have its `length` to the millimetre. Refused,
// naming the file, the XML line and the element: a text or a value that is
// not a number, a negative length or radius, a curve at the first or last
// PVI, a circle whose length disagrees, and every refusal of
// MakeVerticalProfile.
VerticalProfile BuildProfile(const Reader& reader, Builder& builder, const RawProfAlign& raw);

}  // namespace tarnvel::landxml
