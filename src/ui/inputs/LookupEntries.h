#pragma once
// The entries of a selection-only drop-down, kept in collation order: Russian locale,
// case ignored, the empty text first. A text that collates equal to a listed one is
// not listed again; its value is remembered with the listed entry.

#include <QCollator>
#include <QString>
#include <cstdint>
#include <vector>

class TLookupEntries {
 public:
  TLookupEntries();

  void Clear();
  // The list position of the new entry, or -1 when an equal text was already listed.
  int Add(const QString& text, int32_t value);

  int Count() const { return static_cast<int>(entries_.size()); }
  const QString& Text(int position) const { return entries_[static_cast<size_t>(position)].Text; }
  int32_t Value(int position) const { return entries_[static_cast<size_t>(position)].Values.front(); }
  // The entry's own value first, then those of the equal texts refused, in the order added.
  const std::vector<int32_t>& Values(int position) const { return entries_[static_cast<size_t>(position)].Values; }
  QStringList Texts() const;

  // The first position, in list order, whose text begins with prefix ignoring case; -1 for none.
  int FindPrefix(const QString& prefix) const;
  // The position of the entry that collates equal to text; -1 for none.
  int Find(const QString& text) const;

 private:
  struct TEntry {
    QString Text;
    QString UpperText;
    std::vector<int32_t> Values;
  };

  size_t LowerBound(const QString& text) const;
  bool IsEqualAt(size_t position, const QString& text) const;

  QCollator collator_;
  std::vector<TEntry> entries_;
};
