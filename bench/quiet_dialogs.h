#pragma once

#include "pages/user_dialogs.h"

#include <QPrinter>

// Dialogs for a benchmark: every question is answered "no" at once, every message goes nowhere.
class QuietDialogs final : public vorelin::UserDialogs {
public:
    void ShowMessage(QWidget*, const QString&) override {}
    void Beep() override {}
    QString AskSaveFileName(QWidget*, const QString&, const QString&, const QString&) override { return {}; }
    SaveChoice AskSaveAs(QWidget*, const QString&, const QStringList&) override { return {}; }
    QString AskOpenFileName(QWidget*, const QString&, const QString&) override { return {}; }
    bool AskOverwrite(QWidget*, const QString&) override { return false; }
    int AskChoice(QWidget*, const QString&, const QStringList&) override { return -1; }
    bool AskPrinter(QWidget*, QPrinter&) override { return false; }
};
