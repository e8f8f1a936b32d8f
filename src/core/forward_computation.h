// The forward computation as the main window runs it: from the texts of the
// fields it reads to a refusal or the texts of Label77, Label78 and Label79.
#pragma once

#include <string>

#include "line_element.h"
#include "refusal.h"

namespace tarnvel {

struct ForwardFields {
  ElementTexts element;
  std::string station;  // Text41, metres
  std::string offset;   // Text42, metres, negative to the left
  std::string skew;     // Text43, d.mmss
};

struct ForwardTexts {
  std::string x;        // Label77, four decimals
  std::string y;        // Label78, four decimals
  std::string azimuth;  // Label79, degree–minute–second text

  bool operator==(const ForwardTexts&) const = default;
};

// Checks, in order: the element fields and Text41–Text43 for blanks; Text1
// and Text2 as numbers; the element's values; the station within K0…K1
// (ends included); Text42 and Text43 as numbers; a finite result.
Outcome<ForwardTexts> ComputeForward(const ForwardFields& fields);

}  // namespace tarnvel
