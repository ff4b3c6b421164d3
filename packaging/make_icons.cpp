// Draws the program's icon into PNG files for the desktop's icon theme, at build time:
//   tamsel-make-icons OUTPUT_FOLDER SIZE...  ->  OUTPUT_FOLDER/<SIZE>x<SIZE>/apps/tamsel.png

#include "ui/app_icon.h"

#include <QDir>
#include <QGuiApplication>

#include <cstdio>

int main(int argc, char** argv) {
    // Drawing needs no display; the offscreen platform keeps a build machine without one happy.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() < 3) {
        std::fprintf(stderr, "usage: tamsel-make-icons OUTPUT_FOLDER SIZE...\n");
        return 2;
    }
    const QDir output(arguments[1]);
    for (const QString& argument : arguments.mid(2)) {
        bool ok = false;
        const int size = argument.toInt(&ok);
        const QString folder = QStringLiteral("%1x%1/apps").arg(size);
        if (!ok || size <= 0 || !output.mkpath(folder) ||
            !applicationIconImage(size).save(
                output.filePath(folder + QStringLiteral("/tamsel.png")), "PNG")) {
            std::fprintf(stderr, "tamsel-make-icons: cannot write the %s icon\n",
                         qPrintable(argument));
            return 1;
        }
    }
    return 0;
}
