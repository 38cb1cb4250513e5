#pragma once
// The one way the engine's parts raise ERegExpr.

#include "regexpr/ErrorCodes.h"

namespace regexpr {

// position is the number of expression characters parsed, 0 outside a compilation.
[[noreturn]] void Raise(TErrorCode code, int position = 0);

}  // namespace regexpr
