#include "Cp1251Literal.h"

#include <stdexcept>

std::string Cp(std::string_view utf8) {
  std::string bytes;
  for (size_t i = 0; i < utf8.size(); ++i) {
    const auto lead = static_cast<unsigned char>(utf8[i]);
    if (lead < 0x80) {
      bytes.push_back(static_cast<char>(lead));
      continue;
    }
    if (i + 1 >= utf8.size()) throw std::invalid_argument("truncated UTF-8");
    const int code = ((lead & 0x1F) << 6) | (static_cast<unsigned char>(utf8[++i]) & 0x3F);
    if (code >= 0x410 && code <= 0x44F) bytes.push_back(static_cast<char>(0xC0 + code - 0x410));
    else if (code == 0x401) bytes.push_back(static_cast<char>(0xA8));
    else if (code == 0x451) bytes.push_back(static_cast<char>(0xB8));
    else throw std::invalid_argument("not a Russian letter");
  }
  return bytes;
}
