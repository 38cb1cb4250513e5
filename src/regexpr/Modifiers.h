#pragma once
// The modifiers that select the dialect, named by one type: the index that the
// setter takes and the bit of the modifier word both come from a TModifier,
// so a bit can never be passed where an index is meant.

#include <cstdint>
#include <initializer_list>

// In index order, 1..6.
enum class TModifier : uint8_t { I = 1, R, S, G, M, X };

constexpr bool IsModifier(TModifier m) { return m >= TModifier::I && m <= TModifier::X; }

// The modifier word: bit 1 << (index - 1) for each modifier that is on.
class TModifiers {
 public:
  constexpr TModifiers() = default;
  constexpr TModifiers(std::initializer_list<TModifier> on) {
    for (TModifier m : on) Word_ |= Bit(m);
  }
  constexpr bool Has(TModifier m) const { return (Word_ & Bit(m)) != 0; }
  constexpr TModifiers With(TModifier m, bool on) const {
    TModifiers result = *this;
    result.Word_ = on ? (Word_ | Bit(m)) : (Word_ & ~Bit(m));
    return result;
  }
  constexpr int Word() const { return Word_; }
  friend constexpr bool operator==(TModifiers, TModifiers) = default;

 private:
  static constexpr int Bit(TModifier m) { return 1 << (static_cast<int>(m) - 1); }
  int Word_ = 0;
};

inline constexpr TModifiers DefaultModifiers{TModifier::I, TModifier::R, TModifier::S, TModifier::G};
