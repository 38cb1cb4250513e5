#include "ui/inputs/MaskRules.h"

#include <algorithm>

#include "ui/inputs/MaskAutomaton.h"

namespace {

bool TakeAll(TMaskAutomaton& automaton, std::string_view text) {
  return std::all_of(text.begin(), text.end(), [&](char c) { return automaton.Take(c); });
}

}  // namespace

std::optional<TMaskedText> TypeCharacter(const TMaskPattern& pattern, std::string_view text, size_t selectionStart,
                                         size_t selectionLength, char c) {
  const size_t start = std::min(selectionStart, text.size());
  const size_t end = start + std::min(selectionLength, text.size() - start);
  TMaskAutomaton automaton(pattern);
  if (!TakeAll(automaton, text.substr(0, start)) || !automaton.Take(c)) return std::nullopt;

  TMaskedText result{std::string(text.substr(0, start)) + c, 0};
  for (auto forced = automaton.ForcedNext(); forced; forced = automaton.ForcedNext()) {
    automaton.Take(*forced);
    result.Text += *forced;
  }
  result.Caret = result.Text.size();
  const std::string_view tail = text.substr(end);
  if (TakeAll(automaton, tail)) result.Text += tail;
  return result;
}

TMaskedText PasteText(const TMaskPattern& pattern, std::string_view text, size_t selectionStart, size_t selectionLength,
                      std::string_view pasted) {
  const size_t start = std::min(selectionStart, text.size());
  const size_t end = start + std::min(selectionLength, text.size() - start);
  const std::string whole = std::string(text.substr(0, start)).append(pasted).append(text.substr(end));
  const size_t pastedEnd = start + pasted.size();

  TMaskAutomaton automaton(pattern);
  TMaskedText result;
  for (size_t i = 0; i < whole.size(); ++i) {
    if (!automaton.Take(whole[i])) continue;
    result.Text += whole[i];
    if (i < pastedEnd) result.Caret = result.Text.size();
  }
  return result;
}

bool FullMatch(const TMaskPattern& pattern, std::string_view text) {
  if (text.empty()) return true;
  TMaskAutomaton automaton(pattern);
  return TakeAll(automaton, text) && automaton.IsAccepting();
}
