#pragma once
// The main of a benchmark of widgets: headless unless a platform is asked for.

#include <benchmark/benchmark.h>
#include <QApplication>

#define ORLINAR_QT_BENCHMARK_MAIN()                                                              \
  int main(int argc, char** argv) {                                                              \
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen"); \
    QApplication app(argc, argv);                                                                \
    benchmark::Initialize(&argc, argv);                                                          \
    benchmark::RunSpecifiedBenchmarks();                                                         \
    benchmark::Shutdown();                                                                       \
    return 0;                                                                                    \
  }
