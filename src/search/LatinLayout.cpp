#include "search/LatinLayout.h"

#include <array>

#include "data/Cp1251.h"

namespace {

// The keys as the US layout labels them, each beside what ЙЦУКЕН puts there.
constexpr std::string_view UnshiftedKeys = "`qwertyuiop[]asdfghjkl;'zxcvbnm,./";
constexpr std::string_view ShiftedKeys = "~QWERTYUIOP{}ASDFGHJKL:\"ZXCVBNM<>?@#$^&|";
constexpr std::string_view UnshiftedRussian = "ёйцукенгшщзхъфывапролджэячсмитьбю.";
constexpr std::string_view ShiftedRussian = "ЁЙЦУКЕНГШЩЗХЪФЫВАПРОЛДЖЭЯЧСМИТЬБЮ,\"№;:?/";

using TLayout = std::array<unsigned char, 128>;

const TLayout& Layout() {
  static const TLayout layout = [] {
    TLayout table{};
    for (size_t b = 0; b < table.size(); ++b) table[b] = static_cast<unsigned char>(b);
    for (auto [keys, utf8] : {std::pair{UnshiftedKeys, UnshiftedRussian}, std::pair{ShiftedKeys, ShiftedRussian}}) {
      const std::string russian = Cp1251FromUtf8Lossy(utf8);  // one byte per key
      for (size_t k = 0; k < keys.size(); ++k) table[static_cast<unsigned char>(keys[k])] = russian[k];
    }
    return table;
  }();
  return layout;
}

}  // namespace

bool HasLatinLetters(std::string_view text) {
  for (char c : text) {
    if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z')) return true;
  }
  return false;
}

std::string RussianLayoutText(std::string_view latin) {
  const TLayout& layout = Layout();
  std::string russian(latin);
  for (char& c : russian) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < layout.size()) c = static_cast<char>(layout[byte]);
  }
  return russian;
}
