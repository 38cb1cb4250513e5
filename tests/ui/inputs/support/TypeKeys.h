#pragma once
// QTest::keyClicks takes Latin-1 only; these send any character as a typed key.

#include <QString>
#include <QWidget>

void TypeKeys(QWidget* widget, const QString& text);
