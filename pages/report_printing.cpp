#include "pages/report_printing.h"

#include "files/local_date_time.h"
#include "pages/user_dialogs.h"
#include "print/report.h"
#include "render/report_pdf.h"

#include <QPrinter>
#include <QString>

namespace vorelin {

namespace {

bool PrintsToPdfFile(const QPrinter& printer) {
    return printer.outputFormat() == QPrinter::PdfFormat && !printer.outputFileName().isEmpty();
}

} // namespace

void SendReportToPrinter(QWidget* parent, const LoadAnalysis& analysis, DotStyle mark, UserDialogs& dialogs,
                         std::span<const std::string> systemLines) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageOrientation(QPageLayout::Portrait);
    printer.setDocName(QString::fromUtf8(kReportTitle.data(), static_cast<qsizetype>(kReportTitle.size())));
    if (!dialogs.AskPrinter(parent, printer)) return;

    const DisplayList report = DrawnReport(analysis, CurrentDateTimeText(), mark, systemLines);
    // A PDF file is written whole through a temporary file, so that a full disk is noticed and
    // never leaves half a file behind.
    if (PrintsToPdfFile(printer)) {
        const WriteResult written = WriteReportPdfFile(report, printer.outputFileName().toStdString(),
                                                       printer.pageLayout(), printer.resolution());
        if (written.Failed()) dialogs.ShowMessage(parent, QString::fromStdString(written.message));
        return;
    }
    const QString printerName = printer.printerName();
    if (!PaintReport(printer, report) || printer.printerState() == QPrinter::Error) {
        const QString named = printerName.isEmpty() ? QString() : QStringLiteral(" ") + printerName;
        dialogs.ShowMessage(parent, QStringLiteral("The printer") + named +
                                        QStringLiteral(" did not take the report; nothing was printed."));
    }
}

} // namespace vorelin
