// The ground surface's files: a points file ("点名,X,Y,H", or a .dat survey
// point file "点名,编码,Y,X,H") triangulated, or a LandXML surface as its
// faces give it.
#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

#include "core/surface/tin.h"
#include "io/files/file_refusal.h"

namespace tarnvel {

// A file whose name ends in ".xml" is LandXML (ParseLandXmlSurface); any
// other a points file read as ForEachFilePoint reads it, every point with
// its H (a line without one is refused), triangulated by TinOfPoints with
// `maxEdge`. The refusals name the file.
FileOutcome<TinFromPoints> ReadTinFile(const QString& path, std::optional<double> maxEdge);

// The first <Surface> of <Surfaces>: its <Pnts><P id="…">N E Z</P> and its
// <Faces><F>a b c</F>, a face with i="1" (invisible) left out. Refused: no
// surface, a point or face whose numbers do not read, a face naming a point
// the surface does not have.
ContentOutcome<Tin> ParseLandXmlSurface(const QByteArray& bytes);

}  // namespace tarnvel
