#pragma once

#include "graphics/style.h"

#include <QRectF>

namespace vorelin {

// Where every page's title stands (page units).
inline constexpr QRectF kPageTitlePlace{1000, 300, 10000, 500};

} // namespace vorelin
