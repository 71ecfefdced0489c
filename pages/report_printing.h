#pragma once

#include "core/load_analysis.h"
#include "graphics/load_marks.h"

#include <span>
#include <string>

class QWidget;

namespace vorelin {

class UserDialogs;

// "Send to printer": the print dialog, then the report of the analysis (its load marked in
// `mark`) on the chosen printer or PDF file. Cancelling prints nothing and says nothing; a
// failure after the dialog is told in one message box that names the printer or the file.
void SendReportToPrinter(QWidget* parent, const LoadAnalysis& analysis, DotStyle mark, UserDialogs& dialogs,
                         std::span<const std::string> systemLines = {});

} // namespace vorelin
