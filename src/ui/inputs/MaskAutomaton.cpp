#include "ui/inputs/MaskAutomaton.h"

#include <algorithm>

namespace {

bool Contains(const TMaskItem& item, char c) { return item.Chars.test(static_cast<unsigned char>(c)); }

bool HasRoom(const TMaskItem& item, int count) { return item.Max == TMaskPattern::kUnbounded || count < item.Max; }

}  // namespace

TMaskAutomaton::TMaskAutomaton(const TMaskPattern& pattern) : pattern_(&pattern) { AddWithSkips(places_, {0, 0}); }

void TMaskAutomaton::AddWithSkips(std::vector<TPlace>& places, TPlace place) const {
  const auto& items = pattern_->Items();
  while (true) {
    if (std::find(places.begin(), places.end(), place) != places.end()) return;
    places.push_back(place);
    const auto [index, count] = place;
    if (index == static_cast<int>(items.size()) || count < items[index].Min) return;
    place = {index + 1, 0};
  }
}

bool TMaskAutomaton::CanTake(char c) const {
  const auto& items = pattern_->Items();
  return std::any_of(places_.begin(), places_.end(), [&](TPlace place) {
    const auto [index, count] = place;
    return index < static_cast<int>(items.size()) && HasRoom(items[index], count) && Contains(items[index], c);
  });
}

bool TMaskAutomaton::Take(char c) {
  const auto& items = pattern_->Items();
  std::vector<TPlace> next;
  for (const auto& [index, count] : places_) {
    if (index == static_cast<int>(items.size())) continue;
    const TMaskItem& item = items[index];
    if (!HasRoom(item, count) || !Contains(item, c)) continue;
    const bool saturated = item.Max == TMaskPattern::kUnbounded && count >= item.Min;
    AddWithSkips(next, {index, saturated ? count : count + 1});
  }
  if (next.empty()) return false;
  places_ = std::move(next);
  return true;
}

bool TMaskAutomaton::IsAccepting() const {
  const int end = static_cast<int>(pattern_->Items().size());
  return std::any_of(places_.begin(), places_.end(), [end](TPlace place) { return place.first == end; });
}

std::optional<char> TMaskAutomaton::ForcedNext() const {
  if (IsAccepting()) return std::nullopt;
  std::optional<char> only;
  for (int b = 1; b < 256; ++b) {
    const char c = static_cast<char>(b);
    if (!CanTake(c)) continue;
    if (only) return std::nullopt;
    only = c;
  }
  return only;
}
