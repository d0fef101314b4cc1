#include "app/WindowFont.h"

#include <QFile>
#include <QFontDatabase>
#include <QStringList>

namespace tarvel {

namespace {

QString LoadFamily() {
    const char* const candidates[] = {"/usr/share/wine/fonts/tahoma.ttf"};
    for (const char* path : candidates) {
        if (!QFile::exists(QString::fromUtf8(path)))
            continue;
        const int id = QFontDatabase::addApplicationFont(QString::fromUtf8(path));
        const QStringList families = QFontDatabase::applicationFontFamilies(id);
        if (!families.isEmpty())
            return families.constFirst();
    }
    return QStringLiteral("Liberation Sans");
}

} // namespace

QFont WindowFont() {
    // Registering once is enough for the whole application.
    static const QString family = LoadFamily();
    QFont font(family);
    font.setPixelSize(kWindowFontPixels);
    return font;
}

} // namespace tarvel
