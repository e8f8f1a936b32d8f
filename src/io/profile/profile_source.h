// Where a profile comes from: the one place a command or a window turns the
// file the user named into a VerticalProfile, whatever kind of file it is.
#pragma once

#include <QString>

#include "core/profile/vertical_profile.h"
#include "io/files/file_refusal.h"

namespace tarnvel {

// A ".xml" file (IsLandXmlPath) is LandXML: the profile of the alignment
// named `alignment`, or of the file's first (ReadLandXmlProfile). Any other
// is the profile file (ReadProfileFile).
FileOutcome<VerticalProfile> LoadProfile(const QString& path, const QString& alignment = {});

}  // namespace tarnvel
