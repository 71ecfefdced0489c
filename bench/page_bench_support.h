#pragma once

#include "pages/user_dialogs.h"
#include "pages/vector_state.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QPrinter>

// Dialogs for a benchmark: every question is answered "no" at once, every message goes nowhere.
class QuietDialogs final : public vorelin::UserDialogs {
public:
    void ShowMessage(QWidget*, const QString&) override {}
    void Beep() override {}
    QString AskSaveFileName(QWidget*, const QString&, const QString&, const QString&) override { return {}; }
    bool AskOverwrite(QWidget*, const QString&) override { return false; }
    bool AskPrinter(QWidget*, QPrinter&) override { return false; }
};

// The main of a benchmark of pages: a page needs an application, and the offscreen platform
// needs no display.
inline int RunPageBenchmarks(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    vorelin::ClearUpperVectorState(); // as the program does once its application exists
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
