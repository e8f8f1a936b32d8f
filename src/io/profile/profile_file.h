// The profile file (变坡点表): one 变坡点 a line, 变坡点号, 桩号, 高程 and
// 竖曲线半径R. The first line is the profile's start and the last its end.
#pragma once

#include <QByteArray>
#include <QString>
#include <array>
#include <optional>
#include <string_view>
#include <vector>

#include "core/profile/vertical_profile.h"
#include "io/files/file_refusal.h"

namespace tarnvel {

inline constexpr std::array<std::string_view, 4> kProfileFieldNames = {"变坡点号", "桩号", "高程",
                                                                       "竖曲线半径R"};

// Reads the profile as the route's files are read: the same separators,
// encodings and header guess (IsHeader). The station is metres or K text;
// R may be empty or left out (0, a plain grade break) and must be 0 at the
// first and the last PVI. Refusals name the file, the line and the field;
// a profile that does not hold together (MakeVerticalProfile) is refused at
// the line of the PVI it names.
FileOutcome<VerticalProfile> ReadProfileFile(const QString& path);

// The same from the whole content of a file already read; the refusal says
// the line and field, for the caller to name the file (InFile).
ContentOutcome<VerticalProfile> ParseProfileFile(const QByteArray& bytes);

// The file's bytes as the route file is saved: a header line, then one PVI
// a line, numbers in their general decimal form (stations in metres, which
// read back to the same doubles), GBK, CR LF. A name holding a separator is
// refused, naming the PVI, and so is a text GBK cannot hold, and a PVI whose
// curve is a circle (a LandXML CircCurve): the file has no place for the
// kind, and its R would read back as a parabola's.
FileOutcome<QByteArray> ProfileFileBytes(const QString& path, const std::vector<Pvi>& pvis);

// Saves those bytes all or nothing.
std::optional<FileRefusal> SaveProfileFile(const QString& path, const std::vector<Pvi>& pvis);

}  // namespace tarnvel
