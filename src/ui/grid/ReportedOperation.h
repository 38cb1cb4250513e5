#pragma once
// User operations on the grid run from Qt's event handlers, where no exception may
// escape: a failure (in practice only running out of memory while ordering a huge
// list) is shown in a message box instead, and the operation is abandoned.

#include <functional>

class QWidget;

void RunReported(QWidget* parent, const std::function<void()>& operation);
