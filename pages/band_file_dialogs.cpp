#include "pages/band_file_dialogs.h"

#include "core/entries.h"
#include "core/number_text.h"
#include "files/band_workflow.h"
#include "graphics/display_list.h"
#include "graphics/style.h"
#include "pages/user_dialogs.h"
#include "render/page_pictures.h"

#include <QStringList>

namespace vorelin {

std::optional<BandTable> BandFileDialogs::OpenTable() {
    const QString chosen =
        m_dialogs.AskOpenFileName(&m_page, QStringLiteral("Open Band Table"),
                                  QStringLiteral("Band tables (*.csv *.txt);;All files (*)"));
    if (chosen.isEmpty()) return std::nullopt;
    BandRead read = ReadNamedBandTable(chosen.toStdString());
    if (!read.Ok()) {
        Tell(read.error);
        return std::nullopt;
    }
    return std::move(read.table);
}

bool BandFileDialogs::SaveTable(const BandTable& table) {
    const QString chosen =
        m_dialogs.AskSaveFileName(&m_page, QStringLiteral("Save Band Table"),
                                  QStringLiteral("Band tables (*.csv)"), QStringLiteral("csv"));
    if (chosen.isEmpty()) return false;
    const WriteResult result = WriteNamedBandTable(chosen.toStdString(), table);
    if (result.Failed()) Tell(result.message);
    return !result.Failed();
}

bool BandFileDialogs::OfferToSaveTable(const std::string& question, const BandTable& table) {
    return !question.empty() &&
           m_dialogs.AskYesNo(&m_page, QString::fromStdString(question), QStringLiteral("Save table as…"),
                              QStringLiteral("Don't save")) &&
           SaveTable(table);
}

void BandFileDialogs::SaveTouchstone(const BandTable& table, std::span<const BandResult> results,
                                     const std::optional<Feedline>& feedpointsThrough) {
    const std::vector<float> impedances =
        feedpointsThrough ? std::vector{static_cast<float>(feedpointsThrough->zc)} : BandImpedances(table);
    BandExports exports{
        {}, impedances.empty() ? kFallbackImpedance : impedances.front(), {}, feedpointsThrough};
    if (const std::string problem = BandTouchstoneProblem(table, results, exports.reference);
        !problem.empty())
        return Tell(problem);
    if (impedances.size() > 1) {
        QStringList choices;
        for (const float impedance : impedances)
            choices << QString::fromStdString(PlainText(impedance) + " ohms");
        const int picked = m_dialogs.AskChoice(
            &m_page,
            QStringLiteral("The rows have different system impedances. Which one should the file refer to?"),
            choices);
        if (picked < 0) return;
        exports.reference = impedances[static_cast<std::size_t>(picked)];
    }
    exports.touchstonePath =
        m_dialogs
            .AskSaveFileName(&m_page, QStringLiteral("Save Touchstone File"),
                             QStringLiteral("Touchstone one-port files (*.s1p)"), QStringLiteral("s1p"))
            .toStdString();
    if (exports.touchstonePath.empty()) return;
    if (const WriteResult result = WriteBandExports(exports, table, results); result.Failed())
        Tell(result.message);
}

void BandFileDialogs::SaveResultsCsv(const BandTable& table, std::span<const BandResult> results,
                                     const std::optional<Feedline>& feedpointsThrough) {
    BandExports exports;
    exports.feedpointsThrough = feedpointsThrough;
    exports.csvPath = m_dialogs
                          .AskSaveFileName(&m_page, QStringLiteral("Save Band Results"),
                                           QStringLiteral("CSV files (*.csv)"), QStringLiteral("csv"))
                          .toStdString();
    if (exports.csvPath.empty()) return;
    if (const WriteResult result = WriteBandExports(exports, table, results); result.Failed())
        Tell(result.message);
}

void BandFileDialogs::SavePicture(QSize pixels, const std::function<void(DisplayList&)>& draw) {
    const QStringList types{QStringLiteral("PNG picture of the page (*.png)"),
                            QStringLiteral("SVG drawing of the page (*.svg)")};
    const UserDialogs::SaveChoice choice = m_dialogs.AskSaveAs(&m_page, QStringLiteral("Save as"), types);
    if (choice.fileName.isEmpty()) return;
    DisplayList picture;
    draw(picture);
    const std::string path = choice.fileName.toStdString();
    const WriteResult result = choice.type == 1
                                   ? WritePageSvg(path, picture, kWindowPage, pixels, kPaperColour)
                                   : WritePagePng(path, picture, kWindowPage, pixels, kPaperColour);
    if (result.Failed()) Tell(result.message);
}

void BandFileDialogs::Tell(const std::string& message) {
    m_dialogs.ShowMessage(&m_page, QString::fromStdString(message));
}

} // namespace vorelin
