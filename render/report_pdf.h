#pragma once

#include "core/load_analysis.h"
#include "files/file_io.h"
#include "graphics/display_list.h"
#include "graphics/load_marks.h"

#include <QByteArray>

#include <span>
#include <string>
#include <string_view>

class QPageLayout;
class QPagedPaintDevice;

namespace vorelin {

// The printed report on a paged device. The report is drawn in the printer page's units
// (kPrinterPage); on a device that page is fitted uniformly into the printable area and centred. Its pen
// widths are counted in pixels of a 600 dpi printer, so that the weights of the chart's lines
// look alike on every device.

// Paints a drawn report as the one page of a paged device (a printer, a PDF writer) and ends
// the job. False when the device could not be started (an output file that cannot be opened,
// a printer that cannot be reached) or did not take the page.
bool PaintReport(QPagedPaintDevice& device, const DisplayList& report);

// The report of an analysis, its load marked in `mark`, the antenna system's lines (if any) under its figures.
DisplayList DrawnReport(const LoadAnalysis& analysis, std::string_view dateTimeText, DotStyle mark,
                        std::span<const std::string> systemLines = {});

// A drawn report as the bytes of a one-page PDF document; empty when it could not be made.
QByteArray ReportPdf(const DisplayList& report, const QPageLayout& layout, int dotsPerInch);

// A drawn report written as a one-page PDF file at `path` (UTF-8) on the given paper at the given
// resolution, whole or not at all. On failure the message names the file.
WriteResult WriteReportPdfFile(const DisplayList& report, const std::string& path, const QPageLayout& layout,
                               int dotsPerInch);

// A portrait sheet of the paper the user's locale uses (Letter where it measures in US units, A4
// elsewhere), the whole sheet printable; and the resolution of the report's PDF files.
QPageLayout LocalPaper();
inline constexpr int kReportPdfDotsPerInch = 1200;

} // namespace vorelin
