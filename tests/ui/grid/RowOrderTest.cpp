#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "tests/ui/grid/support/TableSource.h"
#include "ui/grid/CellOrder.h"
#include "ui/grid/RowStore.h"

namespace {

int Sign(int value) { return (value > 0) - (value < 0); }

// Texts of one column, top row first.
std::vector<std::string> ColumnOf(const TRowStore& store, const TCellSource& source, int column) {
  std::vector<std::string> texts;
  std::string scratch;
  for (size_t i = 0; i < store.Size(); ++i) texts.emplace_back(CellTextOf(source, store.KeyAt(i), column, scratch));
  return texts;
}

std::vector<uint32_t> KeysOf(const TRowStore& store) {
  std::vector<uint32_t> keys;
  for (size_t i = 0; i < store.Size(); ++i) keys.push_back(store.KeyAt(i));
  return keys;
}

TRowStore StoreOfAll(size_t count) {
  TRowStore store;
  for (uint32_t key = 0; key < count; ++key) store.Append(key);
  return store;
}

}  // namespace

TEST(CellOrder, ComparesUnsignedBytesWithoutLocaleOrNumbers) {
  EXPECT_LT(CompareCellTexts("100", "20"), 0);
  EXPECT_LT(CompareCellTexts("20", "3"), 0);
  EXPECT_LT(CompareCellTexts("Z", "a"), 0);
  EXPECT_LT(CompareCellTexts("z", "\xC0"), 0);     // Latin before Cyrillic А
  EXPECT_LT(CompareCellTexts("\xA8", "\xC0"), 0);  // Ё before А
  EXPECT_LT(CompareCellTexts("\xB8", "\xC0"), 0);  // ё before А
  EXPECT_LT(CompareCellTexts("\x7F", "\x80"), 0);  // high bytes are not negative
  EXPECT_GT(CompareCellTexts("\xFF", "\x01"), 0);
}

TEST(CellOrder, EmptyAndPrefixTextsComeFirst) {
  EXPECT_LT(CompareCellTexts("", "\x01"), 0);
  EXPECT_LT(CompareCellTexts("", std::string_view("\0", 1)), 0);
  EXPECT_LT(CompareCellTexts("12", "123"), 0);
  EXPECT_GT(CompareCellTexts("123", "12"), 0);
  EXPECT_EQ(CompareCellTexts("", ""), 0);
  EXPECT_EQ(CompareCellTexts("\xC7\xE0", "\xC7\xE0"), 0);
}

TEST(RowOrder, PhonesAndHousesSortAsText) {
  TTableSource source({{"20", "9"}, {"100", "12"}, {"3", "100"}});
  TRowStore store = StoreOfAll(3);
  store.Order({{0, false}}, source);
  EXPECT_EQ(ColumnOf(store, source, 0), (std::vector<std::string>{"100", "20", "3"}));
  store.Order({{1, false}}, source);
  EXPECT_EQ(ColumnOf(store, source, 1), (std::vector<std::string>{"100", "12", "9"}));
}

TEST(RowOrder, LettersOrderByCodePageBytes) {
  TTableSource source({{"\xC0\xED\xED\xE0"}, {"a"}, {""}, {"\xA8\xEB\xEA\xE0"}, {"Z"}, {"\xB8\xEB\xEA\xE0"}});
  TRowStore store = StoreOfAll(6);
  store.Order({{0, false}}, source);
  EXPECT_EQ(KeysOf(store), (std::vector<uint32_t>{2, 4, 1, 3, 5, 0}));
}

TEST(RowOrder, EqualTextsKeepInsertionOrderInBothDirections) {
  TTableSource source({{"5", "a"}, {"7", "b"}, {"5", "c"}, {"7", "d"}, {"5", "e"}});
  TRowStore store = StoreOfAll(5);
  store.Order({{0, true}}, source);
  EXPECT_EQ(KeysOf(store), (std::vector<uint32_t>{1, 3, 0, 2, 4}));
  store.Order({{0, false}}, source);
  EXPECT_EQ(KeysOf(store), (std::vector<uint32_t>{0, 2, 4, 1, 3}));
}

TEST(RowOrder, NoKeysRestoresInsertionOrder) {
  TTableSource source({{"3"}, {"1"}, {"2"}});
  TRowStore store = StoreOfAll(3);
  store.Order({{0, false}}, source);
  store.Order({}, source);
  EXPECT_EQ(KeysOf(store), (std::vector<uint32_t>{0, 1, 2}));
}

TEST(RowOrder, LaterKeysDecideOnlyBetweenEqualEarlierOnes) {
  TTableSource source({{"B", "1"}, {"A", "2"}, {"B", "3"}, {"A", "1"}});
  TRowStore store = StoreOfAll(4);
  store.Order({{0, false}, {1, true}}, source);
  EXPECT_EQ(KeysOf(store), (std::vector<uint32_t>{1, 3, 2, 0}));
}

TEST(RowOrder, TextsBeyondTheFirstEightBytesStillDecide) {
  // Same eight-byte prefix; also texts that differ only by trailing zero bytes.
  const std::string zero(1, '\0');
  TTableSource source(
      {{"Prefixed-b"}, {"Prefixed-a"}, {"Prefixed"}, {"Prefix" + zero}, {"Prefix"}, {"Prefix" + zero + zero}});
  TRowStore store = StoreOfAll(6);
  store.Order({{0, false}}, source);
  EXPECT_EQ(KeysOf(store), (std::vector<uint32_t>{4, 3, 5, 2, 1, 0}));
  store.Order({{0, true}}, source);
  EXPECT_EQ(KeysOf(store), (std::vector<uint32_t>{0, 1, 2, 5, 3, 4}));
}

TEST(RowOrder, InsertedEmptyRowsSortAsEmptyTextsWithoutAskingTheSource) {
  TTableSource source({{"1"}, {"2"}});
  TRowStore store = StoreOfAll(2);
  store.InsertAt(1, kEmptyRowKey);
  EXPECT_EQ(store.InsertionAt(1), 2u);
  source.Calls = 0;
  store.Order({{0, false}}, source);
  EXPECT_EQ(KeysOf(store), (std::vector<uint32_t>{kEmptyRowKey, 0, 1}));
  EXPECT_EQ(source.Calls, 2u);
  store.RemoveAt(0);
  EXPECT_EQ(KeysOf(store), (std::vector<uint32_t>{0, 1}));
}

TEST(RowOrder, RowsAreFoundAgainByInsertionNumberAfterSorting) {
  TTableSource source({{"c"}, {"a"}, {"b"}, {"a"}});
  TRowStore store = StoreOfAll(4);
  store.Order({{0, false}}, source);
  EXPECT_EQ(store.PositionsOfInsertions({0, 3, 3, 1, 9}), (std::vector<size_t>{3, 1, 1, 0, 4}));
  EXPECT_TRUE(store.PositionsOfInsertions({}).empty());
}

TEST(RowOrder, ClearRestartsInsertionNumbers) {
  TRowStore store = StoreOfAll(3);
  store.Clear();
  store.Append(7);
  EXPECT_EQ(store.Size(), 1u);
  EXPECT_EQ(store.InsertionAt(0), 0u);
}

// Random texts: short and long ones sharing prefixes, bytes from the whole range.
std::vector<std::vector<std::string>> RandomRows(size_t count, uint32_t seed) {
  std::mt19937 random(seed);
  const std::string alphabet = std::string("09Za\x80\xA8\xC0\xFF", 8) + std::string(1, '\0');
  std::vector<std::vector<std::string>> rows(count);
  for (auto& row : rows) {
    for (int column = 0; column < 3; ++column) {
      std::string text = column == 2 ? "common-prefix-" : "";
      const size_t length = random() % (column == 0 ? 3 : 12);
      for (size_t i = 0; i < length; ++i) text.push_back(alphabet[random() % alphabet.size()]);
      row.push_back(text);
    }
  }
  return rows;
}

// The order a plain stable sort of the insertion order gives.
std::vector<uint32_t> StableSorted(const std::vector<std::vector<std::string>>& rows,
                                   const std::vector<TSortKey>& keys) {
  std::vector<uint32_t> expected(rows.size());
  for (uint32_t i = 0; i < expected.size(); ++i) expected[i] = i;
  std::stable_sort(expected.begin(), expected.end(), [&](uint32_t a, uint32_t b) {
    for (const TSortKey& key : keys) {
      int order = Sign(CompareCellTexts(rows[a][size_t(key.Column)], rows[b][size_t(key.Column)]));
      if (order != 0) return key.Descending ? order > 0 : order < 0;
    }
    return false;
  });
  return expected;
}

// Every direction mix; texts of up to 7, up to 15 and more bytes.
TEST(RowOrder, MatchesAStableSortOnRandomTexts) {
  const auto rows = RandomRows(3000, 7);
  TTableSource source(rows);
  for (int mix = 0; mix < 8; ++mix) {
    const std::vector<TSortKey> keys = {{0, (mix & 1) != 0}, {2, (mix & 2) != 0}, {1, (mix & 4) != 0}};
    TRowStore store = StoreOfAll(rows.size());
    store.Order(keys, source);
    EXPECT_EQ(KeysOf(store), StableSorted(rows, keys)) << "direction mix " << mix;
  }
}

// A sorted list given further leading keys (as grouping does) ends in the full order,
// and so does one that has had rows appended since its last sort.
TEST(RowOrder, LeadingKeysAddedToASortedListGiveTheFullOrder) {
  const auto rows = RandomRows(2000, 11);
  TTableSource source(rows);
  TRowStore store = StoreOfAll(1500);
  store.Order({{1, true}}, source);
  store.Order({{0, false}, {1, true}}, source);
  store.Order({{2, true}, {0, false}, {1, true}}, source);
  const std::vector<std::vector<std::string>> first(rows.begin(), rows.begin() + 1500);
  EXPECT_EQ(KeysOf(store), StableSorted(first, {{2, true}, {0, false}, {1, true}}));
  for (uint32_t key = 1500; key < rows.size(); ++key) store.Append(key);
  const std::vector<TSortKey> keys = {{0, true}, {2, true}, {0, false}, {1, true}};
  store.Order({{2, true}, {0, false}, {1, true}}, source);
  store.Order(keys, source);
  EXPECT_EQ(KeysOf(store), StableSorted(rows, keys));
  store.Order({}, source);
  store.Order({{1, false}}, source);
  EXPECT_EQ(KeysOf(store), StableSorted(rows, {{1, false}}));
}

// Texts over few byte values, as numbers are, of lengths around what one packed code holds.
TEST(RowOrder, TextsOfFewByteValuesMatchAStableSort) {
  std::mt19937 random(5);
  for (const std::string& alphabet : {std::string("01"), std::string("0123456789"), std::string("\0\x01\xFF", 3)}) {
    for (size_t longest : {8u, 16u, 21u, 32u, 33u, 40u}) {
      std::vector<std::vector<std::string>> rows(500);
      for (auto& row : rows) {
        std::string text;
        for (size_t length = random() % (longest + 1); text.size() < length;)
          text.push_back(alphabet[random() % alphabet.size()]);
        row.push_back(text);
      }
      rows.front().front().assign(longest, alphabet.back());
      TTableSource source(rows);
      TRowStore store = StoreOfAll(rows.size());
      store.Order({{0, false}}, source);
      EXPECT_EQ(KeysOf(store), StableSorted(rows, {{0, false}})) << alphabet.size() << " bytes, " << longest;
    }
  }
}

// Every byte value in one column leaves no room to pack texts of eight bytes into a code.
TEST(RowOrder, TextsOfEveryByteValueMatchAStableSort) {
  std::vector<std::vector<std::string>> rows;
  for (int byte = 255; byte >= 0; --byte) {
    rows.push_back({std::string(8, static_cast<char>(byte))});
    rows.push_back({std::string(static_cast<size_t>(byte % 8), static_cast<char>(byte))});
  }
  TTableSource source(rows);
  TRowStore store = StoreOfAll(rows.size());
  store.Order({{0, false}}, source);
  EXPECT_EQ(KeysOf(store), StableSorted(rows, {{0, false}}));
}

namespace {

// Cells that view one table of names, as the window's owner, city and street cells do:
// column 0 views the table, column 1 the middle of scratch, column 2 either by turns.
class TNamedSource : public TCellSource {
 public:
  explicit TNamedSource(std::vector<std::string> names) : names_(std::move(names)) {}
  std::string_view CellText(uint32_t key, int column, std::string& scratch) const override {
    const std::string& name = names_[key % names_.size()];
    if (column == 0 || (column == 2 && key % 2 == 0)) return name;
    scratch = "<" + name + ">";
    return std::string_view(scratch).substr(1, name.size());
  }
  std::vector<std::vector<std::string>> Rows(size_t count) const {
    std::vector<std::vector<std::string>> rows(count);
    for (uint32_t key = 0; key < count; ++key) rows[key].assign(3, names_[key % names_.size()]);
    return rows;
  }

 private:
  std::vector<std::string> names_;
};

// More names than a sort remembers addresses of; a long shared beginning, zero bytes
// and equal texts at several places of the table.
std::vector<std::string> LongNames(size_t count, uint32_t seed) {
  std::mt19937 random(seed);
  const std::string alphabet = std::string(
      "\0\x01"
      "az\xC0\xFF",
      6);
  std::vector<std::string> names;
  for (size_t i = 0; i < count; ++i) {
    if (i % 5 == 4) {
      names.push_back(names[random() % names.size()]);
      continue;
    }
    std::string name = i % 2 ? "\xC8\xE2\xE0\xED\xEE\xE2\xE0 \xC0\xED\xED\xE0 " : "";
    for (size_t length = random() % 30; name.size() < length;) name.push_back(alphabet[random() % alphabet.size()]);
    names.push_back(name);
  }
  return names;
}

}  // namespace

// Shared views and copies of one table: the same order, and for grouping the same
// codes exactly where the texts are equal, from rows no longer in insertion order.
TEST(RowOrder, ViewsOfATableOrderAsCopiesOfIt) {
  const TNamedSource source(LongNames(40000, 3));
  const auto rows = source.Rows(70000);
  TRowStore store = StoreOfAll(rows.size());
  for (int column = 0; column < 3; ++column) {
    for (bool descending : {false, true}) {
      const auto codes = store.Order({{column, descending}}, source, 1);
      EXPECT_EQ(KeysOf(store), StableSorted(rows, {{column, descending}})) << column << descending;
      ASSERT_EQ(codes.size(), 1u);
      const std::vector<std::string> texts = ColumnOf(store, source, column);
      size_t mismatches = 0;
      for (size_t i = 1; i < texts.size(); ++i)
        mismatches += (codes[0][i] == codes[0][i - 1]) != (texts[i] == texts[i - 1]);
      EXPECT_EQ(mismatches, 0u) << column << descending;
    }
  }
}
