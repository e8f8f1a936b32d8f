// Reading a route from a LandXML 1.2 alignment, as design software writes it.
//
// Each Line, Curve and Spiral of the alignment's CoordGeom becomes one route
// element:
// - its start (X, Y) from the element's Start point, written "northing
//   easting", so X then Y;
// - its start azimuth F from `dir` (Line) or `dirStart` (Curve, Spiral), in
//   the file's direction unit and taken as clockwise from north, else from
//   the points: Start→End for a Line, Start→PI or the Center for a Curve,
//   Start→PI for a Spiral; converted to d.mmss by DegreesToDmsField;
// - its length from `length`, else from the geometry (End for a Line;
//   `delta` or Center and End for a Curve; `theta` or the PI's deflection for
//   a Spiral, whose length is then 2θ/(1/RQ + 1/RN));
// - Curve: RQ = RN = `radius` (else |Start − Center|); Spiral: RQ from
//   `radiusStart`, RN from `radiusEnd`, "INF" or missing meaning infinite
//   (0); `rot` "cw" is a right turn (Q = 1), "ccw" a left one (Q = −1).
//
// The alignment's profile is read too (see landxml_profile): the first
// ProfAlign of its Profiles, with PVI, ParaCurve and CircCurve.
//
// Stations start at the alignment's `staStart` and run along the lengths;
// after each StaEquation they follow its `staAhead`, which makes the 断链.
// An equation at an element joint (to 0.1 mm of the internal station) starts
// the next element there; one within an element splits it in two, the second
// starting where Tarnvel computes the point, its tangent (to 0.000001″) and
// its radius at that distance.
//
// Nothing the file says twice is adjusted: Tarnvel computes each element's
// end and compares it with the file's End point (and `dirEnd`, where given);
// each comparison is reported, and one beyond the joint tolerances is 超限.
// The joints between elements are checked by CheckJoints on the route.
//
// Refused, naming the file, the XML line and the element: text that is not
// XML, a file declaring an entity kept in an outside file or a point whose
// text refers to an entity the reader cannot resolve (no entity is read from
// outside the file), a document that is not LandXML, no alignment (or none of the name
// asked for), an IrregularLine or Chain, a spiral other than a clothoid, a
// linear unit other than the metre, a station equation off the alignment or
// with decreasing stations (or beside an element of negative length, among
// which no place is defined), an UnsymParaCurve, any value that is missing
// or not a number where the element needs it, and a profile that does not
// hold together (MakeVerticalProfile). Every route rule of MakeRoute holds for
// what is given back.
#pragma once

#include <QByteArrayView>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>
#include <vector>

#include "core/profile/vertical_profile.h"
#include "core/route/route.h"
#include "core/route/route_joints.h"
#include "io/files/file_refusal.h"

namespace tarnvel {

// The most a LandXML file may hold: far more than the alignments of a large
// design with its surfaces, far less than would stall the program.
inline constexpr qsizetype kLandXmlReadLimit = 256 * 1024 * 1024;

// The file's End point of one element against Tarnvel's computed end.
struct LandXmlEndCheck {
  int element = 0;   // 1-based
  int line = 0;      // XML line of the End element
  double dX_mm = 0;  // file's End minus the computed end
  double dY_mm = 0;
  double d_mm = 0;
  bool hasAzimuth = false;  // the element gives `dirEnd`
  double daz_sec = 0;       // `dirEnd` minus the computed tangent, reduced
                            // to (−648000, 648000]
  bool closed = true;       // 闭合 within the tolerances, else 超限
};

// Whether a check is within the tolerances: 闭合 (true) or 超限. A result
// that is not a number is 超限.
bool EndCheckClosed(const LandXmlEndCheck& check, const JointTolerances& tolerances);

struct LandXmlAlignment {
  QString name;          // the alignment's `name`
  QStringList allNames;  // every alignment of the file, in file order
  Route route;
  std::vector<LandXmlEndCheck> endChecks;  // one per element with an End
  std::optional<VerticalProfile> profile;  // when the alignment has a ProfAlign
};

// Asked now and then during a long import with the bytes of the file read
// so far; false stops it, and the import gives back a refusal that says so
// (for the one who cancelled, not to be shown).
using LandXmlKeepGoing = std::function<bool(qint64 bytesRead)>;

// Reads the alignment named `alignment`, or the file's first when empty.
FileOutcome<LandXmlAlignment> ReadLandXmlAlignment(const QString& path,
                                                   const QString& alignment = {},
                                                   const JointTolerances& tolerances = {},
                                                   const LandXmlKeepGoing& keepGoing = {});

// The same from the file's bytes; `path` names the file in messages.
FileOutcome<LandXmlAlignment> ParseLandXmlAlignment(const QString& path, QByteArrayView bytes,
                                                    const QString& alignment = {},
                                                    const JointTolerances& tolerances = {},
                                                    const LandXmlKeepGoing& keepGoing = {});

// Just the profile of the alignment named `alignment` (the file's first
// when empty), for a profile given as a LandXML file: its plan geometry is
// not built. An alignment without a ProfAlign is refused.
FileOutcome<VerticalProfile> ReadLandXmlProfile(const QString& path, const QString& alignment = {});

// The same from the file's bytes; `path` names the file in messages.
FileOutcome<VerticalProfile> ParseLandXmlProfile(const QString& path, QByteArrayView bytes,
                                                 const QString& alignment = {});

}  // namespace tarnvel
