#include "ui/text/Text1251.h"

#include "cp1251/Cp1251Table.h"

QString FromCp1251(std::string_view bytes) {
  QString text(static_cast<qsizetype>(bytes.size()), Qt::Uninitialized);
  QChar* out = text.data();
  for (unsigned char b : bytes) *out++ = QChar(cp1251::CodePoints[b]);
  return text;
}

std::string ToCp1251(const QString& text) {
  std::string bytes;
  bytes.reserve(static_cast<size_t>(text.size()));
  for (QChar c : text) {
    const auto byte = cp1251::ByteOf(c.unicode());
    bytes.push_back(byte ? static_cast<char>(*byte) : '?');
  }
  return bytes;
}
