#include "pages/report_printing.h"

#include "files/local_date_time.h"
#include "pages/page_renderer.h"
#include "pages/user_dialogs.h"
#include "pages/vector_state.h"
#include "print/report.h"

#include <QBuffer>
#include <QByteArray>
#include <QGuiApplication>
#include <QLocale>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QString>

#include <array>
#include <memory>

namespace vorelin {

namespace {

// The report's pen widths are pixels of a printer of this resolution.
constexpr double kPenDotsPerInch = 600;
// The resolution of a PDF: fine enough that every pen width keeps its weight.
constexpr int kPdfDotsPerInch = 1200;

QString FromUtf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

DisplayList DrawnReport(Session& session, std::string_view dateTimeText) {
    ClearUpperVectorState(); // after Qt's dialogs and start-up, before the grid's arithmetic
    DisplayList report;
    DrawReport(report, session, dateTimeText);
    return report;
}

// A portrait sheet of the paper the user's locale uses, the whole sheet printable.
QPageLayout LocalPaper() {
    const bool usUnits = QLocale::system().measurementSystem() == QLocale::ImperialUSSystem;
    return QPageLayout(QPageSize(usUnits ? QPageSize::Letter : QPageSize::A4), QPageLayout::Portrait,
                       QMarginsF(0, 0, 0, 0));
}

// The report as the bytes of a one-page PDF document; empty when it could not be made.
QByteArray ReportPdf(const DisplayList& report, const QPageLayout& layout, int dotsPerInch) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    if (!buffer.open(QIODevice::WriteOnly)) return {};
    {
        QPdfWriter writer(&buffer);
        writer.setTitle(FromUtf8(kReportTitle));
        writer.setCreator(QStringLiteral("Vorelin"));
        writer.setResolution(dotsPerInch);
        writer.setPageLayout(layout);
        if (!PaintReport(writer, report)) return {};
    } // the writer finishes the document when it goes
    return bytes;
}

// Fonts need a QGuiApplication. A program without one (the command-line calculator) gets one for
// as long as this lives; without a display it runs on the offscreen platform.
class GuiForFonts {
public:
    GuiForFonts() {
        if (QCoreApplication::instance() != nullptr) return;
#if defined(Q_OS_UNIX) && !defined(Q_OS_DARWIN)
        const bool noDisplay = qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") &&
                               qEnvironmentVariableIsEmpty("DISPLAY") &&
                               qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
        if (noDisplay) m_argc = 3;
#endif
        m_app = std::make_unique<QGuiApplication>(m_argc, m_argv.data());
    }

private:
    std::array<char, 8> m_name{"vorelin"};
    std::array<char, 10> m_platformOption{"-platform"};
    std::array<char, 10> m_offscreen{"offscreen"};
    std::array<char*, 4> m_argv{m_name.data(), m_platformOption.data(), m_offscreen.data(), nullptr};
    int m_argc = 1; // 3 with the platform option
    std::unique_ptr<QGuiApplication> m_app;
};

bool PrintsToPdfFile(const QPrinter& printer) {
    return printer.outputFormat() == QPrinter::PdfFormat && !printer.outputFileName().isEmpty();
}

WriteResult WritePdf(const DisplayList& report, const std::string& path, const QPageLayout& layout,
                     int dotsPerInch) {
    const QByteArray pdf = ReportPdf(report, layout, dotsPerInch);
    WriteResult result;
    if (pdf.isEmpty()) {
        result.status = WriteResult::Status::Failed;
        result.fileName = path;
        result.reason = "the PDF document could not be made";
    } else {
        result = WriteFileAtomically(path,
                                     std::string_view(pdf.constData(), static_cast<std::size_t>(pdf.size())));
    }
    if (result.Failed())
        result.message =
            "The report file " + result.fileName + " could not be written: " + result.reason + ".";
    return result;
}

} // namespace

bool PaintReport(QPagedPaintDevice& device, const DisplayList& report) {
    QPainter painter;
    if (!painter.begin(&device)) return false;
    // The painter's origin is the printable area's top-left corner.
    const PageToDevice mapping(kPrinterPage, QRectF(0, 0, device.width(), device.height()));
    RenderOptions options;
    options.penPixels = device.logicalDpiX() / kPenDotsPerInch;
    RenderDisplayList(painter, report, mapping, options);
    return painter.end();
}

void SendReportToPrinter(QWidget* parent, Session& session, UserDialogs& dialogs) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageOrientation(QPageLayout::Portrait);
    printer.setDocName(FromUtf8(kReportTitle));
    if (!dialogs.AskPrinter(parent, printer)) return;

    const DisplayList report = DrawnReport(session, CurrentDateTimeText());
    // A PDF file is written whole through a temporary file, so that a full disk is noticed and
    // never leaves half a file behind.
    if (PrintsToPdfFile(printer)) {
        const WriteResult written = WritePdf(report, printer.outputFileName().toStdString(),
                                             printer.pageLayout(), printer.resolution());
        if (written.Failed()) dialogs.ShowMessage(parent, FromUtf8(written.message));
        return;
    }
    const QString printerName = printer.printerName();
    if (!PaintReport(printer, report) || printer.printerState() == QPrinter::Error) {
        const QString named = printerName.isEmpty() ? QString() : QStringLiteral(" ") + printerName;
        dialogs.ShowMessage(parent, QStringLiteral("The printer") + named +
                                        QStringLiteral(" did not take the report; nothing was printed."));
    }
}

WriteResult WriteReportPdf(Session& session, const std::string& path, std::string_view dateTimeText) {
    const GuiForFonts gui;
    return WritePdf(DrawnReport(session, dateTimeText), path, LocalPaper(), kPdfDotsPerInch);
}

} // namespace vorelin
