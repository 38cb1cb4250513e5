#include "ui/grid/ResultGrid.h"

#include <QAction>
#include <QEvent>
#include <QVBoxLayout>

#include "ui/grid/ColumnFit.h"
#include "ui/grid/GridHeader.h"
#include "ui/grid/GridModel.h"
#include "ui/grid/GridView.h"
#include "ui/grid/GroupArea.h"
#include "ui/report/ErrorReport.h"

TResultGrid::TResultGrid(std::vector<TGridColumn> columns, const TCellSource& source, QWidget* parent)
    : QWidget(parent) {
  for (const TGridColumn& column : columns) preferredWidths_.push_back(column.Width);
  model_ = new TGridModel(std::move(columns), source, this);
  groupArea_ = new TGroupArea(this);
  view_ = new TGridView(*model_, this);
  view_->setObjectName(QStringLiteral("tvPhones"));
  header_ = new TGridHeader([this](int column) { return model_->Order().Direction(column); }, view_);
  view_->setHorizontalHeader(header_);
  header_->setMinimumSectionSize(20);
  for (size_t i = 0; i < preferredWidths_.size(); ++i) {
    header_->resizeSection(static_cast<int>(i), preferredWidths_[i]);
  }
  setFocusProxy(view_);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(groupArea_);
  layout->addWidget(view_, 1);

  connect(header_, &TGridHeader::sectionClickedWith, this, &TResultGrid::OnHeaderClicked);
  connect(header_, &TGridHeader::sectionDraggedOut, this, &TResultGrid::OnHeaderDraggedOut);
  connect(header_, &TGridHeader::sectionDragMoved, this, [this](QPoint globalPos, bool outside) {
    groupArea_->SetDropHighlight(outside && groupArea_->rect().contains(groupArea_->mapFromGlobal(globalPos)));
  });
  connect(header_, &QHeaderView::sectionResized, this, &TResultGrid::OnSectionResized);
  connect(groupArea_, &TGroupArea::buttonClicked, this,
          [this](int column) { OnHeaderClicked(column, Qt::NoModifier); });
  connect(groupArea_, &TGroupArea::buttonDraggedOut, this, &TResultGrid::OnButtonDraggedOut);
  connect(model_, &TGridModel::orderChanged, this, &TResultGrid::OnOrderChanged);
  view_->viewport()->installEventFilter(this);
  CreateOrderActions();
  OnOrderChanged();
}

void TResultGrid::CreateOrderActions() {
  view_->setContextMenuPolicy(Qt::ActionsContextMenu);
  const auto add = [this](const QString& text, const QString& name, auto&& handler) {
    auto* action = new QAction(text, view_);
    action->setObjectName(name);
    connect(action, &QAction::triggered, this, [this, handler] {
      const int column = CurrentColumn();
      if (column >= 0) RunGuarded([&] { handler(column); });
    });
    view_->addAction(action);
  };
  add(QStringLiteral("Сортировать по этому столбцу"), QStringLiteral("actSortByColumn"),
      [this](int column) { model_->ClickHeader(column, false, false); });
  add(QStringLiteral("Добавить столбец к сортировке"), QStringLiteral("actAddSortColumn"),
      [this](int column) { model_->ClickHeader(column, true, false); });
  add(QStringLiteral("Группировать по этому столбцу"), QStringLiteral("actGroupByColumn"),
      [this](int column) { model_->GroupBy(column); });
  auto* ungroup = new QAction(QStringLiteral("Убрать группировку"), view_);
  ungroup->setObjectName(QStringLiteral("actUngroup"));
  connect(ungroup, &QAction::triggered, this, [this] {
    RunGuarded([this] {
      const std::vector<int> grouping = model_->Order().Grouping();
      for (int column : grouping) model_->Ungroup(column);
    });
  });
  view_->addAction(ungroup);
  auto* separator = new QAction(view_);
  separator->setSeparator(true);
  view_->addAction(separator);
}

// The focused cell's column, else the first one shown.
int TResultGrid::CurrentColumn() const {
  const QModelIndex current = view_->currentIndex();
  if (current.isValid()) return current.column();
  const std::vector<int> shown = view_->ShownColumns();
  return shown.empty() ? -1 : shown.front();
}

void TResultGrid::BeginUpdate() { model_->BeginUpdate(); }
void TResultGrid::EndUpdate() { model_->EndUpdate(); }
void TResultGrid::ClearRows() { model_->ClearRows(); }
void TResultGrid::AppendRow(uint32_t key) { model_->AppendRow(key); }
void TResultGrid::TakeRows(TOrderedRows rows) { model_->TakeRows(std::move(rows)); }
const TViewOrder& TResultGrid::Order() const { return model_->Order(); }
int TResultGrid::RowCount() const { return model_->ResultCount(); }
QAbstractItemView* TResultGrid::View() const { return view_; }
std::vector<uint32_t> TResultGrid::ShownKeys() const { return model_->ResultKeys(); }

std::vector<int> TResultGrid::ShownColumns() const { return view_->ShownColumns(); }
std::vector<TGroupStart> TResultGrid::GroupStarts() const { return model_->GroupStarts(); }
int TResultGrid::ColumnWidth(int column) const { return header_->sectionSize(column); }

Qt::Alignment TResultGrid::ColumnAlignment(int column) const { return model_->ColumnAlignment(column); }

int TResultGrid::MinimumColumnWidth() const { return header_->minimumSectionSize(); }

TGridLayout TResultGrid::Layout() const {
  TGridLayout layout;
  for (int visual = 0; visual < header_->count(); ++visual) layout.VisualOrder.push_back(header_->logicalIndex(visual));
  layout.Widths = preferredWidths_;
  layout.Sort = Order().SortList();
  layout.Grouping = Order().Grouping();
  return layout;
}

void TResultGrid::RestoreLayout(const TGridLayout& layout) {
  const auto columns = static_cast<size_t>(ColumnCount());
  if (layout.VisualOrder.size() != columns || layout.Widths.size() != columns) return;
  for (int visual = 0; visual < ColumnCount(); ++visual) {
    const int from = header_->visualIndex(layout.VisualOrder[static_cast<size_t>(visual)]);
    if (from != visual) header_->moveSection(from, visual);
  }
  preferredWidths_ = layout.Widths;
  FitColumns();
  model_->RestoreOrder(layout.Sort, layout.Grouping);
}

QString TResultGrid::ColumnHeader(int column) const {
  return model_->headerData(column, Qt::Horizontal, Qt::DisplayRole).toString();
}

bool TResultGrid::eventFilter(QObject* watched, QEvent* event) {
  if (watched == view_->viewport() && event->type() == QEvent::Resize) FitColumns();
  return QWidget::eventFilter(watched, event);
}

void TResultGrid::OnHeaderClicked(int column, Qt::KeyboardModifiers modifiers) {
  RunGuarded([&] {
    model_->ClickHeader(column, modifiers.testFlag(Qt::ShiftModifier), modifiers.testFlag(Qt::ControlModifier));
  });
}

void TResultGrid::OnHeaderDraggedOut(int column, QPoint globalPos) {
  groupArea_->SetDropHighlight(false);
  if (!groupArea_->rect().contains(groupArea_->mapFromGlobal(globalPos))) return;
  RunGuarded([&] { model_->GroupBy(column); });
}

void TResultGrid::OnButtonDraggedOut(int column, QPoint globalPos) {
  if (!view_->rect().contains(view_->mapFromGlobal(globalPos))) return;
  // The column returns where it was dropped.
  int target = header_->visualIndexAt(header_->mapFromGlobal(globalPos).x());
  if (target < 0) target = header_->count() - 1;
  RunGuarded([&] { model_->Ungroup(column); });
  header_->moveSection(header_->visualIndex(column), target);
}

void TResultGrid::OnOrderChanged() {
  std::vector<TGroupButton> buttons;
  fitting_ = true;
  for (int column = 0; column < header_->count(); ++column) {
    const bool grouped = model_->Order().IsGrouped(column);
    if (header_->isSectionHidden(column) != grouped) header_->setSectionHidden(column, grouped);
  }
  fitting_ = false;
  for (int column : model_->Order().Grouping()) {
    const int direction = model_->Order().Direction(column) < 0 ? -1 : 1;
    buttons.push_back({column, model_->headerData(column, Qt::Horizontal, Qt::DisplayRole).toString(), direction});
  }
  groupArea_->SetButtons(std::move(buttons));
  FitColumns();
  header_->viewport()->update();
}

void TResultGrid::OnSectionResized(int logical, int, int) {
  if (fitting_ || header_->isSectionHidden(logical)) return;
  FitColumns(logical);
}

void TResultGrid::FitColumns(int fixedLogical) {
  std::vector<int> sections;
  std::vector<int> widths;
  size_t fixed = SIZE_MAX;
  for (int visual = 0; visual < header_->count(); ++visual) {
    const int logical = header_->logicalIndex(visual);
    if (header_->isSectionHidden(logical)) continue;
    if (logical == fixedLogical) fixed = sections.size();
    sections.push_back(logical);
    widths.push_back(fixedLogical < 0 ? preferredWidths_[static_cast<size_t>(logical)] : header_->sectionSize(logical));
  }
  const int total = view_->viewport()->width();
  const int minimum = header_->minimumSectionSize();
  if (fixed == SIZE_MAX) {
    widths = ScaleToWidth(widths, total, minimum);
  } else {
    widths = RefitAround(widths, fixed, total, minimum);
    for (size_t i = 0; i < sections.size(); ++i) preferredWidths_[static_cast<size_t>(sections[i])] = widths[i];
  }
  fitting_ = true;
  for (size_t i = 0; i < sections.size(); ++i) {
    if (header_->sectionSize(sections[i]) != widths[i]) header_->resizeSection(sections[i], widths[i]);
  }
  fitting_ = false;
}
