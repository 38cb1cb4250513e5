#pragma once
// The search conditions as a print states them: «№ телефона: 12; Город: Самара».

#include <QString>
#include <vector>

class QAbstractButton;
class QWidget;

// Each field with text (a line edit's or a drop-down's, trimmed) as "caption: text",
// the caption being its label's (the QLabel in the same window whose buddy it is),
// then the text of each box that is checked; joined by "; ".
QString SearchConditions(const std::vector<const QWidget*>& fields, const std::vector<const QAbstractButton*>& boxes);
