#include "tests/ui/window/support/LongSearch.h"

#include "regexpr/MatchLimits.h"
#include "regexpr/RegExpr.h"
#include "search/RegexCriteria.h"
#include "ui/text/Text1251.h"

int64_t StepsPerRecord(const QString& expression, const std::string& text) {
  constexpr int64_t plenty = INT64_MAX / 2;
  TRegExpr regex;
  regex.SetExpression(ToCp1251(expression));
  regex.Exec(text);
  TStepBudget budget(plenty);
  regex.SetStepBudget(&budget);
  regex.Exec(text);
  return plenty - budget.Remaining();
}

int64_t RecordsPastTheBound(int64_t stepsPerRecord) { return SearchStepBudget / stepsPerRecord * 3 / 2; }

TDirectoryWriter HostilePhonesDirectory() {
  const int64_t records =
      RecordsPastTheBound(StepsPerRecord(kHostilePhoneExpression, std::to_string(kFirstHostileNumber)));
  TDirectoryWriter directory;
  directory.City("Заречный").Owner("Петров Пётр");
  for (int64_t i = 0; i < records; ++i) directory.Phone({kFirstHostileNumber + i, 1, 0, 1, 1, ""});
  return directory;
}
