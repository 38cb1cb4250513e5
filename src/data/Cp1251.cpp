#include "Cp1251.h"

#include <array>
#include <cstdint>

namespace {

// Code points of the bytes 0x80..0xBF; 0x98 has no character and keeps its C1 code
// so that every byte survives a round trip. 0xC0..0xFF are U+0410..U+044F.
constexpr std::array<char16_t, 64> HighHalf = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021,
    0x20AC, 0x2030, 0x0409, 0x2039, 0x040A, 0x040C, 0x040B, 0x040F,
    0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x0098, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F,
    0x00A0, 0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6, 0x00A7,
    0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407,
    0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6, 0x00B7,
    0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457};

char32_t CodePointOf(unsigned char byte) {
  if (byte < 0x80) return byte;
  if (byte >= 0xC0) return 0x0410 + (byte - 0xC0);
  return HighHalf[byte - 0x80];
}

std::optional<unsigned char> ByteOf(char32_t codePoint) {
  if (codePoint < 0x80) return static_cast<unsigned char>(codePoint);
  if (codePoint >= 0x0410 && codePoint <= 0x044F) return static_cast<unsigned char>(codePoint - 0x0410 + 0xC0);
  for (size_t i = 0; i < HighHalf.size(); ++i) {
    if (HighHalf[i] == codePoint) return static_cast<unsigned char>(0x80 + i);
  }
  return std::nullopt;
}

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
    const auto byte = c ? ByteOf(*c) : std::nullopt;
    if (!byte && !lossy) return std::nullopt;
    out += byte ? static_cast<char>(*byte) : '?';
  }
  return out;
}

}  // namespace

std::string Utf8FromCp1251(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size() * 2);
  for (char b : bytes) AppendUtf8(out, CodePointOf(static_cast<unsigned char>(b)));
  return out;
}

std::optional<std::string> Cp1251FromUtf8(std::string_view utf8) { return Convert(utf8, false); }

std::string Cp1251FromUtf8Lossy(std::string_view utf8) { return *Convert(utf8, true); }
