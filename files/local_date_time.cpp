#include "files/local_date_time.h"

#include <QDateTime>
#include <QLocale>

namespace vorelin {

std::string CurrentDateTimeText() {
    return QLocale::system().toString(QDateTime::currentDateTime(), QLocale::ShortFormat).toStdString();
}

} // namespace vorelin
