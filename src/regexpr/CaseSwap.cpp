#include "Cp1251Table.h"
#include "RegExpr.h"

uint8_t SwapCaseByLocale(uint8_t c) { return cp1251::SwapCase[c]; }
