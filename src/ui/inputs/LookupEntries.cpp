#include "ui/inputs/LookupEntries.h"

#include <algorithm>

TLookupEntries::TLookupEntries() : collator_(QLocale(QLocale::Russian, QLocale::Russia)) {
  collator_.setCaseSensitivity(Qt::CaseInsensitive);
}

void TLookupEntries::Clear() {
  entries_.clear();
  unsettled_ = false;
}

TLookupEntries::TEntry TLookupEntries::MakeEntry(const QString& text, int32_t value) const {
  return TEntry{text, text.toUpper(), collator_.sortKey(text), {value}};
}

int TLookupEntries::Add(const QString& text, int32_t value) {
  Settle();
  TEntry entry = MakeEntry(text, value);
  const size_t position = LowerBound(entry.Key);
  if (IsEqualAt(position, entry.Key)) {
    entries_[position].Values.push_back(value);
    return -1;
  }
  entries_.insert(entries_.begin() + static_cast<std::ptrdiff_t>(position), std::move(entry));
  return static_cast<int>(position);
}

void TLookupEntries::Append(const QString& text, int32_t value) {
  entries_.push_back(MakeEntry(text, value));
  unsettled_ = true;
}

void TLookupEntries::Settle() const {
  if (!unsettled_) return;
  unsettled_ = false;
  // Stable, so that of equal texts the one added first leads its run.
  std::stable_sort(entries_.begin(), entries_.end(),
                   [](const TEntry& a, const TEntry& b) { return a.Key.compare(b.Key) < 0; });
  std::vector<TEntry> merged;
  merged.reserve(entries_.size());
  for (TEntry& entry : entries_) {
    if (!merged.empty() && merged.back().Key.compare(entry.Key) == 0)
      merged.back().Values.insert(merged.back().Values.end(), entry.Values.begin(), entry.Values.end());
    else merged.push_back(std::move(entry));
  }
  entries_ = std::move(merged);
}

size_t TLookupEntries::LowerBound(const QCollatorSortKey& key) const {
  const auto place = std::lower_bound(
      entries_.begin(), entries_.end(), key,
      [](const TEntry& entry, const QCollatorSortKey& wanted) { return entry.Key.compare(wanted) < 0; });
  return static_cast<size_t>(place - entries_.begin());
}

bool TLookupEntries::IsEqualAt(size_t position, const QCollatorSortKey& key) const {
  return position < entries_.size() && entries_[position].Key.compare(key) == 0;
}

const TLookupEntries::TEntry& TLookupEntries::At(int position) const {
  Settle();
  return entries_[static_cast<size_t>(position)];
}

int TLookupEntries::Count() const {
  Settle();
  return static_cast<int>(entries_.size());
}

const QString& TLookupEntries::Text(int position) const { return At(position).Text; }

int32_t TLookupEntries::Value(int position) const { return At(position).Values.front(); }

const std::vector<int32_t>& TLookupEntries::Values(int position) const { return At(position).Values; }

int TLookupEntries::Find(const QString& text) const {
  Settle();
  const QCollatorSortKey key = collator_.sortKey(text);
  const size_t position = LowerBound(key);
  return IsEqualAt(position, key) ? static_cast<int>(position) : -1;
}

int TLookupEntries::FindPrefix(const QString& prefix) const {
  Settle();
  const QString upper = prefix.toUpper();
  auto found = std::find_if(entries_.begin(), entries_.end(),
                            [&](const TEntry& entry) { return entry.UpperText.startsWith(upper); });
  return found == entries_.end() ? -1 : static_cast<int>(found - entries_.begin());
}

QStringList TLookupEntries::Texts() const {
  Settle();
  QStringList texts;
  texts.reserve(static_cast<qsizetype>(entries_.size()));
  for (const TEntry& entry : entries_) texts.append(entry.Text);
  return texts;
}
