#include "io/profile/profile_source.h"

#include "io/landxml/landxml_import.h"
#include "io/profile/profile_file.h"
#include "io/route/route_source.h"

namespace tarnvel {

FileOutcome<VerticalProfile> LoadProfile(const QString& path, const QString& alignment) {
  if (IsLandXmlPath(path)) return ReadLandXmlProfile(path, alignment);
  return ReadProfileFile(path);
}

}  // namespace tarnvel
