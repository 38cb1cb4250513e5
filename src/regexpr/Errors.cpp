#include "regexpr/Raise.h"
#include "regexpr/RegExpr.h"

using namespace regexpr;

ERegExpr::ERegExpr(const std::string& message, int errorNumber, int errorPosition)
    : std::runtime_error(message), ErrorNumber(errorNumber), ErrorPosition(errorPosition) {}

// Callers and stored logs match these texts byte for byte, slips included ("RarseAtom",
// "Urecognized", "countain", "Greater then", "Inpit", "Urp"): leave them as they are.
std::string TRegExpr::ErrorMessage(int code) {
  switch (code) {
    case NoError: return "No errors";
    case ErrorNullArgument: return "TRegExpr(comp): Null Argument";
    case ErrorTooBig: return "TRegExpr(comp): Regexp Too Big";
    case ErrorTooManyGroups: return "TRegExpr(comp): ParseReg Too Many ()";
    case ErrorUnclosedGroup: return "TRegExpr(comp): ParseReg Unmatched ()";
    case ErrorUnopenedGroup: return "TRegExpr(comp): ParseReg Unmatched ()";
    case ErrorJunkOnEnd: return "TRegExpr(comp): ParseReg Junk On End";
    case ErrorEmptyOperand: return "TRegExpr(comp): *+ Operand Could Be Empty";
    case ErrorNestedQuantifier: return "TRegExpr(comp): Nested *?+";
    case ErrorBadHexDigit: return "TRegExpr(comp): Bad Hex Digit";
    case ErrorInvalidRange: return "TRegExpr(comp): Invalid [] Range";
    case ErrorTrailingBackslashInSet: return "TRegExpr(comp): Parse Atom Trailing \\";
    case ErrorNoHexCode: return "TRegExpr(comp): No Hex Code After \\x";
    case ErrorHexCodeTooBig: return "TRegExpr(comp): Hex Code After \\x Is Too Big";
    case ErrorUnmatchedBracket: return "TRegExpr(comp): Unmatched []";
    case ErrorInternal: return "TRegExpr(comp): Internal Urp";
    case ErrorFollowsNothing: return "TRegExpr(comp): ?+*{ Follows Nothing";
    case ErrorTrailingBackslash: return "TRegExpr(comp): Trailing \\";
    case ErrorLiteralDisaster: return "TRegExpr(comp): RarseAtom Internal Disaster";
    case ErrorBracesTooBig: return "TRegExpr(comp): BRACES Argument Too Big";
    case ErrorBracesMinAboveMax: return "TRegExpr(comp): BRACE Min Param Greater then Max";
    case ErrorUnclosedComment: return "TRegExpr(comp): Unclosed (?#Comment)";
    case ErrorComplexBracesOff:
      return "TRegExpr(comp): If you want take part in beta-testing BRACES '{min,max}' and non-greedy ops "
             "'*?', '+?', '?"
             "?' for complex cases - remove '.' from {.$DEFINE ComplexBraces}";
    case ErrorBadModifier: return "TRegExpr(comp): Urecognized Modifier";
    case ErrorBadPairedSeparator:
      return "TRegExpr(comp): LinePairedSeparator must countain two different chars or no chars at all";
    case ErrorBadRepeatOperand: return "TRegExpr(exec): RegRepeat Called Inappropriately";
    case ErrorCorruptedNode: return "TRegExpr(exec): MatchPrim Memory Corruption";
    case ErrorCorruptedPointers: return "TRegExpr(exec): MatchPrim Corrupted Pointers";
    case ErrorNoExpression: return "TRegExpr(exec): Not Assigned Expression Property";
    case ErrorCorruptedProgram: return "TRegExpr(exec): Corrupted Program";
    case ErrorNoInput: return "TRegExpr(exec): No Inpit String Specified";
    case ErrorBadOffset: return "TRegExpr(exec): Offset Must Be Greater Then 0";
    case ErrorExecNextWithoutExec: return "TRegExpr(exec): ExecNext Without Exec[Pos]";
    case ErrorNoInputToRead: return "TRegExpr(exec): GetInputString Without InputString";
    case ErrorDumpCorruptedOpcode: return "TRegExpr(dump): Corrupted Opcode";
    case ErrorLoopStackExceeded: return "TRegExpr(exec): Loop Stack Exceeded";
    case ErrorLoopWithoutEntry: return "TRegExpr(exec): Loop Without LoopEntry !";
    case ErrorMatchTooDeep: return "TRegExpr(exec): Match Recursion Too Deep";
    case ErrorMatchTooLong: return "TRegExpr(exec): Too Many Backtracking Steps";
    case ErrorStepBudgetSpent:
      // The one text meant for the person at the window, so in Russian: "Выражение требует
      // слишком много вычислений, поиск прерван. Упростите выражение".
      return "TRegExpr(exec): "
             "\xC2\xFB\xF0\xE0\xE6\xE5\xED\xE8\xE5 \xF2\xF0\xE5\xE1\xF3\xE5\xF2 \xF1\xEB\xE8\xF8\xEA\xEE\xEC \xEC\xED\xEE\xE3\xEE \xE2\xFB\xF7\xE8\xF1\xEB\xE5\xED\xE8\xE9, \xEF\xEE\xE8\xF1\xEA \xEF\xF0\xE5\xF0\xE2\xE0\xED. "
             "\xD3\xEF\xF0\xEE\xF1\xF2\xE8\xF2\xE5 \xE2\xFB\xF0\xE0\xE6\xE5\xED\xE8\xE5";
    default: return "Unknown error";
  }
}

void regexpr::Raise(TErrorCode code, int position) {
  std::string message = TRegExpr::ErrorMessage(code);
  if (MessageShowsPosition(code)) message += " (pos " + std::to_string(position) + ")";
  throw ERegExpr(message, code, position);
}
