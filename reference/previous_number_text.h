// The number texts and the table loop as they stood before the table was
// made to write its numbers straight into place, kept so that the
// benchmarks time both in one run and a test holds the new texts to the
// old ones byte for byte. Not used by the program.
#pragma once

#include <string>

#include "core/element/continuous_computation.h"

namespace tarnvel::previous {

char* WriteGeneralText(char* out, double x);
char* WriteFixedText(char* out, double x, int decimals);
char* WriteLabelText(char* out, double x, int decimals);
char* WriteDmsText(char* out, double v);

Outcome<std::string> ComputeTable(const TableFields& fields);

}  // namespace tarnvel::previous
