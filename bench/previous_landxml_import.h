// The LandXML import before its station equations were placed by a binary
// search: see previous_landxml_import.cpp. Not used by the program.
#pragma once

#include "io/landxml/landxml_import.h"

namespace tarnvel::previous {

FileOutcome<LandXmlAlignment> ParseLandXmlAlignment(const QString& path, QByteArrayView bytes,
                                                    const QString& alignment = {},
                                                    const JointTolerances& tolerances = {});

}  // namespace tarnvel::previous
