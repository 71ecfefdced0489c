#pragma once

#include <QIcon>
#include <QImage>

namespace vorelin {

// The program's icon drawing rendered square, `pixels` a side, on a transparent background.
QImage ProgramIconImage(int pixels);

// The icon at the sizes window managers and panels ask for.
QIcon ProgramIcon();

} // namespace vorelin
