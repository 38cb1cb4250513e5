#pragma once
// The program's start-up order, from the name lists to the window's message loop.

// Returns the process exit code: 217 when the name lists cannot be read, 2 for a
// wrong option.
int RunOrlinar(int& argc, char** argv);
