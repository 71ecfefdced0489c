// The main of the benchmarks that use Qt. Fonts need a QGuiApplication; the benchmarks that
// drive pages (built with VORELIN_BENCH_WIDGETS) need a QApplication for their windows. No window
// is shown: the offscreen platform needs no display.
#include "render/vector_state.h"

#include <benchmark/benchmark.h>

#if defined(VORELIN_BENCH_WIDGETS)
#include <QApplication>
using Application = QApplication;
#else
#include <QGuiApplication>
using Application = QGuiApplication;
#endif

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    Application app(argc, argv);
    vorelin::ClearUpperVectorState(); // as the program does once its application exists
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
