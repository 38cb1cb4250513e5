#pragma once
// The tool's failures of system calls: English text naming what failed and why.

#include <cerrno>
#include <cstring>
#include <stdexcept>
#include <string>

inline std::string ErrnoText() { return std::strerror(errno); }

// what, then errno's reason.
[[noreturn]] inline void FailWithErrno(const std::string& what) { throw std::runtime_error(what + ": " + ErrnoText()); }
