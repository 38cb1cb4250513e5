#include "ui/grid/GridLayout.h"

#include <algorithm>
#include <charconv>

namespace {

constexpr int kWidestColumn = 10000;

std::optional<int> ParseNumber(std::string_view text, int least, int most) {
  int value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size() || value < least || value > most) return std::nullopt;
  return value;
}

// Calls parse(item) for each comma-separated item; false when one fails.
template <typename TParse>
bool ForEachItem(std::string_view text, TParse&& parse) {
  if (text.empty()) return true;
  for (;;) {
    const size_t comma = text.find(',');
    if (!parse(text.substr(0, comma))) return false;
    if (comma == std::string_view::npos) return true;
    text.remove_prefix(comma + 1);
  }
}

std::optional<std::vector<int>> ParseColumns(std::string_view text, int columnCount) {
  std::vector<int> columns;
  const bool parsed = ForEachItem(text, [&](std::string_view item) {
    const std::optional<int> column = ParseNumber(item, 0, columnCount - 1);
    if (!column || std::find(columns.begin(), columns.end(), *column) != columns.end()) return false;
    columns.push_back(*column);
    return true;
  });
  return parsed ? std::optional(columns) : std::nullopt;
}

std::optional<std::vector<TSortKey>> ParseSort(std::string_view text, int columnCount) {
  std::vector<TSortKey> keys;
  const bool parsed = ForEachItem(text, [&](std::string_view item) {
    if (item.size() < 2 || (item.back() != '+' && item.back() != '-')) return false;
    const std::optional<int> column = ParseNumber(item.substr(0, item.size() - 1), 0, columnCount - 1);
    if (!column) return false;
    if (std::any_of(keys.begin(), keys.end(), [&](const TSortKey& key) { return key.Column == *column; })) return false;
    keys.push_back({*column, item.back() == '-'});
    return true;
  });
  return parsed ? std::optional(keys) : std::nullopt;
}

}  // namespace

std::string ColumnListText(const std::vector<int>& columns) {
  std::string text;
  for (int column : columns) text += (text.empty() ? "" : ",") + std::to_string(column);
  return text;
}

std::string SortListText(const std::vector<TSortKey>& keys) {
  std::string text;
  for (const TSortKey& key : keys)
    text += (text.empty() ? "" : ",") + std::to_string(key.Column) + (key.Descending ? '-' : '+');
  return text;
}

std::optional<TGridLayout> ParseGridLayout(std::string_view visualOrder, std::string_view widths, std::string_view sort,
                                           std::string_view grouping, int columnCount, int minimumWidth) {
  TGridLayout layout;
  const auto order = ParseColumns(visualOrder, columnCount);
  const auto keys = ParseSort(sort, columnCount);
  const auto groups = ParseColumns(grouping, columnCount);
  if (!order || !keys || !groups || order->size() != static_cast<size_t>(columnCount)) return std::nullopt;
  const bool widthsParsed = ForEachItem(widths, [&](std::string_view item) {
    const std::optional<int> width = ParseNumber(item, minimumWidth, kWidestColumn);
    if (width) layout.Widths.push_back(*width);
    return width.has_value();
  });
  if (!widthsParsed || layout.Widths.size() != static_cast<size_t>(columnCount)) return std::nullopt;
  layout.VisualOrder = *order;
  layout.Sort = *keys;
  layout.Grouping = *groups;
  return layout;
}
