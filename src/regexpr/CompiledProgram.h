#pragma once
// A compiled program and what is known about it. The compiler makes one and
// it never changes after that; several facts that only some executions need
// are worked out from the bytes at their first use, not at every compilation.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "regexpr/ChoiceDispatch.h"
#include "regexpr/Modifiers.h"
#include "regexpr/Program.h"
#include "regexpr/Settings.h"

namespace regexpr {

// What the compiler's analysis found, for the matcher's choice of start positions.
struct TSearchAids {
  TCharSet FirstChars;    // the characters a match can begin with
  uint8_t StartChar = 0;  // every match begins with it; 0 for none
  bool Anchored = false;  // every match begins at the start of the text
  int MustOffset = 0;     // into the program: a literal that every match contains
  int MustLength = 0;     // 0 for none
};

// Positions worth an attempt: a byte table tests faster than the bit set, and a
// set of one character can be found with memchr.
struct TStartScan {
  std::array<bool, 256> Table{};
  uint8_t SoleStart = 0;  // the one member of FirstChars, or 0
};

// Whether the failure memo can be trusted with a program (FailureMemo.cpp).
enum class TMemoFit : uint8_t { Unknown, Unsuitable, Suitable };

class TProgram {
 public:
  TProgram(std::string bytes, TModifiers modifiers, const TSearchAids& aids);

  std::string_view Bytes() const { return Bytes_; }
  const uint8_t* Base() const { return reinterpret_cast<const uint8_t*>(Bytes_.data()); }
  const uint8_t* FirstNode() const { return Base() + FirstNodeOffset; }
  const uint8_t* End() const { return Base() + Bytes_.size(); }
  // The modifiers it was compiled with.
  TModifiers Modifiers() const { return Modifiers_; }

  const TCharSet& FirstChars() const { return Aids_.FirstChars; }
  uint8_t StartChar() const { return Aids_.StartChar; }
  bool Anchored() const { return Aids_.Anchored; }
  bool HasMustString() const { return Aids_.MustLength > 0; }
  std::string_view MustString() const {
    return std::string_view(Bytes_).substr(static_cast<size_t>(Aids_.MustOffset),
                                           static_cast<size_t>(Aids_.MustLength));
  }

  // Worked out at first use; asked once per execution, so the known answer is inline.
  const TStartScan& StartScan() const {
    if (!StartScanReady_) PrepareStartScan();
    return StartScan_;
  }
  // Whether a match may consume nothing; errs towards yes. Raises for a next
  // pointer that leaves the program.
  bool MayMatchEmpty() const {
    if (!EmptyMatchKnown_) FindWhetherEmptyMatches();
    return EmptyMatchPossible_;
  }
  // The choices' dispatch under this case swap, rebuilt for another one.
  const TChoiceDispatches& ChoiceDispatches(TCaseSwapper swapper) const {
    if (!Dispatches_ || Dispatches_->Swapper() != swapper) Dispatches_.emplace(Bytes_, swapper);
    return *Dispatches_;
  }
  TMemoFit MemoFit() const { return MemoFit_; }
  TMemoFit AnalyseMemo() const;
  // By program byte, once the fit is Suitable: the memo row of the node that
  // starts there, or -1.
  const int32_t* MemoRows() const { return MemoRows_.data(); }
  int32_t MemoRowCount() const { return MemoRowCount_; }

 private:
  void PrepareStartScan() const;
  void FindWhetherEmptyMatches() const;
  const uint8_t* CheckedNode(const uint8_t* node) const;
  bool MayMatchEmptyFrom(const uint8_t* node, int& visits) const;
  bool FindMemoRows() const;

  std::string Bytes_;
  TModifiers Modifiers_;
  TSearchAids Aids_;
  // The facts of first use: a program serves one expression object, which
  // serves one caller at a time.
  mutable bool StartScanReady_ = false;
  mutable TStartScan StartScan_;
  mutable bool EmptyMatchKnown_ = false;
  mutable bool EmptyMatchPossible_ = true;
  mutable std::optional<TChoiceDispatches> Dispatches_;
  mutable TMemoFit MemoFit_ = TMemoFit::Unknown;
  mutable std::vector<int32_t> MemoRows_;
  mutable int32_t MemoRowCount_ = 0;
};

}  // namespace regexpr
