#pragma once
// The numbers that ERegExpr carries. Callers compare ErrorNumber with them, so
// the numbers themselves never change; their texts are TRegExpr::ErrorMessage.

namespace regexpr {

enum TErrorCode : int {
  NoError = 0,

  // Compilation: the message carries the position in the expression.
  ErrorNullArgument = 100,
  ErrorTooBig = 101,  // no size limit applies, so never raised
  ErrorTooManyGroups = 102,
  ErrorUnclosedGroup = 103,
  ErrorUnopenedGroup = 104,
  ErrorJunkOnEnd = 105,  // no expression text reaches it
  ErrorEmptyOperand = 106,
  ErrorNestedQuantifier = 107,
  ErrorBadHexDigit = 108,
  ErrorInvalidRange = 109,
  ErrorTrailingBackslashInSet = 110,
  ErrorNoHexCode = 111,
  ErrorHexCodeTooBig = 112,
  ErrorUnmatchedBracket = 113,
  ErrorInternal = 114,  // a failed consistency check; no expression text reaches it
  ErrorFollowsNothing = 115,
  ErrorTrailingBackslash = 116,
  ErrorLiteralDisaster = 119,  // no expression text reaches it
  ErrorBracesTooBig = 122,
  ErrorBracesMinAboveMax = 124,
  ErrorUnclosedComment = 125,
  ErrorComplexBracesOff = 126,  // every brace form is supported, so never raised
  ErrorBadModifier = 127,
  // Raised by the separator setter, not the compiler, yet below 1000: its
  // message ends in position 0.
  ErrorBadPairedSeparator = 128,

  // Execution: the message is the text alone.
  FirstExecutionError = 1000,
  ErrorBadRepeatOperand = 1000,
  ErrorCorruptedNode = 1001,
  ErrorCorruptedPointers = 1002,
  ErrorNoExpression = 1003,
  ErrorCorruptedProgram = 1004,
  ErrorNoInput = 1005,
  ErrorBadOffset = 1006,
  ErrorExecNextWithoutExec = 1007,  // never raised
  ErrorNoInputToRead = 1008,        // never raised
  ErrorDumpCorruptedOpcode = 1011,  // never raised: a listing shows an unknown opcode instead
  ErrorBadModifierIndex = 1013,     // has no text of its own
  ErrorLoopStackExceeded = 1014,
  ErrorLoopWithoutEntry = 1015,
  // The bounds of MatchLimits.h.
  ErrorMatchTooDeep = 1016,
  ErrorMatchTooLong = 1017,
  ErrorStepBudgetSpent = 1018,  // the shared budget of a search
};

// Below the execution codes a message ends in the position in the expression.
constexpr bool MessageShowsPosition(int code) { return code < FirstExecutionError; }

}  // namespace regexpr
