// The forward computation as the main window runs it: from the texts of the
// fields it reads to a refusal or the texts of its three results.
#pragma once

#include <string>

#include "core/element/line_element.h"
#include "core/text/refusal.h"

namespace tarnvel {

struct ForwardFields {
  ElementTexts element;
  std::string station;  // metres
  std::string offset;   // metres, negative to the left
  std::string skew;     // d.mmss
};

struct ForwardTexts {
  std::string x;        // four decimals
  std::string y;        // four decimals
  std::string azimuth;  // degree–minute–second text

  bool operator==(const ForwardTexts&) const = default;
};

// Checks, in order: the element fields, station, offset and skew for blanks;
// the element's start and end stations as numbers; the element's values; the
// station within K0…K1 (ends included); offset and skew as numbers; a finite
// result.
Outcome<ForwardTexts> ComputeForward(const ForwardFields& fields);

}  // namespace tarnvel
