// Writes every picture of data/pictures at 1x and 2x, and two contact sheets
// (glyphs; everything else) into tools/pictures/out for review.

#include "backgrounds.h"
#include "canvas.h"
#include "glyphs.h"
#include "mockups.h"

#include <QDir>
#include <QGuiApplication>
#include <cstdio>

namespace {

const QString picturesDir = QStringLiteral(REPO_ROOT "/data/pictures");
const QString sheetDir = QStringLiteral(SOURCES_DIR "/out");

struct Sheet {
    QList<QPair<QString, QImage>> items;
    void add(const QString& label, const QImage& image) { items.append({label, image}); }
};

// Lays the pictures out in rows on a grey ground, each with its name under it.
QImage contactSheet(const Sheet& sheet, int width)
{
    const int gap = 12, labelHeight = 16;
    int x = gap, y = gap, rowHeight = 0;
    QList<QPoint> at;
    for (const auto& [label, image] : sheet.items) {
        const QSize s = image.deviceIndependentSize().toSize();
        if (x + s.width() + gap > width && x > gap) {
            x = gap;
            y += rowHeight + labelHeight + gap;
            rowHeight = 0;
        }
        at.append({x, y});
        x += qMax(s.width(), 40) + gap;
        rowHeight = qMax(rowHeight, s.height());
    }
    QImage out(width, y + rowHeight + labelHeight + gap, QImage::Format_RGB32);
    out.fill(QColor(0xB8, 0xB8, 0xB8));
    QPainter p(&out);
    p.setFont(houseFont(Face::Sans, 10));
    for (int i = 0; i < sheet.items.size(); ++i) {
        const QImage& image = sheet.items[i].second;
        const QSize s = image.deviceIndependentSize().toSize();
        p.drawImage(QRect(at[i], s), image);
        p.drawText(QRect(at[i].x() - 4, at[i].y() + s.height() + 1, qMax(s.width(), 40) + 8, labelHeight),
                   Qt::AlignHCenter | Qt::AlignTop, sheet.items[i].first);
    }
    return out;
}

void both(const QString& dir, const QString& name, const std::function<QImage(int)>& render, Sheet& sheet)
{
    for (int scale : {1, 2}) {
        const QImage image = render(scale);
        savePicture(image, picturesDir + '/' + dir, name);
        if (scale == 1)
            sheet.add(dir.section('/', -1) + '/' + name, image);
    }
}

} // namespace

int main(int argc, char* argv[])
{
    QGuiApplication app(argc, argv);
    const bool skipGlyphs = app.arguments().contains(QStringLiteral("--no-glyphs"));
    QDir().mkpath(sheetDir);

    Sheet pictures, backgrounds;
    for (int n = 1; n <= 9; ++n) { // 9: a launcher not offered now
        const QSize size = n == 5   ? QSize(233, 79)
                           : n == 6 ? QSize(29, 30)
                           : n == 7 || n == 8 ? QSize(29, 29)
                                              : QSize(138, 29);
        both("ilBtn", QString::number(n), [&](int s) { return renderSvg(svgPath("btn" + QString::number(n)), size, s); },
             pictures);
    }
    const QSize pandaSizes[4] = {{167, 159}, {115, 171}, {111, 178}, {108, 168}};
    for (int n = 1; n <= 4; ++n)
        both("ilPanda", QString::number(n),
             [&](int s) { return renderSvg(svgPath("panda" + QString::number(n)), pandaSizes[n - 1], s); }, pictures);
    both("ilMaruBatu", "1", [](int s) { return renderSvg(svgPath("maru"), Layout::markSize, s); }, pictures);
    both("ilMaruBatu", "2", [](int s) { return renderSvg(svgPath("batsu"), Layout::markSize, s); }, pictures);
    // The exam paper's marks, over an item's number.
    both("ilMaruBatuS", "1", [](int s) { return renderSvg(svgPath("maru"), Layout::smallMarkSize, s); }, pictures);
    both("ilMaruBatuS", "2", [](int s) { return renderSvg(svgPath("batsu"), Layout::smallMarkSize, s); }, pictures);
    // The speaker controls: 1 normal, 2 under the mouse, 3 speech unavailable.
    for (int n = 1; n <= 3; ++n)
        both("ilSpeaker", QString::number(n),
             [&](int s) { return renderSvg(svgPath("speaker" + QString::number(n)), Layout::speakerSize, s); }, pictures);
    for (const QString& screen : {QStringLiteral("frmTOC"), QStringLiteral("frmExamTOC")})
        for (int n = 1; n <= menuItemCount(screen); ++n)
            both("ilContents-" + screen, QString::number(n), [&](int s) { return renderMenuHighlight(screen, n, s); },
                 pictures);
    both("ilContents-frmTOC", "8", [](int s) { return renderMenuHighlight("frmTOC", 8, s); }, pictures);
    both("masks", "frmSearch", [](int s) { return renderSearchMask(s); }, pictures);
    for (int n = 1; n <= 3; ++n)
        both("ilCountdown", QString::number(n), [&](int s) { return renderCountdown(n, s); }, pictures);
    // Drawn, not typeset at run time: the menu then needs no Japanese font to open.
    for (int n = 1; n <= 8; ++n)
        both("ilSwitch", QString::number(n), [&](int s) { return renderSpeechSwitch(n, s); }, pictures);
    for (int n : {9, 10})
        both("ilSwitch", QString::number(n), [&](int s) { return renderReviewPlate(n == 10, s); }, pictures);
    // The sizes a desktop's icon theme asks for; the window icon is built from the same files.
    for (int size : {16, 32, 48, 64, 128, 256}) {
        const QImage icon = renderSvg(svgPath("icon"), QSize(size, size), 1);
        savePicture(icon, picturesDir + "/icon", "rumena-" + QString::number(size));
        pictures.add("icon/" + QString::number(size), icon);
    }

    for (const QString& screen : backgroundScreens())
        both("backgrounds", screen, [&](int s) { return renderBackground(screen, s); }, backgrounds);

    contactSheet(pictures, 1000).save(sheetDir + "/pictures.png");
    contactSheet(backgrounds, 1640).save(sheetDir + "/backgrounds.png");

    if (!skipGlyphs) {
        const QList<QString> chars = readGlyphCharacters(QStringLiteral(REPO_ROOT "/data/glyph-chars.tsv"));
        if (chars.size() != 803) {
            std::fprintf(stderr, "expected 803 characters, found %lld\n", static_cast<long long>(chars.size()));
            return 1;
        }
        Sheet glyphs;
        for (int k = 1; k <= 804; ++k) {
            const QString character = k <= chars.size() ? chars[k - 1] : QString();
            for (int scale : {1, 2}) {
                const QImage image = renderGlyph(character, scale);
                savePicture(image, picturesDir + "/ilCharsS", QString::number(k), Encoding::Qt);
                if (scale == 1)
                    glyphs.add(QString::number(k), image);
            }
        }
        // A few glyphs blown up pixel for pixel, to judge crispness at the size the screens show.
        const int zoomKeys[] = {1, 2, 8, 52, 372, 141, 500, 700, 803, 804};
        QImage zoom(10 * (23 * 6 + 8), 24 * 6 + 8, QImage::Format_RGB32);
        zoom.fill(QColor(0xB8, 0xB8, 0xB8));
        QPainter zp(&zoom);
        for (int i = 0; i < 10; ++i) {
            const int k = zoomKeys[i];
            zp.drawImage(QRect(4 + i * (23 * 6 + 8), 4, 23 * 6, 24 * 6),
                         renderGlyph(k <= chars.size() ? chars[k - 1] : QString(), 1));
        }
        zp.end();
        zoom.save(sheetDir + "/glyphs-zoom.png");
        // The glyph sheet is drawn at 2x as well, since that is where a wrong form is easiest to see.
        contactSheet(glyphs, 1240).save(sheetDir + "/glyphs.png");
        QImage big(40 * 52, (804 / 40 + 1) * 56, QImage::Format_RGB32);
        big.fill(QColor(0xB8, 0xB8, 0xB8));
        QPainter p(&big);
        for (int k = 1; k <= 804; ++k) {
            QImage g = renderGlyph(k <= chars.size() ? chars[k - 1] : QString(), 2);
            g.setDevicePixelRatio(1);
            p.drawImage(QPoint(((k - 1) % 40) * 52 + 2, ((k - 1) / 40) * 56 + 2), g);
        }
        p.end();
        big.save(sheetDir + "/glyphs@2x.png");
        for (const auto& [name, image] : renderMockups(chars))
            image.save(sheetDir + '/' + QString(name).replace(' ', '-') + ".png");
    }
    std::printf("pictures written to %s\n", qPrintable(picturesDir));
    return 0;
}
