#pragma once
// Bounds that keep one execution from exhausting the stack or freezing the
// caller, and the figures they are reckoned in. All of them lie far above what
// an ordinary expression needs over a directory line.

#include <cstdint>

#include "regexpr/ErrorCodes.h"  // the codes raised at these bounds

namespace regexpr {

// Nested MatchPrim calls. A level costs about 300 bytes of stack, under 1 KB
// with sanitizer frames, so the bound stays well inside an 8 MB thread stack;
// a 255-byte line under a starred group nested five deep needs about 3000.
constexpr int MaxMatchDepth = 4000;

// A step is one node visited by the matcher, plus one for every eight
// characters that a repetition counts and one for every two that a literal or
// a back-reference compares, so that no kind of step costs much more than
// another. Measured with bench/regexpr/StepRateBench on the development machine
// (2 cores, shared, a RelWithDebInfo build): 93 to 240 million steps per second
// of processor time, the slowest for long chains of word-boundary tests.
// Reckoned at the slowest, so that the bounds hold whatever the expression.
constexpr int64_t StepsPerSecond = 90'000'000;

// Steps in one Exec: about 12 ms of ordinary steps, at most 22 ms of the slowest.
constexpr int64_t MaxMatchSteps = 2'000'000;

// Before this many steps of one execution the program is not worth the failure
// memo; ordinary expressions over a directory line stay below it.
constexpr int64_t MemoAfterSteps = 512;

}  // namespace regexpr
