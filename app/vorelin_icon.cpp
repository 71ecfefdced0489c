// vorelin-icon FOLDER SIZE...: writes the program's icon as FOLDER/SIZExSIZE/apps/vorelin.png
// for each size, the layout of a freedesktop icon theme.
#include "render/program_icon.h"

#include <QDir>
#include <QString>

#include <cstdio>

int main(int argc, char* argv[]) {
    if (argc < 3) {
        std::fputs("usage: vorelin-icon FOLDER SIZE...\n", stderr);
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    for (int i = 2; i < argc; ++i) {
        bool ok = false;
        const int pixels = QString::fromLatin1(argv[i]).toInt(&ok);
        if (!ok || pixels < 8 || pixels > 1024) {
            std::fprintf(stderr, "vorelin-icon: not a size: %s\n", argv[i]);
            return 2;
        }
        const QString size = QString::number(pixels);
        const QString apps =
            folder + QLatin1Char('/') + size + QLatin1Char('x') + size + QStringLiteral("/apps");
        if (!QDir().mkpath(apps) ||
            !vorelin::ProgramIconImage(pixels).save(apps + QStringLiteral("/vorelin.png"))) {
            std::fprintf(stderr, "vorelin-icon: cannot write %s\n", qPrintable(apps));
            return 1;
        }
    }
    return 0;
}
