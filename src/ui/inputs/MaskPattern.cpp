#include "ui/inputs/MaskPattern.h"

#include <cctype>
#include <stdexcept>

namespace {

constexpr int kMaxCount = TMaskPattern::kMaxCount;

TCharSet Range(unsigned char first, unsigned char last) {
  TCharSet set;
  for (int c = first; c <= last; ++c) set.set(static_cast<size_t>(c));
  return set;
}

TCharSet Single(unsigned char c) {
  TCharSet set;
  set.set(c);
  return set;
}

TCharSet WordChars() {
  TCharSet set = Range('0', '9') | Range('A', 'Z') | Range('a', 'z') | Single('_');
  set |= Range(0xC0, 0xFF) | Single(0xA8) | Single(0xB8);  // Russian letters, Ё and ё
  return set;
}

TCharSet SpaceChars() { return Range('\t', '\r') | Single(' '); }

// Reads one mask left to right; every error names the mask and the offending offset.
class TMaskParser {
 public:
  explicit TMaskParser(std::string_view mask) : mask_(mask) {}

  std::vector<TMaskItem> Parse() {
    std::vector<TMaskItem> items;
    while (!AtEnd()) {
      TMaskItem item;
      item.Chars = Atom();
      Count(item);
      item.Chars.reset(0);
      items.push_back(item);
    }
    return items;
  }

 private:
  [[noreturn]] void Fail(const std::string& reason) const {
    throw std::invalid_argument("unsupported edit mask \"" + std::string(mask_) + "\": " + reason + " at offset " +
                                std::to_string(pos_));
  }

  bool AtEnd() const { return pos_ >= mask_.size(); }
  unsigned char Peek() const { return static_cast<unsigned char>(mask_[pos_]); }
  unsigned char Next() {
    if (AtEnd()) Fail("unexpected end");
    return static_cast<unsigned char>(mask_[pos_++]);
  }

  TCharSet Atom() {
    const unsigned char c = Next();
    switch (c) {
      case '\\': return Escape();
      case '[': return Class();
      case '.': return TCharSet().set();
      case '(':
      case ')':
      case '|':
      case '^':
      case '$': --pos_; Fail(std::string("groups, alternation and anchors are not supported: '") + char(c) + "'");
      case '*':
      case '+':
      case '?':
      case '{':
      case '}':
      case ']': --pos_; Fail(std::string("'") + char(c) + "' follows nothing");
      default: return Single(c);
    }
  }

  TCharSet Escape() {
    const unsigned char c = Next();
    switch (c) {
      case 'd': return Range('0', '9');
      case 'D': return ~Range('0', '9');
      case 'w': return WordChars();
      case 'W': return ~WordChars();
      case 's': return SpaceChars();
      case 'S': return ~SpaceChars();
      default:
        if (std::isalnum(c)) {
          --pos_;
          Fail(std::string("unknown escape '\\") + char(c) + "'");
        }
        return Single(c);
    }
  }

  TCharSet Class() {
    TCharSet set;
    const bool negated = !AtEnd() && Peek() == '^';
    if (negated) ++pos_;
    bool first = true;
    while (first || Peek() != ']') {
      if (AtEnd()) Fail("unclosed '['");
      set |= ClassMember();
      first = false;
      if (AtEnd()) Fail("unclosed '['");
    }
    ++pos_;
    return negated ? ~set : set;
  }

  TCharSet ClassMember() {
    const unsigned char c = Next();
    if (c == '\\') return Escape();
    if (pos_ + 1 < mask_.size() && Peek() == '-' && mask_[pos_ + 1] != ']') {
      ++pos_;
      unsigned char last = Next();
      if (last == '\\') last = Next();
      if (last < c) Fail("reversed range");
      return Range(c, last);
    }
    return Single(c);
  }

  void Count(TMaskItem& item) {
    if (AtEnd()) return;
    switch (Peek()) {
      case '?':
        item.Min = 0;
        item.Max = 1;
        break;
      case '*':
        item.Min = 0;
        item.Max = TMaskPattern::kUnbounded;
        break;
      case '+':
        item.Min = 1;
        item.Max = TMaskPattern::kUnbounded;
        break;
      case '{':
        ++pos_;
        Braces(item);
        break;
      default: return;
    }
    ++pos_;
    if (!AtEnd() && (Peek() == '?' || Peek() == '*' || Peek() == '+' || Peek() == '{')) Fail("a count follows a count");
  }

  // Leaves pos_ on the closing brace.
  void Braces(TMaskItem& item) {
    item.Min = Number();
    item.Max = item.Min;
    if (!AtEnd() && Peek() == ',') {
      ++pos_;
      item.Max = !AtEnd() && Peek() == '}' ? TMaskPattern::kUnbounded : Number();
    }
    if (AtEnd() || Peek() != '}') Fail("malformed count");
    if (item.Max != TMaskPattern::kUnbounded && item.Max < item.Min) Fail("count minimum above maximum");
  }

  int Number() {
    if (AtEnd() || !std::isdigit(Peek())) Fail("count without a number");
    int value = 0;
    while (!AtEnd() && std::isdigit(Peek())) {
      value = value * 10 + (Next() - '0');
      if (value > kMaxCount) Fail("count above " + std::to_string(kMaxCount));
    }
    return value;
  }

  std::string_view mask_;
  size_t pos_ = 0;
};

}  // namespace

TMaskPattern TMaskPattern::Compile(std::string_view mask) {
  TMaskPattern pattern;
  pattern.items_ = TMaskParser(mask).Parse();
  return pattern;
}

bool IsNoMask(std::string_view mask) { return mask.find_first_not_of(' ') == std::string_view::npos; }
