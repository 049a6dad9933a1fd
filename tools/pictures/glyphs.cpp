#include "glyphs.h"

#include "canvas.h"

#include <QFile>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QTextStream>
#include <cstdio>
#include <cstdlib>

QList<QString> readGlyphCharacters(const QString& tsvFile)
{
    QFile file(tsvFile);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        std::fprintf(stderr, "cannot read %s\n", qPrintable(tsvFile));
        std::exit(1);
    }
    QTextStream in(&file);
    in.setEncoding(QStringConverter::Utf8);
    QList<QString> chars;
    const QString header = in.readLine();
    if (!header.startsWith(QLatin1String("ckey\tcharacter"))) {
        std::fprintf(stderr, "unexpected header in %s\n", qPrintable(tsvFile));
        std::exit(1);
    }
    while (!in.atEnd()) {
        const QString line = in.readLine();
        if (line.isEmpty())
            continue;
        const QStringList fields = line.split('\t');
        bool ok = false;
        const int key = fields.value(0).toInt(&ok);
        if (!ok || key != chars.size() + 1 || fields.size() < 2) {
            std::fprintf(stderr, "bad row in %s: %s\n", qPrintable(tsvFile), qPrintable(line));
            std::exit(1);
        }
        chars.append(fields[1].trimmed());
    }
    return chars;
}

QImage renderGlyph(const QString& character, int scale)
{
    const QSize cell = Layout::glyphSize;
    QImage image = makeCanvas(cell, scale, Qt::white);
    if (character.isEmpty())
        return image;
    // The SC family explicitly, and no fallback: 骨 直 角 must keep their mainland forms.
    QFont font(QStringLiteral("Noto Sans CJK SC"));
    font.setStyleStrategy(QFont::StyleStrategy(QFont::NoFontMerging | QFont::PreferAntialias));
    font.setHintingPreference(QFont::PreferFullHinting);
    font.setWeight(QFont::Medium);
    static const bool checked = [&] {
        const QString family = QFontInfo(font).family();
        if (family != QLatin1String("Noto Sans CJK SC")) {
            std::fprintf(stderr, "glyph font resolved to %s; install fonts-noto-cjk\n", qPrintable(family));
            std::exit(1);
        }
        return true;
    }();
    Q_UNUSED(checked);
    const qreal em = 21.0; // 22 fills the cell, but glyphs of one word then touch each other
    font.setPixelSize(qRound(em * scale));
    const QFontMetricsF m(font);
    if (!m.inFontUcs4(character.toUcs4().value(0))) {
        std::fprintf(stderr, "the font has no %s\n", qPrintable(character));
        std::exit(1);
    }
    // Centre the character's ideographic em box (not its ink) so that every glyph
    // shares one baseline and size, as printed text does.
    const qreal emPx = em * scale;
    const qreal advance = m.horizontalAdvance(character);
    const qreal emTop = -0.88 * emPx; // ideographic em box: 0.88 above the baseline, 0.12 below
    const qreal dx = (cell.width() * scale - advance) / 2.0;
    const qreal dy = (cell.height() * scale - emPx) / 2.0 - emTop;
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(1.0 / scale, 1.0 / scale);
    // Text drawing rather than an outline path: the rasteriser's hinting keeps strokes crisp at 23x24.
    p.setFont(font);
    p.setPen(Qt::black);
    p.drawText(QPointF(dx, dy), character);
    return image;
}
