// Spreadsheet lines: fields that need quotes get them, and nothing a spreadsheet
// would run as a formula survives as one.

#include "ui/export/CsvText.h"

#include <gtest/gtest.h>

namespace {

std::string Line(const std::vector<std::string_view>& fields) {
  std::string out;
  AppendCsvLine(out, fields);
  return out;
}

}  // namespace

TEST(CsvText, QuotesOnlyFieldsWithSeparatorsQuotesOrLineBreaks) {
  EXPECT_EQ(Line({"4951234567", "Иванов Иван", ""}), "4951234567;Иванов Иван;\r\n");
  EXPECT_EQ(Line({"a;b", "say \"hi\"", "two\nlines", "cr\rhere"}),
            "\"a;b\";\"say \"\"hi\"\"\";\"two\nlines\";\"cr\rhere\"\r\n");
  EXPECT_EQ(Line({"\"", ""}), "\"\"\"\";\r\n");
  EXPECT_EQ(Line({}), "\r\n");
}

TEST(CsvText, FormulaStartsBecomeText) {
  EXPECT_EQ(Line({"=1+1", "+7 495", "-5", "@SUM(A1)", "\tx"}), "'=1+1;'+7 495;'-5;'@SUM(A1);'\tx\r\n");
  // The apostrophe goes inside the quotes, where the spreadsheet reads it.
  EXPECT_EQ(Line({"=HYPERLINK(\"x\";\"y\")"}), "\"'=HYPERLINK(\"\"x\"\";\"\"y\"\")\"\r\n");
  EXPECT_EQ(Line({"\r=1"}), "\"'\r=1\"\r\n");
  // Only the first character counts.
  EXPECT_EQ(Line({"a=b", "1-2"}), "a=b;1-2\r\n");
}
