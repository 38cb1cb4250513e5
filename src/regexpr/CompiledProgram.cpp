#include "regexpr/CompiledProgram.h"

#include <utility>

#include "regexpr/Raise.h"

namespace regexpr {

TProgram::TProgram(std::string bytes, TModifiers modifiers, const TSearchAids& aids)
    : Bytes_(std::move(bytes)), Modifiers_(modifiers), Aids_(aids) {}

std::string_view TProgram::MustString() const {
  if (Aids_.MustLength == 0 || Bytes_.empty()) return {};
  return std::string_view(Bytes_).substr(static_cast<size_t>(Aids_.MustOffset), static_cast<size_t>(Aids_.MustLength));
}

const TStartScan& TProgram::StartScan() const {
  if (StartScanReady_) return StartScan_;
  StartScanReady_ = true;
  for (int c = 0; c < 256; ++c)
    StartScan_.Table[static_cast<size_t>(c)] = Aids_.FirstChars.test(static_cast<size_t>(c));
  StartScan_.SoleStart = 0;
  if (Aids_.FirstChars.count() == 1)
    for (int c = 1; c < 256; ++c)
      if (Aids_.FirstChars.test(static_cast<size_t>(c))) StartScan_.SoleStart = static_cast<uint8_t>(c);
  return StartScan_;
}

const uint8_t* TProgram::CheckedNode(const uint8_t* node) const {
  if (node == nullptr || node < FirstNode() || node + NodeHeaderSize > End()) Raise(ErrorCorruptedPointers);
  return node;
}

}  // namespace regexpr
