#pragma once
// The entries of a selection-only drop-down, kept in collation order: Russian locale,
// case ignored, the empty text first. A text that collates equal to a listed one is
// not listed again; its value is remembered with the listed entry.

#include <QCollator>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <vector>

class TLookupEntries {
 public:
  TLookupEntries();

  void Clear();
  // The list position of the new entry, or -1 when an equal text was already listed.
  int Add(const QString& text, int32_t value);
  // For a refill: entries are only collected, and ordered once when next read.
  void Append(const QString& text, int32_t value);

  int Count() const;
  const QString& Text(int position) const;
  int32_t Value(int position) const;
  // The entry's own value first, then those of the equal texts refused, in the order added.
  const std::vector<int32_t>& Values(int position) const;
  QStringList Texts() const;

  // The first position, in list order, whose text begins with prefix ignoring case; -1 for none.
  int FindPrefix(const QString& prefix) const;
  // The position of the entry that collates equal to text; -1 for none.
  int Find(const QString& text) const;

 private:
  struct TEntry {
    QString Text;
    QString UpperText;
    QCollatorSortKey Key;  // computed once: comparing keys is far cheaper than collating texts
    std::vector<int32_t> Values;
  };

  TEntry MakeEntry(const QString& text, int32_t value) const;
  // Orders the appended entries in, merging equal texts into the first one added.
  void Settle() const;
  size_t LowerBound(const QCollatorSortKey& key) const;
  bool IsEqualAt(size_t position, const QCollatorSortKey& key) const;
  const TEntry& At(int position) const;

  QCollator collator_;
  mutable std::vector<TEntry> entries_;
  mutable bool unsettled_ = false;
};
