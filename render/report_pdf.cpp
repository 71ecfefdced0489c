#include "render/report_pdf.h"

#include "print/report.h"
#include "render/page_renderer.h"
#include "render/vector_state.h"

#include <QBuffer>
#include <QLocale>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QString>

namespace vorelin {

namespace {

// The report's pen widths are pixels of a printer of this resolution.
constexpr double kPenDotsPerInch = 600;

QString FromUtf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

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

QPageLayout LocalPaper() {
    const bool usUnits = QLocale::system().measurementSystem() == QLocale::ImperialUSSystem;
    return QPageLayout(QPageSize(usUnits ? QPageSize::Letter : QPageSize::A4), QPageLayout::Portrait,
                       QMarginsF(0, 0, 0, 0));
}

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

DisplayList DrawnReport(const LoadAnalysis& analysis, std::string_view dateTimeText, DotStyle mark,
                        std::span<const std::string> systemLines) {
    ClearUpperVectorState(); // after Qt's dialogs and start-up, before the grid's arithmetic
    DisplayList report;
    DrawReport(report, analysis, dateTimeText, mark, systemLines);
    return report;
}

WriteResult WriteReportPdfFile(const DisplayList& report, const std::string& path, const QPageLayout& layout,
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

} // namespace vorelin
