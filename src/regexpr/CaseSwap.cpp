#include "cp1251/Cp1251Table.h"
#include "regexpr/RegExpr.h"

uint8_t SwapCaseByLocale(uint8_t c) { return cp1251::SwapCase[c]; }
