#include "render/program_icon.h"

#include "graphics/display_list.h"
#include "graphics/program_icon.h"
#include "render/page_renderer.h"

#include <QPainter>

namespace vorelin {

QImage ProgramIconImage(int pixels) {
    DisplayList icon;
    DrawProgramIcon(icon);
    QImage image(pixels, pixels, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    const PageSize page{kIconSide, kIconSide};
    RenderOptions options;
    // The pens are drawn for a 64-pixel icon and keep their weight relative to the icon.
    options.penPixels = pixels / 64.0;
    RenderDisplayList(painter, icon, PageToDevice(page, QRectF(0, 0, pixels, pixels)), options);
    return image;
}

QIcon ProgramIcon() {
    QIcon icon;
    for (const int pixels : {16, 24, 32, 48, 64, 128, 256})
        icon.addPixmap(QPixmap::fromImage(ProgramIconImage(pixels)));
    return icon;
}

} // namespace vorelin
