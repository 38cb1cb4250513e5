#include "Cp1251Literal.h"

#include <stdexcept>

#include "Cp1251.h"

std::string Cp(std::string_view utf8) {
  std::optional<std::string> bytes = Cp1251FromUtf8(utf8);
  if (!bytes) throw std::invalid_argument("not Windows-1251 text");
  return *bytes;
}
