#pragma once
// The main of a window test: the program's own application object, so that a
// handler's exception reaches the error report as it does in the program.

#include <QTest>

#include "ui/Application.h"

#define ORLINAR_WINDOW_TEST_MAIN(TestClass) \
  int main(int argc, char** argv) {         \
    TApplication application(argc, argv);   \
    TestClass test;                         \
    return QTest::qExec(&test, argc, argv); \
  }
