#pragma once
// Bounds that keep one execution from exhausting the stack or freezing the
// caller. Both lie far above what any expression needs over a directory line.

#include <cstdint>

namespace regexpr {

// Nested MatchPrim calls. A level costs about 300 bytes of stack, under 1 KB
// with sanitizer frames, so the bound stays well inside an 8 MB thread stack;
// a 255-byte line under a starred group nested five deep needs about 3000.
constexpr int MaxMatchDepth = 4000;

// MatchPrim calls in one Exec, about 15 ms of work; ordinary expressions over
// a 255-byte line stay below a quarter of it.
constexpr int64_t MaxMatchSteps = 1'000'000;

constexpr int ErrorMatchTooDeep = 1016;
constexpr int ErrorMatchTooLong = 1017;

}  // namespace regexpr
