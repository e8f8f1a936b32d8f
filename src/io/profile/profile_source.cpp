#include "profile_source.h"

#include "landxml_import.h"
#include "profile_file.h"
#include "route_source.h"

namespace tarnvel {

FileOutcome<VerticalProfile> LoadProfile(const QString& path, const QString& alignment) {
  if (IsLandXmlPath(path)) return ReadLandXmlProfile(path, alignment);
  return ReadProfileFile(path);
}

}  // namespace tarnvel
