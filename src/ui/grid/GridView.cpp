#include "ui/grid/GridView.h"

#include <algorithm>

#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <QKeyEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyleOption>
#include <functional>

#include "ui/report/ErrorReport.h"
#include "ui/report/MessageBox.h"

namespace {

const int kIndent = 18;

bool IsCopy(const QKeyEvent& event) {
  const auto modifiers = event.modifiers() & ~Qt::KeypadModifier;
  return modifiers == Qt::ControlModifier && (event.key() == Qt::Key_C || event.key() == Qt::Key_Insert);
}

bool IsDelete(const QKeyEvent& event) {
  const auto modifiers = event.modifiers() & ~Qt::KeypadModifier;
  return event.key() == Qt::Key_Delete && (modifiers == Qt::NoModifier || modifiers == Qt::ControlModifier);
}

bool IsInsert(const QKeyEvent& event) {
  return event.key() == Qt::Key_Insert && (event.modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
}

}  // namespace

TGridView::TGridView(TGridModel& model, QWidget* parent) : QTableView(parent), model_(model) {
  setModel(&model_);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setSelectionBehavior(QAbstractItemView::SelectRows);
  setSelectionMode(QAbstractItemView::ExtendedSelection);
  setWordWrap(true);
  setTextElideMode(Qt::ElideNone);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
  setTabKeyNavigation(false);
  verticalHeader()->hide();
  verticalHeader()->setSectionResizeMode(QHeaderView::Interactive);
  verticalHeader()->setMinimumSectionSize(1);
  verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
}

int TGridView::sizeHintForRow(int row) const {
  if (model_.IsGroupRow(row)) return fontMetrics().height() + 8;
  return std::max(QTableView::sizeHintForRow(row), fontMetrics().height() + 4);
}

void TGridView::FitRowsFrom(int first, int step, int room) {
  QHeaderView* rows = verticalHeader();
  for (int row = first; row >= 0 && row < model_.rowCount() && room > 0; row += step) {
    const int height = sizeHintForRow(row);
    // New rows start at the height of one line, which most take: every resize costs a
    // pass over all the rows' sections.
    if (height < rows->defaultSectionSize() && !model_.IsGroupRow(row)) rows->setDefaultSectionSize(height);
    if (rows->sectionSize(row) != height) rows->resizeSection(row, height);
    room -= height;
  }
}

void TGridView::FitShownRowHeights() {
  if (model_.rowCount() == 0) return;
  // Scrolling is by whole rows, so the scroll value is the top row.
  FitRowsFrom(verticalScrollBar()->value(), 1, viewport()->height());
  // The last screenful waits for an event of its own: a paint right after new rows
  // measures only what it shows, and the window stays quick to answer.
  if (lastRowsPending_) return;
  lastRowsPending_ = true;
  QMetaObject::invokeMethod(
      this,
      [this] {
        lastRowsPending_ = false;
        FitRowsFrom(model_.rowCount() - 1, -1, viewport()->height());
      },
      Qt::QueuedConnection);
}

void TGridView::paintEvent(QPaintEvent* event) {
  FitShownRowHeights();
  QTableView::paintEvent(event);
  QPainter painter(viewport());
  if (model_.rowCount() == 0) {
    PaintEmptyText(painter);
    return;
  }
  PaintGroupRows(painter);
}

void TGridView::PaintEmptyText(QPainter& painter) const {
  painter.setPen(palette().color(QPalette::PlaceholderText));
  painter.drawText(viewport()->rect(), Qt::AlignCenter, QStringLiteral("<Нет данных для отображения>"));
}

QRect TGridView::ExpanderRect(int row) const {
  const int level = std::max(model_.GroupLevel(row), 0);
  return {level * kIndent + 2, rowViewportPosition(row), kIndent, rowHeight(row)};
}

void TGridView::PaintGroupRows(QPainter& painter) const {
  const int first = rowAt(0);
  int last = rowAt(viewport()->height() - 1);
  if (last < 0) last = model_.rowCount() - 1;
  for (int row = std::max(first, 0); row <= last; ++row) {
    if (!model_.IsGroupRow(row)) continue;
    const QRect line(0, rowViewportPosition(row), viewport()->width(), rowHeight(row));
    const bool current = currentIndex().row() == row;
    painter.fillRect(line, current ? palette().color(QPalette::Highlight) : palette().color(QPalette::Window));
    painter.setPen(palette().color(QPalette::Mid));
    painter.drawLine(line.bottomLeft(), line.bottomRight());
    QStyleOption branch;
    branch.rect = ExpanderRect(row);
    branch.palette = palette();
    branch.state = QStyle::State_Children | QStyle::State_Item | QStyle::State_Enabled;
    if (model_.IsExpanded(row)) branch.state |= QStyle::State_Open;
    style()->drawPrimitive(QStyle::PE_IndicatorBranch, &branch, &painter, this);
    painter.setPen(palette().color(current ? QPalette::HighlightedText : QPalette::WindowText));
    const QRect text = line.adjusted(branch.rect.right() + 4, 0, -4, 0);
    painter.drawText(text, Qt::AlignLeft | Qt::AlignVCenter, model_.GroupText(row));
  }
}

void TGridView::mousePressEvent(QMouseEvent* event) {
  const int row = rowAt(event->position().toPoint().y());
  if (model_.IsGroupRow(row) && ExpanderRect(row).contains(event->position().toPoint())) {
    RunGuarded([this, row] { model_.SetExpanded(row, !model_.IsExpanded(row)); });
  }
  QTableView::mousePressEvent(event);
}

void TGridView::mouseDoubleClickEvent(QMouseEvent* event) {
  const int row = rowAt(event->position().toPoint().y());
  if (model_.IsGroupRow(row) && !ExpanderRect(row).contains(event->position().toPoint())) {
    RunGuarded([this, row] { model_.SetExpanded(row, !model_.IsExpanded(row)); });
    return;
  }
  QTableView::mouseDoubleClickEvent(event);
}

void TGridView::keyPressEvent(QKeyEvent* event) {
  const int row = currentIndex().row();
  std::function<void()> command;
  if (IsDelete(*event)) {
    command = [this] { ConfirmAndRemove(); };
  } else if (IsInsert(*event)) {
    command = [this] { InsertEmptyRow(); };
  } else if (IsCopy(*event)) {
    command = [this] { CopyRows(); };
  } else if (model_.IsGroupRow(row) && (event->key() == Qt::Key_Right || event->key() == Qt::Key_Plus)) {
    command = [this, row] { model_.SetExpanded(row, true); };
  } else if (model_.IsGroupRow(row) && (event->key() == Qt::Key_Left || event->key() == Qt::Key_Minus)) {
    command = [this, row] { model_.SetExpanded(row, false); };
  } else {
    QTableView::keyPressEvent(event);
    return;
  }
  RunGuarded(command);
  event->accept();
}

void TGridView::ConfirmAndRemove() {
  const std::vector<int> rows = ChosenRows();
  if (rows.empty()) return;
  const QString text = rows.size() == 1 ? QStringLiteral("Удалить запись?")
                                        : QStringLiteral("Удалить выбранные записи (%1)?").arg(rows.size());
  const TMessageBox question{.Caption = QStringLiteral("Подтверждение"),
                             .Text = text,
                             .Icon = QMessageBox::Question,
                             .Buttons = QMessageBox::Ok | QMessageBox::Cancel,
                             .DefaultButton = QMessageBox::Ok};
  if (ShowMessageBox(question, this) != QMessageBox::Ok) return;
  const int column = std::max(currentIndex().column(), 0);
  if (model_.RemoveResultRows(rows) == 0) return;
  const int next = std::min(rows.front(), model_.rowCount() - 1);
  if (next >= 0) setCurrentIndex(model_.index(next, column));
}

void TGridView::InsertEmptyRow() {
  const int column = std::max(currentIndex().column(), 0);
  const int row = model_.InsertEmptyRow(currentIndex().isValid() ? currentIndex().row() : -1);
  if (row >= 0) setCurrentIndex(model_.index(row, column));
}

std::vector<int> TGridView::ChosenRows() const {
  std::vector<int> rows;
  for (const QItemSelectionRange& range : selectionModel()->selection()) {
    for (int row = range.top(); row <= range.bottom(); ++row)
      if (!model_.IsGroupRow(row)) rows.push_back(row);
  }
  std::sort(rows.begin(), rows.end());
  rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
  const int current = currentIndex().row();
  if (rows.empty() && current >= 0 && !model_.IsGroupRow(current)) rows.push_back(current);
  return rows;
}

std::vector<int> TGridView::ShownColumns() const {
  const QHeaderView* columns = horizontalHeader();
  std::vector<int> shown;
  for (int visual = 0; visual < columns->count(); ++visual) {
    const int logical = columns->logicalIndex(visual);
    if (!columns->isSectionHidden(logical)) shown.push_back(logical);
  }
  return shown;
}

QString TGridView::RowsAsText(const std::vector<int>& rows) const {
  const std::vector<int> shown = ShownColumns();
  QStringList headers;
  for (int logical : shown) headers << model_.headerData(logical, Qt::Horizontal, Qt::DisplayRole).toString();
  QStringList lines{headers.join(QLatin1Char('\t'))};
  for (int row : rows) {
    if (row < 0 || row >= model_.rowCount() || model_.IsGroupRow(row)) continue;
    QStringList cells;
    for (int logical : shown) cells << model_.CellDisplay(row, logical);
    lines << cells.join(QLatin1Char('\t'));
  }
  return lines.size() > 1 ? lines.join(QStringLiteral("\r\n")) : QString();
}

void TGridView::CopyRows() const {
  const QString text = RowsAsText(ChosenRows());
  if (!text.isEmpty()) QApplication::clipboard()->setText(text);
}
