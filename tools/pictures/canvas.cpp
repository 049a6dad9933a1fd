#include "canvas.h"

#include <QDir>
#include <QFile>
#include <QFontDatabase>
#include <QLinearGradient>
#include <QPainterPath>
#include <QSvgRenderer>
#include <QtEndian>
#include <array>
#include <cstdio>
#include <cstdlib>

QImage makeCanvas(QSize size, int scale, QColor fill)
{
    QImage image(size * scale, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(scale);
    image.fill(fill);
    return image;
}

namespace {

quint32 crc32(const QByteArray& bytes)
{
    static const auto table = [] {
        std::array<quint32, 256> t{};
        for (quint32 n = 0; n < 256; ++n) {
            quint32 c = n;
            for (int k = 0; k < 8; ++k)
                c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            t[n] = c;
        }
        return t;
    }();
    quint32 c = 0xFFFFFFFFu;
    for (char b : bytes)
        c = table[(c ^ static_cast<uchar>(b)) & 0xFF] ^ (c >> 8);
    return c ^ 0xFFFFFFFFu;
}

void appendChunk(QByteArray& png, const char* type, const QByteArray& data)
{
    const QByteArray typed = QByteArray(type) + data;
    char number[4];
    qToBigEndian<quint32>(quint32(data.size()), number);
    png.append(number, 4).append(typed);
    qToBigEndian<quint32>(crc32(typed), number);
    png.append(number, 4);
}

// A PNG whose rows all use filter None. Qt's writer picks filters row by row
// (mostly Paeth), which the program then undoes at every decode; for these
// flat, drawn pictures None is as small and decodes two to three times faster.
QByteArray unfilteredPng(const QImage& image)
{
    const bool alpha = image.hasAlphaChannel();
    const QImage rgb = image.convertToFormat(alpha ? QImage::Format_RGBA8888 : QImage::Format_RGB888);
    const int rowBytes = rgb.width() * (alpha ? 4 : 3);
    QByteArray rows;
    rows.reserve((rowBytes + 1) * rgb.height());
    for (int y = 0; y < rgb.height(); ++y)
        rows.append('\0').append(reinterpret_cast<const char*>(rgb.constScanLine(y)), rowBytes);
    QByteArray header(13, '\0');
    qToBigEndian<quint32>(quint32(rgb.width()), header.data());
    qToBigEndian<quint32>(quint32(rgb.height()), header.data() + 4);
    header[8] = 8;             // bits per channel
    header[9] = alpha ? 6 : 2; // RGBA or RGB
    QByteArray png("\x89PNG\r\n\x1a\n", 8);
    appendChunk(png, "IHDR", header);
    appendChunk(png, "IDAT", qCompress(rows, 9).mid(4)); // qCompress puts the length before the zlib stream
    appendChunk(png, "IEND", QByteArray());
    return png;
}

} // namespace

void savePicture(const QImage& image, const QString& dir, const QString& name, Encoding encoding)
{
    QDir().mkpath(dir);
    const int scale = qRound(image.devicePixelRatio());
    const QString file = dir + '/' + name + (scale == 2 ? QStringLiteral("@2x.png") : QStringLiteral(".png"));
    QImage out = image;
    out.setDevicePixelRatio(1);
    // Opaque pictures are stored without alpha: smaller, and nothing shows through by accident.
    bool opaque = true;
    for (int y = 0; opaque && y < out.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(out.constScanLine(y));
        for (int x = 0; x < out.width(); ++x)
            if (qAlpha(line[x]) != 255) {
                opaque = false;
                break;
            }
    }
    if (opaque)
        out = out.convertToFormat(QImage::Format_RGB32);
    bool written = false;
    if (encoding == Encoding::QuickToDecode) {
        QFile f(file);
        written = f.open(QIODevice::WriteOnly) && f.write(unfilteredPng(out)) > 0;
    } else {
        written = out.save(file, "PNG", 9);
    }
    if (!written) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(file));
        std::exit(1);
    }
}

QString svgPath(const QString& name) { return QStringLiteral(SOURCES_DIR "/svg/") + name + ".svg"; }

static QSvgRenderer& renderer(const QString& file)
{
    static QHash<QString, QSvgRenderer*> cache;
    auto*& r = cache[file];
    if (!r) {
        r = new QSvgRenderer(file);
        if (!r->isValid()) {
            std::fprintf(stderr, "bad SVG %s\n", qPrintable(file));
            std::exit(1);
        }
    }
    return *r;
}

QImage renderSvg(const QString& file, QSize size, int scale)
{
    QImage image = makeCanvas(size, scale);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    renderer(file).render(&p, QRectF(QPointF(0, 0), size));
    return image;
}

void drawSvg(QPainter& p, const QString& file, const QRectF& target) { renderer(file).render(&p, target); }

QFont houseFont(Face face, qreal pixelSize)
{
    const bool serif = face == Face::Serif || face == Face::SerifBold;
    QFont font(serif ? QStringLiteral("Noto Serif CJK JP") : QStringLiteral("Noto Sans CJK JP"));
    font.setPixelSize(qRound(pixelSize));
    font.setBold(face == Face::SansBold || face == Face::SerifBold);
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

void drawText(QPainter& p, const QRectF& box, const QString& text, Face face, qreal px, QColor colour, int flags)
{
    p.save();
    p.setFont(houseFont(face, px));
    p.setPen(colour);
    p.drawText(box, flags, text);
    p.restore();
}

void roundedPanel(QPainter& p, const QRectF& box, qreal radius, QColor fill, QColor border, bool shadow)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    if (shadow) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(60, 50, 30, 22));
        p.drawRoundedRect(box.translated(0, 2), radius, radius);
    }
    p.setBrush(fill);
    p.setPen(QPen(border, 1));
    p.drawRoundedRect(box.adjusted(0.5, 0.5, -0.5, -0.5), radius, radius);
    p.restore();
}

void bambooSprig(QPainter& p, QPointF base, qreal height, qreal alpha)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    QColor stem(0x8C, 0xC1, 0x74, int(255 * alpha));
    QColor leaf(0x6F, 0xB0, 0x63, int(255 * alpha));
    p.setPen(Qt::NoPen);
    p.setBrush(stem);
    p.drawRoundedRect(QRectF(base.x() - 4, base.y() - height, 8, height), 3, 3);
    p.setPen(QPen(QColor(0x4E, 0x8E, 0x4A, int(255 * alpha)), 1.4));
    for (qreal y = base.y() - height * 0.3; y > base.y() - height; y -= height * 0.3)
        p.drawLine(QPointF(base.x() - 4, y), QPointF(base.x() + 4, y));
    p.setPen(Qt::NoPen);
    p.setBrush(leaf);
    for (int i = 0; i < 4; ++i) {
        const qreal y = base.y() - height * (0.35 + 0.18 * i);
        const qreal dir = i % 2 ? -1 : 1;
        QPainterPath path;
        path.moveTo(base.x(), y);
        path.quadTo(base.x() + dir * 20, y - 14, base.x() + dir * 38, y - 6);
        path.quadTo(base.x() + dir * 18, y + 4, base.x(), y);
        p.drawPath(path);
    }
    p.restore();
}

void screenFrame(QPainter& p, QSize size, bool exitMark, const QRect& exitRect)
{
    using namespace Layout;
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    QLinearGradient ground(0, 0, 0, size.height());
    ground.setColorAt(0, rgb(Palette::paper));
    ground.setColorAt(1, QColor(0xF5, 0xEF, 0xDF));
    p.fillRect(QRect(QPoint(0, 0), size), ground);
    // Faint bamboo in the lower corners keeps the large screens from looking bare.
    bambooSprig(p, QPointF(size.width() - 14, size.height()), size.height() * 0.28, 0.16);
    bambooSprig(p, QPointF(10, size.height()), size.height() * 0.2, 0.12);

    QLinearGradient band(0, 0, 0, headerHeight);
    band.setColorAt(0, QColor(0x4F, 0xA0, 0x6E));
    band.setColorAt(1, rgb(Palette::bamboo));
    p.fillRect(QRect(0, 0, size.width(), headerHeight), band);
    p.fillRect(QRect(0, headerHeight, size.width(), 3), QColor(0xB9, 0xDC, 0xC2));
    if (exitMark)
        drawSvg(p, svgPath("exit"), exitRect);
}

void headerTitle(QPainter& p, const QString& title)
{
    drawText(p, Layout::lblTypeTitle, title, Face::SansBold, 22, rgb(Layout::Palette::headerInk));
}

void brandMark(QPainter& p, const QRect& box)
{
    drawText(p, box, QStringLiteral("ルメナ　～四級～"), Face::SansBold, 13, QColor(255, 255, 255, 200),
             Qt::AlignRight | Qt::AlignVCenter);
}

void menuItem(QPainter& p, const QRect& box, const QString& caption, bool highlighted)
{
    using namespace Layout;
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF card = QRectF(box).adjusted(1, 1, -1, -3);
    if (highlighted) {
        QLinearGradient g(card.topLeft(), card.bottomLeft());
        g.setColorAt(0, QColor(0x5C, 0xB0, 0x7C));
        g.setColorAt(1, QColor(0x3A, 0x88, 0x58));
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(30, 60, 40, 50));
        p.drawRoundedRect(card.translated(0, 2), 10, 10);
        p.setBrush(g);
        p.setPen(QPen(QColor(0x2F, 0x6F, 0x49), 1));
        p.drawRoundedRect(card, 10, 10);
    } else {
        roundedPanel(p, card, 10, rgb(Palette::panel), rgb(Palette::rule));
    }
    // Round badge with an arrow, then the caption.
    const QRectF badge(card.left() + 10, card.center().y() - 12, 24, 24);
    p.setPen(Qt::NoPen);
    p.setBrush(highlighted ? QColor(Qt::white) : rgb(Palette::bambooPale));
    p.drawEllipse(badge);
    QPainterPath arrow;
    arrow.moveTo(badge.center() + QPointF(-3, -6));
    arrow.lineTo(badge.center() + QPointF(4, 0));
    arrow.lineTo(badge.center() + QPointF(-3, 6));
    p.setPen(QPen(rgb(Palette::bamboo), 2.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(arrow);
    drawText(p, card.adjusted(46, 0, -10, 0), caption, Face::SansBold, 18,
             highlighted ? QColor(Qt::white) : rgb(Palette::ink));
    p.restore();
}
