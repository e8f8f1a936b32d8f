// Writing a route as a LandXML 1.2 alignment, for design and field software.
//
// One Alignment holds a CoordGeom with one element per route element, in
// route order: a Line where Q = 0, a Curve where RQ = RN ≠ 0, a clothoid
// Spiral otherwise (an infinite radius written "INF"). Each element's Start
// is its own typed start and its End (with a Curve's Center and a Spiral's
// PI) Tarnvel's computed end, so other software sees the geometry Tarnvel
// computes. Directions are decimal degrees clockwise from north, lengths and
// coordinates metres; every number is written in its shortest exact form, so
// that ReadLandXmlAlignment gives back every field bit for bit. The one
// exception is an element with Q = 0 and a radius other than 0: a Line has
// no radius, and the radii come back as 0 (the geometry is the same).
// The alignment starts at the first element's K0; each joint whose K0 is not
// the previous K1 gets a StaEquation (staBack the previous K1, staAhead the
// new K0, staInternal the station without equations).
#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <optional>

#include "core/profile/vertical_profile.h"
#include "core/route/route.h"
#include "io/files/file_refusal.h"

namespace tarnvel {

// The file's bytes (UTF-8), dated `when`; the alignment is called `name`.
QByteArray LandXmlAlignmentBytes(const Route& route, const QString& name, const QDateTime& when,
                                 const VerticalProfile* profile = nullptr);

// Writes the file all or nothing through SaveFileBytes, dated now.
std::optional<FileRefusal> SaveLandXmlAlignment(const QString& path, const Route& route,
                                                const QString& name,
                                                const VerticalProfile* profile = nullptr);

}  // namespace tarnvel
