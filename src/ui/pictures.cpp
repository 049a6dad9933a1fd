#include "ui/pictures.h"

#include "data/db.h"

#include <QHash>
#include <QLabel>

namespace {

QPixmap cached(const QString& path)
{
    // Pictures are shared read-only for the whole run, so one cache serves every screen.
    static QHash<QString, QPixmap> cache;
    auto it = cache.constFind(path);
    if (it != cache.constEnd())
        return *it;
    QPixmap pixmap(path);
    cache.insert(path, pixmap);
    return pixmap;
}

QPixmap listPicture(const QString& list, int n, int count)
{
    if (n < 1 || n > count)
        return {};
    return cached(QStringLiteral(":/pictures/%1/%2.png").arg(list).arg(n));
}

} // namespace

namespace Pictures {

QPixmap btn(int n) { return listPicture(QStringLiteral("ilBtn"), n, 8); }

QPixmap panda(int n) { return listPicture(QStringLiteral("ilPanda"), n, 4); }

QPixmap contents(const QString& screen, int n)
{
    if (screen == QLatin1String("frmTOC"))
        return listPicture(QStringLiteral("ilContents-frmTOC"), n, 6);
    if (screen == QLatin1String("frmExamTOC"))
        return listPicture(QStringLiteral("ilContents-frmExamTOC"), n, 3);
    return {};
}

QPixmap maruBatu(int n) { return listPicture(QStringLiteral("ilMaruBatu"), n, 2); }

QPixmap background(const QString& screen)
{
    static const QStringList typed = {QStringLiteral("frmListP1"), QStringLiteral("frmListP2"),
                                      QStringLiteral("frmListDui")};
    const QString name = typed.contains(screen) ? QStringLiteral("frmListTyped") : screen;
    return cached(QStringLiteral(":/pictures/backgrounds/%1.png").arg(name));
}

QPixmap searchMask() { return cached(QStringLiteral(":/pictures/masks/frmSearch.png")); }

QIcon appIcon()
{
    QIcon icon;
    // With its size given, a file is decoded only when the desktop asks for that size.
    for (int size : iconSizes)
        icon.addFile(QStringLiteral(":/pictures/icon/rumena-%1.png").arg(size), QSize(size, size));
    return icon;
}

} // namespace Pictures

QPixmap loadGlyph(int ckey) { return listPicture(QStringLiteral("ilCharsS"), ckey, 804); }

void showGlyph(QLabel* picture, const DB& db, int ckey)
{
    picture->setPixmap(loadGlyph(ckey));
    picture->setAccessibleName(db.glyphCharacter(ckey));
}
