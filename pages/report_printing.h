#pragma once

#include "core/session.h"
#include "files/file_io.h"

#include <string>
#include <string_view>

class QPagedPaintDevice;
class QWidget;

namespace vorelin {

class DisplayList;
class UserDialogs;

// The printed report on paper. The report is drawn in the printer page's units (11500 x
// 15200); on a device that page is fitted uniformly into the printable area and centred. Its
// pen widths are counted in pixels of a 600 dpi printer, so that the weights of the chart's
// lines look alike on every device.

// Paints a drawn report as the one page of a paged device (a printer, a PDF writer) and ends
// the job. False when the device could not be started (an output file that cannot be opened,
// a printer that cannot be reached) or did not take the page.
bool PaintReport(QPagedPaintDevice& device, const DisplayList& report);

// "Send to printer": the print dialog, then the report of the session on the chosen printer or
// PDF file. Cancelling prints nothing and says nothing; a failure after the dialog is told in
// one message box that names the printer or the file.
void SendReportToPrinter(QWidget* parent, Session& session, UserDialogs& dialogs);

// The report of the session as a PDF file at `path` (UTF-8), written whole or not at all:
// portrait, on Letter paper where the user's locale measures in US units and A4 elsewhere.
// Works in a program without windows: when no application exists, one is made for the while,
// on the offscreen platform when no display is set. On failure the message names the file.
WriteResult WriteReportPdf(Session& session, const std::string& path, std::string_view dateTimeText);

} // namespace vorelin
