#pragma once
// What a test's file holds now, or a marker no file it writes would hold.

#include <QByteArray>
#include <QFile>
#include <QString>

inline QByteArray FileContents(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}
