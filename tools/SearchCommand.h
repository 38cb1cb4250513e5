#pragma once
// orlinar-data search: the window's search for scripts and for anyone without a
// display. Prints the lines found in the import format, in the grid's first order.

#include <span>

// arguments are those after "search". Returns 0 when lines were found and 1 when
// none were; throws EUsageError for wrong arguments and ECommandError for a
// directory that does not load, an unknown city or street or an engine error.
int SearchCommand(std::span<char* const> arguments);
