#pragma once

#include "files/file_io.h"
#include "graphics/display_list.h"
#include "render/page_renderer.h"

#include <QByteArray>
#include <QSize>

#include <string>

namespace vorelin {

// A page's drawing as a picture file: PNG pixels or an SVG drawing, fitted to `pixels` as the
// window fits it. Both are made without a display (a QGuiApplication must exist for the fonts).

// A picture of a page (copied, saved, written by vorelin-calc) has twice the pixels of the window
// it shows: crisp when scaled down or printed.
inline QSize PicturePixels(QSize window) { return window * 2; }
// The window a picture stands for where there is none (vorelin-calc, vorelin-pictures).
inline constexpr QSize kStandardWindowPixels(1200, 900);

// The bytes of a PNG of the page; empty when it could not be made.
QByteArray PagePng(const DisplayList& page, PageSize size, QSize pixels, Colour background);
// The bytes of an SVG drawing of the page, `pixels` its size in SVG user units.
QByteArray PageSvg(const DisplayList& page, PageSize size, QSize pixels, Colour background);

// The same written as a whole file at `path` (UTF-8); on failure the message names the file.
WriteResult WritePagePng(const std::string& path, const DisplayList& page, PageSize size, QSize pixels,
                         Colour background);
WriteResult WritePageSvg(const std::string& path, const DisplayList& page, PageSize size, QSize pixels,
                         Colour background);

} // namespace vorelin
