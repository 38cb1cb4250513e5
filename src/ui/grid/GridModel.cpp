#include "ui/grid/GridModel.h"

#include <QMetaObject>
#include <QStringList>
#include <algorithm>
#include <functional>

#include "ui/text/Text1251.h"

TGridModel::TGridModel(std::vector<TGridColumn> columns, const TCellSource& source, QObject* parent)
    : QAbstractTableModel(parent), columns_(std::move(columns)), source_(source), order_({{0, false}}) {}

int TGridModel::rowCount(const QModelIndex& parent) const {
  if (parent.isValid()) return 0;
  return static_cast<int>(IsGrouped() ? outline_.ShownCount() : rows_.Size());
}

int TGridModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(columns_.size());
}

QVariant TGridModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid()) return {};
  const size_t column = static_cast<size_t>(index.column());
  if (role == Qt::DisplayRole) return CellDisplay(index.row(), index.column());
  if (role == Qt::AccessibleTextRole) return RowAnnouncement(index.row());
  if (role == Qt::TextAlignmentRole && column < columns_.size()) {
    Qt::Alignment alignment = columns_[column].Alignment;
    if (!(alignment & Qt::AlignVertical_Mask)) alignment |= Qt::AlignTop;
    return QVariant::fromValue(alignment);
  }
  return {};
}

QVariant TGridModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || section < 0 || section >= static_cast<int>(columns_.size())) return {};
  if (role == Qt::DisplayRole) return columns_[static_cast<size_t>(section)].Header;
  if (role == Qt::TextAlignmentRole) return QVariant::fromValue(Qt::Alignment(Qt::AlignCenter));
  return {};
}

Qt::ItemFlags TGridModel::flags(const QModelIndex& index) const {
  if (!index.isValid()) return Qt::NoItemFlags;
  return Qt::ItemIsEnabled | Qt::ItemIsSelectable;
}

void TGridModel::BeginUpdate() { ++updateDepth_; }

namespace {

// Closes a model change (reset or layout change) on every path out of a re-ordering,
// a failed one included.
class TClosingCall {
 public:
  explicit TClosingCall(std::function<void()> end) : end_(std::move(end)) {}
  ~TClosingCall() { end_(); }
  TClosingCall(const TClosingCall&) = delete;
  TClosingCall& operator=(const TClosingCall&) = delete;

 private:
  std::function<void()> end_;
};

}  // namespace

void TGridModel::EndUpdate() {
  if (updateDepth_ == 0 || --updateDepth_ > 0) return;
  if (!rowsChanged_) return;
  rowsChanged_ = false;
  TClosingCall end([this] { endResetModel(); });
  Reorder();
}

void TGridModel::RowsChanging() {
  if (updateDepth_ == 0) {
    BeginUpdate();
    QMetaObject::invokeMethod(this, &TGridModel::EndUpdate, Qt::QueuedConnection);
  }
  if (!rowsChanged_) {
    rowsChanged_ = true;
    beginResetModel();
  }
}

void TGridModel::ClearRows() {
  RowsChanging();
  rows_.Clear();
  outline_.Clear();
  takenOrder_.reset();
}

void TGridModel::AppendRow(uint32_t key) {
  RowsChanging();
  rows_.Append(key);
  takenOrder_.reset();
}

void TGridModel::TakeRows(TOrderedRows rows) {
  RowsChanging();
  rows_ = std::move(rows.Rows);
  outline_ = std::move(rows.Outline);
  takenOrder_.emplace(std::move(rows.Keys), rows.GroupLevels);
}

void TGridModel::Reorder() {
  // The user may have changed the order since the rows were ordered elsewhere.
  if (takenOrder_ && takenOrder_->first == order_.ComparisonKeys() && takenOrder_->second == order_.Grouping().size()) {
    takenOrder_.reset();
    return;
  }
  takenOrder_.reset();
  // Should ordering fail, an empty outline is still consistent with any rows.
  outline_.Clear();
  const auto groupCodes = rows_.Order(order_.ComparisonKeys(), source_, order_.Grouping().size());
  outline_.Build(groupCodes, rows_.Size());
}

void TGridModel::ReorderNow() {
  if (rowsChanged_) return;  // the pending update orders everything at its end
  beginResetModel();
  TClosingCall end([this] { endResetModel(); });
  Reorder();
}

void TGridModel::ResortKeepingRows() {
  if (rowsChanged_) return;
  emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
  const QModelIndexList before = persistentIndexList();
  std::vector<uint32_t> insertions;
  for (const QModelIndex& index : before) insertions.push_back(rows_.InsertionAt(static_cast<size_t>(index.row())));
  {
    TClosingCall end([this] { emit layoutChanged({}, QAbstractItemModel::VerticalSortHint); });
    Reorder();
    const std::vector<size_t> positions = rows_.PositionsOfInsertions(insertions);
    QModelIndexList after;
    for (qsizetype i = 0; i < before.size(); ++i) {
      after << index(static_cast<int>(positions[static_cast<size_t>(i)]), before[i].column());
    }
    changePersistentIndexList(before, after);
  }
}

void TGridModel::ClickHeader(int column, bool shift, bool ctrl) {
  order_.Click(column, shift, ctrl);
  if (IsGrouped()) {
    ReorderNow();
  } else {
    ResortKeepingRows();
  }
  emit orderChanged();
}

void TGridModel::GroupBy(int column) {
  if (order_.IsGrouped(column)) return;
  order_.Group(column);
  ReorderNow();
  emit orderChanged();
}

void TGridModel::RestoreOrder(const std::vector<TSortKey>& sort, const std::vector<int>& grouping) {
  order_ = TViewOrder(sort);
  for (int column : grouping) order_.Group(column);
  ReorderNow();
  emit orderChanged();
}

void TGridModel::Ungroup(int column) {
  if (!order_.IsGrouped(column)) return;
  order_.Ungroup(column);
  ReorderNow();
  emit orderChanged();
}

std::vector<uint32_t> TGridModel::ResultKeys() const {
  // The store holds the rows in display order, groups one after another.
  std::vector<uint32_t> keys(rows_.Size());
  for (size_t i = 0; i < keys.size(); ++i) keys[i] = rows_.KeyAt(i);
  return keys;
}

long long TGridModel::PositionOf(int row) const {
  if (row < 0 || row >= rowCount()) return -1;
  if (!IsGrouped()) return row;
  const TOutlineEntry entry = outline_.EntryAt(static_cast<size_t>(row));
  return entry.IsGroup ? -1LL : static_cast<long long>(entry.Index);
}

bool TGridModel::IsGroupRow(int row) const {
  return IsGrouped() && row >= 0 && row < rowCount() && outline_.EntryAt(static_cast<size_t>(row)).IsGroup;
}

int TGridModel::GroupLevel(int row) const {
  if (!IsGroupRow(row)) return -1;
  return static_cast<int>(outline_.Level(outline_.EntryAt(static_cast<size_t>(row)).Index));
}

bool TGridModel::IsExpanded(int row) const {
  return IsGroupRow(row) && outline_.IsExpanded(outline_.EntryAt(static_cast<size_t>(row)).Index);
}

QString TGridModel::GroupText(int row) const {
  if (!IsGroupRow(row)) return {};
  const uint32_t index = outline_.EntryAt(static_cast<size_t>(row)).Index;
  const int column = order_.Grouping()[outline_.Level(index)];
  return QStringLiteral("%1 : %2").arg(columns_[static_cast<size_t>(column)].Header, GroupValue(index));
}

QString TGridModel::GroupValue(uint32_t group) const {
  const TGroup& span = outline_.Group(group);
  const int column = order_.Grouping()[outline_.Level(group)];
  // Rows inserted by the user join a group without sharing its text.
  uint32_t key = kEmptyRowKey;
  for (uint32_t position = span.Begin; position < span.End && key == kEmptyRowKey; ++position) {
    key = rows_.KeyAt(position);
  }
  std::string scratch;
  return FromCp1251(CellTextOf(source_, key, column, scratch));
}

std::vector<TGroupStart> TGridModel::GroupStarts() const {
  std::vector<TGroupStart> starts;
  if (!IsGrouped()) return starts;
  for (uint32_t group = 0; group < outline_.GroupCount(); ++group) {
    const TGroup& span = outline_.Group(group);
    if (span.Begin == span.End) continue;  // emptied by deletions
    const size_t level = outline_.Level(group);
    starts.push_back({span.Begin, level, order_.Grouping()[level], GroupValue(group)});
  }
  // Levels are stored one after another; a stable sort by row keeps outer before inner.
  std::stable_sort(starts.begin(), starts.end(),
                   [](const TGroupStart& a, const TGroupStart& b) { return a.Row < b.Row; });
  return starts;
}

void TGridModel::SetExpanded(int row, bool expanded) {
  if (!IsGroupRow(row) || IsExpanded(row) == expanded) return;
  // Only the change itself tells which rows come or go, and the view must hear of them
  // first: the outline changes to measure, changes back, and then changes for good
  // between the announcement and its end.
  if (expanded) {
    TOutlineSpan span = outline_.Expand(static_cast<size_t>(row));
    if (span.Count == 0) return;
    outline_.Collapse(static_cast<size_t>(row));
    beginInsertRows({}, int(span.First), int(span.First + span.Count - 1));
    outline_.Expand(static_cast<size_t>(row));
    endInsertRows();
    return;
  }
  TOutlineSpan span = outline_.Collapse(static_cast<size_t>(row));
  if (span.Count == 0) return;
  outline_.Expand(static_cast<size_t>(row));
  beginRemoveRows({}, int(span.First), int(span.First + span.Count - 1));
  outline_.Collapse(static_cast<size_t>(row));
  endRemoveRows();
}

int TGridModel::RemoveResultRows(std::vector<int> rows) {
  std::sort(rows.begin(), rows.end());
  rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
  std::erase_if(rows, [this](int row) { return PositionOf(row) < 0; });
  // A grouped removal may close a group above the rows still to go, so it goes from
  // the last row up; so does a single row, which the view then keeps its place for.
  if (IsGrouped() || rows.size() == 1) {
    for (auto row = rows.rbegin(); row != rows.rend(); ++row) RemoveResultRow(*row);
    return static_cast<int>(rows.size());
  }
  std::vector<size_t> positions(rows.begin(), rows.end());
  beginResetModel();
  rows_.RemoveAll(positions);
  endResetModel();
  return static_cast<int>(rows.size());
}

bool TGridModel::RemoveResultRow(int row) {
  const long long position = PositionOf(row);
  if (position < 0) return false;
  if (!IsGrouped()) {
    beginRemoveRows({}, row, row);
    rows_.RemoveAt(static_cast<size_t>(position));
    endRemoveRows();
    return true;
  }
  const TOutlineSpan span = outline_.RemovalSpan(static_cast<size_t>(row));
  beginRemoveRows({}, int(span.First), int(span.First + span.Count - 1));
  rows_.RemoveAt(static_cast<size_t>(position));
  outline_.RowRemoved(static_cast<size_t>(row));
  endRemoveRows();
  return true;
}

int TGridModel::InsertEmptyRow(int row) {
  if (!IsGrouped()) {
    const int at = (row < 0 || row > rowCount()) ? rowCount() : row;
    beginInsertRows({}, at, at);
    rows_.InsertAt(static_cast<size_t>(at), kEmptyRowKey);
    endInsertRows();
    return at;
  }
  const long long position = PositionOf(row);
  if (position < 0) return -1;
  beginInsertRows({}, row, row);
  rows_.InsertAt(static_cast<size_t>(position), kEmptyRowKey);
  outline_.RowInserted(static_cast<size_t>(row));
  endInsertRows();
  return row;
}

// A screen reader names the current cell so: moving through the grid reads whole rows.
QString TGridModel::RowAnnouncement(int row) const {
  if (IsGroupRow(row)) return GroupText(row);
  QStringList cells;
  for (int column = 0; column < columnCount(); ++column) {
    const QString text = CellDisplay(row, column);
    if (!text.isEmpty()) cells << columns_[static_cast<size_t>(column)].Header + QLatin1Char(' ') + text;
  }
  return cells.join(QStringLiteral(", "));
}

QString TGridModel::CellDisplay(int row, int column) const {
  const long long position = PositionOf(row);
  if (position < 0 || column < 0 || column >= columnCount()) return {};
  std::string scratch;
  return FromCp1251(CellTextOf(source_, rows_.KeyAt(static_cast<size_t>(position)), column, scratch));
}

Qt::Alignment TGridModel::ColumnAlignment(int column) const {
  if (column < 0 || column >= columnCount()) return Qt::AlignLeft;
  return columns_[static_cast<size_t>(column)].Alignment & Qt::AlignHorizontal_Mask;
}
