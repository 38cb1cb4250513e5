#pragma once
// The printed pages of the found list as a PDF file, without a printer dialog.

#include <QPageLayout>
#include <QString>

#include "ui/print/PrintedList.h"

// Writes beside path and renames over it only once the PDF is whole: a failure,
// an exception while painting included, leaves an existing file as it was. Throws
// std::runtime_error with a Windows-1251 message that names the file.
void SaveListPdf(const QString& path, const TPrintedList& list, const QPageLayout& layout);

// A4 upright, the margins a desk printer can reach.
QPageLayout DefaultListPageLayout();
