#include "data/Cp1251.h"

#include <array>

#include "cp1251/Cp1251Table.h"

namespace {

void AppendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

// Decodes one UTF-8 sequence at text[at]; advances at. nullopt for a malformed one
// (at then moves past its first byte).
std::optional<char32_t> DecodeUtf8(std::string_view text, size_t& at) {
  const auto lead = static_cast<unsigned char>(text[at++]);
  if (lead < 0x80) return lead;
  int extra = 0;
  char32_t c = 0;
  if ((lead & 0xE0) == 0xC0) {
    extra = 1, c = lead & 0x1F;
  } else if ((lead & 0xF0) == 0xE0) {
    extra = 2, c = lead & 0x0F;
  } else if ((lead & 0xF8) == 0xF0) {
    extra = 3, c = lead & 0x07;
  } else {
    return std::nullopt;
  }
  if (text.size() - at < static_cast<size_t>(extra)) return std::nullopt;
  for (int i = 0; i < extra; ++i) {
    const auto next = static_cast<unsigned char>(text[at]);
    if ((next & 0xC0) != 0x80) return std::nullopt;
    c = (c << 6) | (next & 0x3F);
    ++at;
  }
  constexpr char32_t smallest[] = {0, 0x80, 0x800, 0x10000};
  if (c < smallest[extra] || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return std::nullopt;
  return c;
}

std::optional<std::string> Convert(std::string_view utf8, bool lossy) {
  std::string out;
  out.reserve(utf8.size());
  size_t at = 0;
  while (at < utf8.size()) {
    const auto c = DecodeUtf8(utf8, at);
    const auto byte = c ? cp1251::ByteOf(*c) : std::nullopt;
    if (!byte && !lossy) return std::nullopt;
    out += byte ? static_cast<char>(*byte) : '?';
  }
  return out;
}

}  // namespace

// Each byte's UTF-8 spelling, so that long texts convert without a branch per byte.
struct TUtf8Spelling {
  char Bytes[3];
  unsigned char Size;
};

const std::array<TUtf8Spelling, 256>& Utf8Spellings() {
  static const std::array<TUtf8Spelling, 256> spellings = [] {
    std::array<TUtf8Spelling, 256> table{};
    for (size_t b = 0; b < table.size(); ++b) {
      std::string spelled;
      AppendUtf8(spelled, cp1251::CodePoints[b]);
      spelled.copy(table[b].Bytes, spelled.size());
      table[b].Size = static_cast<unsigned char>(spelled.size());
    }
    return table;
  }();
  return spellings;
}

void AppendUtf8FromCp1251(std::string& out, std::string_view bytes) {
  const std::array<TUtf8Spelling, 256>& spellings = Utf8Spellings();
  for (char b : bytes) {
    const TUtf8Spelling& spelling = spellings[static_cast<unsigned char>(b)];
    out.append(spelling.Bytes, spelling.Size);
  }
}

std::string Utf8FromCp1251(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size() * 2);
  AppendUtf8FromCp1251(out, bytes);
  return out;
}

std::optional<std::string> Cp1251FromUtf8(std::string_view utf8) { return Convert(utf8, false); }

std::string Cp1251FromUtf8Lossy(std::string_view utf8) { return *Convert(utf8, true); }
