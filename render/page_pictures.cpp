#include "render/page_pictures.h"

#include <QBuffer>
#include <QPainter>
#include <QSvgGenerator>

namespace vorelin {

namespace {

WriteResult WritePicture(const std::string& path, const QByteArray& bytes, const char* kind) {
    WriteResult result;
    if (bytes.isEmpty()) {
        result.status = WriteResult::Status::Failed;
        result.fileName = path;
        result.reason = std::string("the ") + kind + " picture could not be made";
    } else {
        result = WriteFileAtomically(path, std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
    }
    if (result.Failed())
        result.message = std::string("The picture file ") + result.fileName + " could not be written: " + result.reason + ".";
    return result;
}

} // namespace

QByteArray PagePng(const DisplayList& page, PageSize size, QSize pixels, Colour background) {
    const QImage image = RenderPage(page, size, pixels, background);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    if (image.isNull() || !buffer.open(QIODevice::WriteOnly) || !image.save(&buffer, "PNG")) return {};
    return bytes;
}

QByteArray PageSvg(const DisplayList& page, PageSize size, QSize pixels, Colour background) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    if (!buffer.open(QIODevice::WriteOnly)) return {};
    QSvgGenerator svg;
    svg.setOutputDevice(&buffer);
    svg.setSize(pixels);
    svg.setViewBox(QRect(QPoint(0, 0), pixels));
    svg.setTitle(QStringLiteral("Vorelin"));
    QPainter painter;
    if (!painter.begin(&svg)) return {};
    painter.fillRect(QRect(QPoint(0, 0), pixels), ToQColor(background));
    // Circles are drawn one by one into a vector drawing: no stamping into pixels.
    RenderOptions options;
    options.stampCircles = false;
    RenderDisplayList(painter, page, PageToDevice(size, QRectF(QPointF(0, 0), QSizeF(pixels))), options);
    if (!painter.end()) return {};
    return bytes;
}

WriteResult WritePagePng(const std::string& path, const DisplayList& page, PageSize size, QSize pixels,
                         Colour background) {
    return WritePicture(path, PagePng(page, size, pixels, background), "PNG");
}

WriteResult WritePageSvg(const std::string& path, const DisplayList& page, PageSize size, QSize pixels,
                         Colour background) {
    return WritePicture(path, PageSvg(page, size, pixels, background), "SVG");
}

} // namespace vorelin
