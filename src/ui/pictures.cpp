#include "ui/pictures.h"

#include "data/db.h"
#include "ui/layout.h"

#include <QFile>
#include <QGuiApplication>
#include <QHash>
#include <QImageReader>
#include <QLabel>

#include <future>
#include <map>
#include <memory>
#include <vector>

namespace {

// Naming the format and leaving out detection keeps Qt from loading every
// image-format plugin on the system to ask whether it reads PNG.
QImage readPng(const QString& path)
{
    if (!QFile::exists(path))
        return {};
    QImageReader reader(path, "png");
    reader.setAutoDetectImageFormat(false);
    return reader.read();
}

// On a high-DPI screen the @2x file, drawn at half its pixel size.
QImage decode(const QString& path, qreal screenRatio)
{
    if (screenRatio > 1.0) {
        QString twice = path;
        twice.insert(path.size() - 4, QStringLiteral("@2x"));
        if (QFile::exists(twice)) {
            QImage image = readPng(twice);
            image.setDevicePixelRatio(2.0);
            return image;
        }
    }
    return readPng(path);
}

qreal screenRatio()
{
    return qGuiApp ? qGuiApp->devicePixelRatio() : 1.0;
}

// Pictures are shared read-only for the whole run, so one store serves every
// screen. Some are on their way from a second thread; QPixmap itself belongs
// to this one.
struct Store {
    QHash<QString, QPixmap> pixmaps;
    std::map<QString, std::future<QImage>> decoding;
    std::vector<std::future<void>> workers;
};

Store& store()
{
    static Store s;
    return s;
}

// Decodes the pictures one after the other on a second thread, the first first.
void decodeAhead(const QStringList& paths)
{
    Store& s = store();
    QStringList todo;
    for (const QString& path : paths) {
        if (!s.pixmaps.contains(path) && !s.decoding.count(path))
            todo << path;
    }
    if (todo.isEmpty())
        return;
    auto promises = std::make_shared<std::vector<std::promise<QImage>>>(todo.size());
    for (qsizetype i = 0; i < todo.size(); ++i)
        s.decoding.emplace(todo[i], (*promises)[size_t(i)].get_future());
    s.workers.push_back(std::async(std::launch::async, [todo, ratio = screenRatio(), promises] {
        for (qsizetype i = 0; i < todo.size(); ++i)
            (*promises)[size_t(i)].set_value(decode(todo[i], ratio));
    }));
}

QPixmap cached(const QString& path)
{
    Store& s = store();
    if (auto it = s.pixmaps.constFind(path); it != s.pixmaps.constEnd())
        return *it;
    QImage image;
    if (auto d = s.decoding.find(path); d != s.decoding.end()) {
        image = d->second.get();
        s.decoding.erase(d);
    } else {
        image = decode(path, screenRatio());
    }
    const QPixmap pixmap = QPixmap::fromImage(std::move(image));
    s.pixmaps.insert(path, pixmap);
    return pixmap;
}

QString iconPath(int size)
{
    return QStringLiteral(":/pictures/icon/rumena-%1.png").arg(size);
}

QString backgroundPath(const QString& screen)
{
    static const QStringList typed = {QStringLiteral("frmListP1"), QStringLiteral("frmListP2"),
                                      QStringLiteral("frmListDui")};
    const QString name = typed.contains(screen) ? QStringLiteral("frmListTyped") : screen;
    return QStringLiteral(":/pictures/backgrounds/%1.png").arg(name);
}

QPixmap listPicture(const QString& list, int n, int count)
{
    if (n < 1 || n > count)
        return {};
    return cached(QStringLiteral(":/pictures/%1/%2.png").arg(list).arg(n));
}

} // namespace

namespace Pictures {

QPixmap btn(int n)
{
    return listPicture(QStringLiteral("ilBtn"), n, 9);
}

QPixmap panda(int n)
{
    return listPicture(QStringLiteral("ilPanda"), n, 4);
}

QPixmap contents(const QString& screen, int n)
{
    if (screen == QLatin1String("frmTOC"))
        return listPicture(QStringLiteral("ilContents-frmTOC"), n, Layout::frmTOC::contentsCount);
    if (screen == QLatin1String("frmExamTOC"))
        return listPicture(QStringLiteral("ilContents-frmExamTOC"), n, 3);
    return {};
}

QPixmap maruBatu(int n)
{
    return listPicture(QStringLiteral("ilMaruBatu"), n, 2);
}

QPixmap smallMark(int n)
{
    return listPicture(QStringLiteral("ilMaruBatuS"), n, 2);
}

QPixmap speechSwitch(int n)
{
    return listPicture(QStringLiteral("ilSwitch"), n, 10);
}

QPixmap countdown(int n)
{
    return listPicture(QStringLiteral("ilCountdown"), n, 3);
}

QPixmap speaker(int n)
{
    return listPicture(QStringLiteral("ilSpeaker"), n, 3);
}

QPixmap background(const QString& screen)
{
    return cached(backgroundPath(screen));
}

void prefetchMainMenu()
{
    // The small icons first: the window icon is set at once.
    QStringList paths;
    for (int size : iconSizes) {
        if (size <= largestWindowIcon)
            paths << iconPath(size);
    }
    decodeAhead(paths << QStringLiteral(":/pictures/ilBtn/7.png") << backgroundPath(QStringLiteral("frmTOC")));
}

void releaseBackground(const QString& screen)
{
    store().pixmaps.remove(backgroundPath(screen));
}

QPixmap searchMask()
{
    return cached(QStringLiteral(":/pictures/masks/frmSearch.png"));
}

QIcon appIcon()
{
    // A window asks for the small sizes only; menus and docks take the larger
    // ones from the installed icon theme.
    QIcon icon;
    for (int size : iconSizes) {
        if (size <= largestWindowIcon)
            icon.addPixmap(cached(iconPath(size)));
    }
    return icon;
}

} // namespace Pictures

QPixmap loadGlyph(int ckey)
{
    return listPicture(QStringLiteral("ilCharsS"), ckey, 804);
}

void showGlyph(QLabel* picture, const DB& db, int ckey)
{
    if (const QPixmap glyph = loadGlyph(ckey); glyph.isNull())
        picture->clear();
    else
        picture->setPixmap(glyph);
    picture->setAccessibleName(db.glyphCharacter(ckey));
}
