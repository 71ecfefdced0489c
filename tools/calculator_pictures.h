#pragma once

#include "core/load_analysis.h"
#include "files/output_plan.h"

#include <optional>
#include <span>
#include <string>

namespace vorelin {

// The files the calculator draws with the Qt Gui adapter (fonts, PNG, SVG, PDF), added to the
// outputs of one run. Neither needs a display. Each gives the failure instead when its file cannot
// be made: a vorelin-calc built without the adapter refuses them with a message.

// The printed report as "Send to printer" prints it when the results page has just opened (an
// analysis without an accuracy: the load marked with a blue circle of radius 50) or after an
// accuracy's button (with that region's area and ranges line, the load in the nominal mark).
// `systemLines` (the antenna system's) follow the figures.
std::optional<WriteResult> AddReportFile(OutputPlan& plan, const LoadAnalysis& analysis, const std::string& path,
                                         std::span<const std::string> systemLines = {});

// The results page as it opens (an analysis without an accuracy) or after an accuracy's button,
// at the picture size of a standard window on white, the chart stretched by the aspect ratio of
// the defaults file in the working folder (0.75 without one), as PNG, SVG or both. An empty path
// adds nothing.
std::optional<WriteResult> AddResultsPictures(OutputPlan& plan, const LoadAnalysis& analysis,
                                              const std::string& pngPath, const std::string& svgPath);

} // namespace vorelin
