#include "regexpr/CompiledProgram.h"

#include <utility>

#include "regexpr/Raise.h"

namespace regexpr {

TProgram::TProgram(std::string bytes, TModifiers modifiers, const TSearchAids& aids)
    : Bytes_(std::move(bytes)), Modifiers_(modifiers), Aids_(aids) {}

void TProgram::PrepareStartScan() const {
  StartScanReady_ = true;
  for (int c = 0; c < 256; ++c)
    StartScan_.Table[static_cast<size_t>(c)] = Aids_.FirstChars.test(static_cast<size_t>(c));
  StartScan_.SoleStart = 0;
  if (Aids_.FirstChars.count() == 1)
    for (int c = 1; c < 256; ++c)
      if (Aids_.FirstChars.test(static_cast<size_t>(c))) StartScan_.SoleStart = static_cast<uint8_t>(c);
}

const uint8_t* TProgram::CheckedNode(const uint8_t* node) const {
  if (node == nullptr || node < FirstNode() || node + NodeHeaderSize > End()) Raise(ErrorCorruptedPointers);
  return node;
}

}  // namespace regexpr
