#include "RegExpr.h"

ERegExpr::ERegExpr(const std::string& message, int errorNumber, int errorPosition)
    : std::runtime_error(message), ErrorNumber(errorNumber), ErrorPosition(errorPosition) {}

std::string TRegExpr::ErrorMessage(int code) {
  switch (code) {
    case 0: return "No errors";
    case 100: return "TRegExpr(comp): Null Argument";
    case 101: return "TRegExpr(comp): Regexp Too Big";
    case 102: return "TRegExpr(comp): ParseReg Too Many ()";
    case 103: return "TRegExpr(comp): ParseReg Unmatched ()";
    case 104: return "TRegExpr(comp): ParseReg Unmatched ()";
    case 105: return "TRegExpr(comp): ParseReg Junk On End";
    case 106: return "TRegExpr(comp): *+ Operand Could Be Empty";
    case 107: return "TRegExpr(comp): Nested *?+";
    case 108: return "TRegExpr(comp): Bad Hex Digit";
    case 109: return "TRegExpr(comp): Invalid [] Range";
    case 110: return "TRegExpr(comp): Parse Atom Trailing \\";
    case 111: return "TRegExpr(comp): No Hex Code After \\x";
    case 112: return "TRegExpr(comp): Hex Code After \\x Is Too Big";
    case 113: return "TRegExpr(comp): Unmatched []";
    case 114: return "TRegExpr(comp): Internal Urp";
    case 115: return "TRegExpr(comp): ?+*{ Follows Nothing";
    case 116: return "TRegExpr(comp): Trailing \\";
    case 119: return "TRegExpr(comp): RarseAtom Internal Disaster";
    case 122: return "TRegExpr(comp): BRACES Argument Too Big";
    case 124: return "TRegExpr(comp): BRACE Min Param Greater then Max";
    case 125: return "TRegExpr(comp): Unclosed (?#Comment)";
    case 126:
      return "TRegExpr(comp): If you want take part in beta-testing BRACES '{min,max}' and non-greedy ops "
             "'*?', '+?', '?" "?' for complex cases - remove '.' from {.$DEFINE ComplexBraces}";
    case 127: return "TRegExpr(comp): Urecognized Modifier";
    case 128: return "TRegExpr(comp): LinePairedSeparator must countain two different chars or no chars at all";
    case 1000: return "TRegExpr(exec): RegRepeat Called Inappropriately";
    case 1001: return "TRegExpr(exec): MatchPrim Memory Corruption";
    case 1002: return "TRegExpr(exec): MatchPrim Corrupted Pointers";
    case 1003: return "TRegExpr(exec): Not Assigned Expression Property";
    case 1004: return "TRegExpr(exec): Corrupted Program";
    case 1005: return "TRegExpr(exec): No Inpit String Specified";
    case 1006: return "TRegExpr(exec): Offset Must Be Greater Then 0";
    case 1007: return "TRegExpr(exec): ExecNext Without Exec[Pos]";
    case 1008: return "TRegExpr(exec): GetInputString Without InputString";
    case 1011: return "TRegExpr(dump): Corrupted Opcode";
    case 1014: return "TRegExpr(exec): Loop Stack Exceeded";
    case 1015: return "TRegExpr(exec): Loop Without LoopEntry !";
    case 1016: return "TRegExpr(exec): Match Recursion Too Deep";
    case 1017: return "TRegExpr(exec): Too Many Backtracking Steps";
    case 1018:
      // The one text meant for the person at the window, so in Russian: "Выражение требует
      // слишком много вычислений, поиск прерван. Упростите выражение".
      return "TRegExpr(exec): "
             "\xC2\xFB\xF0\xE0\xE6\xE5\xED\xE8\xE5 \xF2\xF0\xE5\xE1\xF3\xE5\xF2 \xF1\xEB\xE8\xF8\xEA\xEE\xEC \xEC\xED\xEE\xE3\xEE \xE2\xFB\xF7\xE8\xF1\xEB\xE5\xED\xE8\xE9, \xEF\xEE\xE8\xF1\xEA \xEF\xF0\xE5\xF0\xE2\xE0\xED. "
             "\xD3\xEF\xF0\xEE\xF1\xF2\xE8\xF2\xE5 \xE2\xFB\xF0\xE0\xE6\xE5\xED\xE8\xE5";
    default: return "Unknown error";
  }
}

int TRegExpr::ParseOffset() const {
  if (ParseCursor_ == nullptr || ExpressionStart_ == nullptr) return 0;
  return static_cast<int>(ParseCursor_ - ExpressionStart_);
}

void TRegExpr::RaiseError(int code) const {
  std::string message = ErrorMessage(code);
  if (code < 1000) message += " (pos " + std::to_string(ParseOffset()) + ")";
  throw ERegExpr(message, code, ParseOffset());
}
