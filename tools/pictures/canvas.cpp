#include "canvas.h"

#include <QDir>
#include <QFontDatabase>
#include <QLinearGradient>
#include <QPainterPath>
#include <QSvgRenderer>
#include <cstdio>
#include <cstdlib>

QImage makeCanvas(QSize size, int scale, QColor fill)
{
    QImage image(size * scale, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(scale);
    image.fill(fill);
    return image;
}

void savePicture(const QImage& image, const QString& dir, const QString& name)
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
    if (!out.save(file, "PNG", 9)) {
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
