#pragma once
// The print preview of the found list. Its print button leads to the printer dialog,
// whose "print to file" makes a PDF of the same pages.

#include "ui/print/PrintedList.h"

class QWidget;

// Modal; returns once the user has printed or closed the preview. Painting that
// fails is reported, never thrown into the dialog's event loop.
void ShowPrintPreview(const TPrintedList& list, QWidget* parent);
