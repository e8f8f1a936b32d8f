// The processor's vector state, as the computations need to find it.
#pragma once

namespace tarnvel {

// Marks the upper halves of the vector registers unused (VZEROUPPER), where
// the processor has them; elsewhere it does nothing.
//
// A library the programs load can leave them in use: Qt's string hash runs
// 256-bit AES instructions and returns without clearing them, and every
// QHash of strings calls it, from the first QCommandLineParser::addOption on.
// While they are in use, each switch between this code's SSE instructions and
// the AVX ones of libm's sin, cos and atan2 costs a state transition, which
// makes those calls 10 to 25 times slower on a Xeon of today. The
// computations a table or a batch runs once a row or a point (every forward
// point, the route inverse, a route's samples) call this on entry, so the
// state their caller left does not matter. Clearing the halves changes no
// result: the code compiled here keeps no value in them.
void ClearUpperVectorState() noexcept;

// Whether the upper halves are in use now: XINUSE bit 2 of XGETBV(1), where
// the processor has it; false elsewhere. For the benchmarks and tests.
bool UpperVectorStateInUse() noexcept;

}  // namespace tarnvel
