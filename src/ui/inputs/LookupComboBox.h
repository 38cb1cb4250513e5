#pragma once
// A selection-only drop-down (cbCity, cbStreet) with entries in collation order and a
// keyboard search: typed characters select the first entry beginning with the search
// text, and the part of the shown text beyond the search text is highlighted.

#include <QComboBox>
#include <cstdint>
#include <vector>

#include "ui/inputs/LookupEntries.h"

class TLookupComboBox : public QComboBox {
  Q_OBJECT
 public:
  static constexpr int kVisibleEntries = 8;
  static constexpr int kPageStep = kVisibleEntries - 1;

  explicit TLookupComboBox(QWidget* parent = nullptr);
  void BeginUpdate();  // brackets a refill; the list is redrawn once at EndUpdate
  void EndUpdate();
  void ClearEntries();
  // Inserts at the collation position (locale comparison ignoring case, Russian and Latin,
  // the empty text first); an entry whose text compares equal to an existing one is not
  // listed, but its value is remembered with the existing entry (see SelectedValues).
  void AddEntry(const QString& text, int32_t value);
  void SelectPosition(int position);            // -1 selects none
  int32_t SelectedValue() const;                // stored value of the selected entry; -1 for none
  std::vector<int32_t> SelectedValues() const;  // that value and the values of every equal text refused; empty for none

  // The highlighted tail of the shown text left by the keyboard search; empty when none.
  QString HighlightedText() const;
  bool IsListOpen() const;

  void showPopup() override;
  void hidePopup() override;

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // Keys shared by the closed field and the open list; false for keys left to QComboBox.
  bool HandleKey(const QKeyEvent* event);
  bool Navigate(const QKeyEvent* event);
  // The entry the keys act on: the selection, or the current row of the open list.
  int Position() const;
  void MoveTo(int position);
  void SetPosition(int position);
  void SearchFor(QChar typed);
  void ShortenSearch();
  void SelectFound(int position, int searchLength);
  void ResetSearch();
  void RebuildItems();
  void PaintHighlightedText(QPainter& painter, const QRect& field);

  TLookupEntries entries_;
  int updateDepth_ = 0;
  bool itemsStale_ = false;
  bool fromSearch_ = false;
  bool selectingBySearch_ = false;
  int searchLength_ = 0;
};
