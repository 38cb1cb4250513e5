#pragma once
// What a parse routine reports about the piece it parsed.

namespace regexpr {

enum : int {
  flagNonEmpty = 1,      // never matches the empty string
  flagSingleChar = 2,    // one node matching exactly one character
  flagStartsRepeat = 4,  // begins with a repeated piece
};

}  // namespace regexpr
