#include <QCheckBox>
#include <QLineEdit>
#include <QPalette>
#include <QPushButton>
#include <exception>

#include "data/TextServices.h"
#include "regexpr/RegExpr.h"
#include "ui/Main.h"
#include "ui/inputs/MaskEdit.h"
#include "ui/text/Text1251.h"

namespace {

const QColor kInvalidExpressionColour(255, 0, 255);
// Black stays readable on the mark whatever the palette; a dark palette's light text
// would not.
const QColor kInvalidExpressionTextColour(0, 0, 0);

// Only a real change reaches the screen reader, not every validation of every keystroke.
void SetDescription(QLineEdit& field, const QString& description) {
  if (field.accessibleDescription() != description) field.setAccessibleDescription(description);
}

// Screen readers cannot see the colour; the field's description tells them why it is bad.
// Only the two colours are the field's own: the rest follows the palette, also when the
// desktop switches it.
void MarkInvalid(QLineEdit& field, const QString& reason) {
  QPalette palette;
  palette.setColor(QPalette::Base, kInvalidExpressionColour);
  palette.setColor(QPalette::Text, kInvalidExpressionTextColour);
  field.setPalette(palette);
  SetDescription(field, reason);
}

// Back to the inherited palette in every colour group, so that a disabled field also
// looks as it did before and a later palette reaches the field.
void MarkValid(QLineEdit& field) {
  field.setPalette(QPalette());
  SetDescription(field, QString());
}

// Compiles the text as typed: the search trims it first, so an expression that compiles
// only untrimmed still reaches the search and ends it with the engine's report.
void ValidateExpressionField(QLineEdit& field, bool regExpr) {
  const std::string text = ToCp1251(field.text());
  if (regExpr && !TrimText(text).empty()) {
    try {
      RegexMatches(text, "");
    } catch (const std::exception& error) {
      MarkInvalid(field, QStringLiteral("Ошибка в выражении: ") + FromCp1251(error.what()));
      throw;
    }
  }
  MarkValid(field);
}

}  // namespace

// The first field that does not compile stops the validation and keeps btnGo disabled;
// the fields after it keep their colour until they are validated again.
void TfrmMain::UpdateSearchState() {
  try {
    const bool regExpr = chkRegExpr->isChecked();
    for (QLineEdit* field : {teOwner, static_cast<QLineEdit*>(mePhone), teCorpus})
      ValidateExpressionField(*field, regExpr);
    btnGo->setEnabled(AnyFieldFilled());
  } catch (...) {
    btnGo->setEnabled(false);
  }
}
