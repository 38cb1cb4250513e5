#pragma once
// What typing, pasting and leaving do to the text of a field with an edit mask.
// Texts are Windows-1251 bytes; positions count characters from 0.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "ui/inputs/MaskPattern.h"

struct TMaskedText {
  std::string Text;
  size_t Caret = 0;
};

// The highlighted part [selectionStart, selectionStart + selectionLength) goes first;
// nullopt means the keystroke is dropped and the text stays as it was. Characters the
// mask demands after c are inserted with it; the text after the caret stays only when
// all of it can still follow.
std::optional<TMaskedText> TypeCharacter(const TMaskPattern& pattern, std::string_view text, size_t selectionStart,
                                         size_t selectionLength, char c);

// The pasted text replaces the highlighted part; then every character of the whole
// new text that the mask cannot take at its place is left out. The caret ends
// behind what is left of the pasted text.
TMaskedText PasteText(const TMaskPattern& pattern, std::string_view text, size_t selectionStart, size_t selectionLength,
                      std::string_view pasted);

// The empty text always passes.
bool FullMatch(const TMaskPattern& pattern, std::string_view text);
