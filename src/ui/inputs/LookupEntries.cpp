#include "LookupEntries.h"

#include <algorithm>

TLookupEntries::TLookupEntries() : collator_(QLocale(QLocale::Russian, QLocale::Russia)) {
  collator_.setCaseSensitivity(Qt::CaseInsensitive);
}

void TLookupEntries::Clear() { entries_.clear(); }

size_t TLookupEntries::LowerBound(const QString& text) const {
  const auto place = std::lower_bound(entries_.begin(), entries_.end(), text,
                                      [this](const TEntry& entry, const QString& key) {
                                        return collator_.compare(entry.Text, key) < 0;
                                      });
  return static_cast<size_t>(place - entries_.begin());
}

bool TLookupEntries::IsEqualAt(size_t position, const QString& text) const {
  return position < entries_.size() && collator_.compare(entries_[position].Text, text) == 0;
}

int TLookupEntries::Add(const QString& text, int32_t value) {
  const size_t position = LowerBound(text);
  if (IsEqualAt(position, text)) {
    entries_[position].Values.push_back(value);
    return -1;
  }
  entries_.insert(entries_.begin() + static_cast<std::ptrdiff_t>(position), TEntry{text, text.toUpper(), {value}});
  return static_cast<int>(position);
}

int TLookupEntries::Find(const QString& text) const {
  const size_t position = LowerBound(text);
  return IsEqualAt(position, text) ? static_cast<int>(position) : -1;
}

int TLookupEntries::FindPrefix(const QString& prefix) const {
  const QString upper = prefix.toUpper();
  auto found = std::find_if(entries_.begin(), entries_.end(),
                            [&](const TEntry& entry) { return entry.UpperText.startsWith(upper); });
  return found == entries_.end() ? -1 : static_cast<int>(found - entries_.begin());
}

QStringList TLookupEntries::Texts() const {
  QStringList texts;
  texts.reserve(static_cast<qsizetype>(entries_.size()));
  for (const TEntry& entry : entries_) texts.append(entry.Text);
  return texts;
}
