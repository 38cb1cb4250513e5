#pragma once
// Reads a field's text one character at a time against a compiled mask. The mask
// may be ambiguous ("\d{1,3}\d{2}"), so the state is the set of every place the
// text read so far can have reached.

#include <optional>
#include <utility>
#include <vector>

#include "ui/inputs/MaskPattern.h"

class TMaskAutomaton {
 public:
  // The pattern must outlive the automaton.
  explicit TMaskAutomaton(const TMaskPattern& pattern);

  bool CanTake(char c) const;
  // Advances and returns true when the character can be taken; otherwise the state stays.
  bool Take(char c);
  // The text read so far matches the whole mask.
  bool IsAccepting() const;
  // The one character the mask demands next, when it allows no other and the text
  // cannot end here.
  std::optional<char> ForcedNext() const;

 private:
  // (item index, characters read into that item); counts of unbounded items stop at
  // their minimum so that the state set stays finite.
  using TPlace = std::pair<int, int>;

  void AddWithSkips(std::vector<TPlace>& places, TPlace place) const;

  const TMaskPattern* pattern_;
  std::vector<TPlace> places_;
};
