#pragma once
// Bounds that keep one execution from exhausting the stack or freezing the
// caller. Both lie far above what any expression needs over a directory line.

#include <cstdint>

namespace regexpr {

// Nested MatchPrim calls; each level costs well under 1 KB of stack even with
// sanitizer frames, so the bound stays far inside an 8 MB thread stack.
constexpr int MaxMatchDepth = 3000;

// MatchPrim calls in one Exec: tens of milliseconds of work.
constexpr int64_t MaxMatchSteps = 1'000'000;

constexpr int ErrorMatchTooDeep = 1016;
constexpr int ErrorMatchTooLong = 1017;

}  // namespace regexpr
