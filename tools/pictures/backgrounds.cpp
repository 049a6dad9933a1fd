#include "backgrounds.h"

#include "canvas.h"

#include <QPainterPath>
#include <QPolygonF>
#include <array>

using namespace Layout;

namespace {

const QStringList tocCaptions(std::begin(frmTOC::contentsCaption), std::end(frmTOC::contentsCaption));
const QStringList examCaptions = {"出現漢字完全網羅", "ヒアリング漢字網羅", "筆記漢字網羅"};

QColor ink() { return rgb(Palette::ink); }
QColor softInk() { return rgb(Palette::softInk); }
QColor bamboo() { return rgb(Palette::bamboo); }

void sectionHeading(QPainter& p, const QRect& box, const QString& text)
{
    drawText(p, box, text, Face::SansBold, 16, bamboo());
    p.save();
    p.setPen(QPen(QColor(0xB9, 0xDC, 0xC2), 2));
    p.drawLine(QPointF(box.left(), box.bottom() + 2), QPointF(box.right(), box.bottom() + 2));
    p.restore();
}

// Points of the five chart axes for the values 0 to 10; the steps are uneven, so
// they are the same stored points the detail screen draws its polygon through.
const std::array<std::array<QPoint, 11>, 5> chartAxes = {{
    {{{532, 228}, {532, 219}, {532, 210}, {532, 200}, {532, 192}, {532, 178}, {532, 168}, {532, 158}, {532, 148}, {532, 138}, {532, 128}}},
    {{{532, 228}, {542, 225}, {550, 221}, {558, 218}, {568, 215}, {578, 212}, {587, 208}, {597, 205}, {607, 203}, {617, 200}, {627, 197}}},
    {{{532, 228}, {538, 236}, {544, 244}, {550, 254}, {556, 262}, {561, 268}, {566, 275}, {573, 284}, {579, 291}, {585, 299}, {591, 307}}},
    {{{532, 228}, {526, 236}, {521, 243}, {513, 253}, {508, 262}, {503, 268}, {497, 276}, {492, 283}, {486, 291}, {480, 299}, {474, 308}}},
    {{{532, 228}, {523, 225}, {514, 223}, {504, 219}, {495, 217}, {485, 213}, {476, 210}, {467, 207}, {457, 205}, {447, 202}, {437, 199}}},
}};

void listFooter(QPainter& p)
{
    // A quiet strip behind the bottom button row.
    p.fillRect(QRect(0, BottomRow::y - 10, screenSize.width(), screenSize.height() - BottomRow::y + 10),
               QColor(0xEF, 0xE8, 0xD6, 160));
    p.fillRect(QRect(0, BottomRow::y - 10, screenSize.width(), 1), rgb(Palette::rule));
}

void keyHint(QPainter& p, const QRect& box, const QString& text)
{
    drawText(p, box, text, Face::Sans, 11, softInk());
}

void paintTOC(QPainter& p)
{
    screenFrame(p, screenSize, true);
    drawText(p, QRect(20, 4, 260, 36), "ルメナ　～四級～", Face::SerifBold, 24, Qt::white);
    drawText(p, QRect(262, 10, 400, 28), "中国語検定試験 四級　漢字・単語トレーニング", Face::Sans, 13,
             QColor(255, 255, 255, 220));

    // Achievement line; the two numbers are labels laid over the gaps.
    const QRect bar = frmTOC::achievementBar;
    roundedPanel(p, bar, 12, rgb(Palette::panel), rgb(Palette::rule));
    const QRect P = frmTOC::lblMouraP, R = frmTOC::lblMouraR;
    const int cy = P.center().y();
    auto line = [&](int left, int right, const QString& text, int flags) {
        drawText(p, QRect(left, cy - 15, right - left, 30), text, Face::SansBold, 17, ink(), flags);
    };
    // Star before the line.
    p.save();
    QPolygonF star;
    for (int i = 0; i < 10; ++i) {
        const qreal a = -M_PI / 2 + i * M_PI / 5;
        const qreal r = i % 2 ? 4.2 : 9.5;
        star << QPointF(bar.left() + 22 + r * std::cos(a), cy + 1 + r * std::sin(a));
    }
    p.setPen(QPen(QColor(0xC8, 0x95, 0x1C), 1));
    p.setBrush(QColor(0xF5, 0xC5, 0x42));
    p.drawPolygon(star);
    p.restore();
    line(bar.left() + 36, P.left() - 4, "達成率：ピンイン", Qt::AlignRight | Qt::AlignVCenter);
    line(P.right() + 3, P.right() + 30, "％", Qt::AlignLeft | Qt::AlignVCenter);
    line(P.right() + 36, R.left() - 4, "日訳", Qt::AlignRight | Qt::AlignVCenter);
    line(R.right() + 3, R.right() + 30, "％", Qt::AlignLeft | Qt::AlignVCenter);

    sectionHeading(p, frmTOC::leftHeading, "単語と試験");
    sectionHeading(p, frmTOC::rightHeading, "漢字データベース（出る順）");
    for (int k = 1; k <= frmTOC::contentsCount; ++k)
        menuItem(p, frmTOC::imgContents(k), tocCaptions[k - 1], false);

    // The mascot's stage: a soft disc behind it and a patch of ground under its feet.
    const QRect stage = frmTOC::imgPanda;
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xE3, 0xF1, 0xE6));
    p.drawEllipse(QPointF(stage.center().x(), stage.bottom() - 80), 104, 104);
    p.setBrush(QColor(0xC9, 0xE3, 0xB8));
    p.drawEllipse(QPointF(stage.center().x(), stage.bottom() - 2), 100, 14);
    p.restore();
    drawText(p, QRect(stage.center().x() - 150, stage.bottom() + 12, 300, 20),
             "パンダをクリックすると「このソフトについて」", Face::Sans, 11, softInk(), Qt::AlignCenter);

    // Encouragement at the foot of the left column.
    const QRect note = frmTOC::note;
    roundedPanel(p, note, 14, QColor(0xFF, 0xFF, 0xFF, 200), rgb(Palette::rule));
    drawText(p, note.adjusted(18, 10, -18, -76), "今日も一歩ずつ", Face::SansBold, 17, bamboo());
    drawText(p, note.adjusted(18, 44, -18, -8),
             "出る順に漢字を覚えて、関連する単語を解いてみましょう。達成率が上がると、パンダが育ちます。",
             Face::Sans, 13, ink(), Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap);
}

void paintHelp(QPainter& p)
{
    screenFrame(p, helpSize, true, frmHelp::imgExit);
    roundedPanel(p, frmHelp::paper, 10, rgb(Palette::panel), rgb(Palette::rule));
    p.fillRect(QRect(0, 364, helpSize.width(), 1), rgb(Palette::rule));
}

void paintSplash(QPainter& p)
{
    const QSize s = splashSize;
    QLinearGradient sky(0, 0, 0, s.height());
    sky.setColorAt(0, QColor(0xE8, 0xF4, 0xEA));
    sky.setColorAt(1, QColor(0xFB, 0xF6, 0xEC));
    p.setRenderHint(QPainter::Antialiasing);
    p.fillRect(QRect(QPoint(0, 0), s), sky);
    p.fillRect(QRect(0, 0, s.width(), 8), bamboo());
    p.fillRect(QRect(0, s.height() - 8, s.width(), 8), bamboo());
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xC9, 0xE3, 0xB8));
    p.drawEllipse(QPointF(frmSplash::imgPanda.center().x(), frmSplash::imgPanda.bottom()), 70, 10);
    drawSvg(p, svgPath("panda2"), frmSplash::imgPanda);
    drawText(p, QRect(180, 44, 300, 50), "ルメナ　～四級～", Face::SerifBold, 34, bamboo());
    drawText(p, QRect(182, 96, 300, 24), "中国語検定試験 四級 対策ソフト", Face::Sans, 15, ink());
    p.fillRect(QRect(182, 130, 280, 1), rgb(Palette::rule));
    drawText(p, QRect(182, 146, 300, 24), QString::fromUtf8(Maker::name), Face::SansBold, 16, ink());
    drawText(p, QRect(182, 172, 300, 22), QString::fromUtf8(Maker::url), Face::Sans, 13, softInk());
    drawText(p, QRect(182, 236, 300, 24), "起動しています。しばらくお待ちください…", Face::Sans, 13, ink());
    // A row of dots under the waiting line.
    for (int i = 0; i < 5; ++i) {
        p.setBrush(QColor(0x3E, 0x8E, 0x5E, 80 + i * 40));
        p.drawEllipse(QPointF(188 + i * 16, 276), 4, 4);
    }
}

void paintAbout(QPainter& p)
{
    const QSize s = screenSize;
    p.setRenderHint(QPainter::Antialiasing);
    // A painted landscape: evening sky, karst hills, a river, bamboo, and the grown panda.
    QLinearGradient sky(0, 0, 0, 420);
    sky.setColorAt(0, QColor(0x9C, 0xCF, 0xEA));
    sky.setColorAt(0.7, QColor(0xF6, 0xE7, 0xC8));
    sky.setColorAt(1, QColor(0xF8, 0xD9, 0xB0));
    p.fillRect(QRect(QPoint(0, 0), s), sky);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 250, 230, 200));
    p.drawEllipse(QPointF(600, 150), 42, 42);
    auto hills = [&](int baseY, QColor colour, std::initializer_list<QPointF> peaks) {
        QPainterPath path;
        path.moveTo(0, s.height());
        path.lineTo(0, baseY);
        for (const QPointF& pk : peaks) {
            path.quadTo(pk.x() - 40, baseY, pk.x() - 22, (baseY + pk.y()) / 2);
            path.quadTo(pk.x(), pk.y() - 20, pk.x() + 22, (baseY + pk.y()) / 2);
            path.quadTo(pk.x() + 40, baseY, pk.x() + 60, baseY);
        }
        path.lineTo(s.width(), baseY);
        path.lineTo(s.width(), s.height());
        path.closeSubpath();
        p.setBrush(colour);
        p.drawPath(path);
    };
    hills(330, QColor(0xA9, 0xC4, 0xC4), {{60, 170}, {180, 200}, {330, 150}, {470, 210}, {640, 170}, {740, 200}});
    hills(380, QColor(0x7F, 0xA8, 0x9A), {{120, 230}, {260, 260}, {420, 220}, {560, 270}, {700, 240}});
    QLinearGradient water(0, 390, 0, 470);
    water.setColorAt(0, QColor(0xB8, 0xDD, 0xE8));
    water.setColorAt(1, QColor(0x8C, 0xC4, 0xD6));
    p.fillRect(QRect(0, 392, s.width(), 80), water);
    p.setBrush(QColor(0x8F, 0xC0, 0x7A));
    p.drawRect(QRect(0, 460, s.width(), s.height() - 460));
    p.setBrush(QColor(0x7C, 0xB3, 0x68));
    p.drawEllipse(QPointF(180, 470), 240, 26);
    for (int i = 0; i < 5; ++i)
        bambooSprig(p, QPointF(26 + i * 18, 480 + (i % 2) * 12), 300 - i * 14, 1.0);
    drawSvg(p, svgPath("panda4"), QRectF(150, 300, 108 * 1.05, 168 * 1.05));

    drawText(p, QRect(40, 40, 700, 60), "ルメナ　～四級～", Face::SerifBold, 46, rgb(Palette::landscape));
    // The version is a label over the picture, so it follows the build's version.
    drawText(p, frmAbout::subtitle, "中国語検定試験 四級 対策ソフト", Face::SansBold, 18, rgb(Palette::landscape));

    roundedPanel(p, frmAbout::infoPanel, 14, QColor(255, 255, 255, 225), rgb(Palette::rule));
    drawText(p, QRect(40, 566, 500, 22), "画面をクリックすると閉じます", Face::Sans, 12, rgb(Palette::landscape));
}

void paintCharTable(QPainter& p, const QString& latterHeading)
{
    using namespace CharRows;
    roundedPanel(p, table, 10, rgb(Palette::panel), rgb(Palette::rule));
    p.save();
    p.setRenderHint(QPainter::Antialiasing, false);
    p.fillRect(QRect(table.left() + 1, headingRow.top() + 1, table.width() - 2, headingRow.height()),
               rgb(Palette::bambooPale));
    for (int r = 0; r < rows; r += 2)
        p.fillRect(QRect(table.left() + 1, rowY(r), table.width() - 2, step), rgb(Palette::stripe));
    p.restore();
    drawText(p, headNo, "順位", Face::SansBold, 14, bamboo(), Qt::AlignCenter);
    drawText(p, headGlyph, "漢字", Face::SansBold, 14, bamboo(), Qt::AlignCenter);
    drawText(p, headLatter, latterHeading, Face::SansBold, 14, bamboo(), Qt::AlignCenter);
    drawText(p, headTermNum, "関連単語数", Face::SansBold, 14, bamboo(), Qt::AlignCenter);
    // White wells for the glyphs; they are white pictures and would float on the stripes.
    for (int r = 0; r < rows; ++r)
        roundedPanel(p, QRectF(imgTovak(r)).adjusted(-4, -3, 4, 3), 4, Qt::white, rgb(Palette::rule), false);
}

void paintListC(QPainter& p)
{
    screenFrame(p, screenSize, true);
    brandMark(p, QRect(480, 12, 220, 22));
    paintCharTable(p, "出現回数");
    listFooter(p);
    keyHint(p, QRect(24, BottomRow::y + 6, 280, 20), "漢字をクリックすると詳しく表示します");
}

void paintExamListC(QPainter& p)
{
    screenFrame(p, screenSize, true);
    brandMark(p, QRect(480, 12, 220, 22));
    drawText(p, frmExamListC::subtitle, "第51回 中国語検定試験四級（2003年11月16日）", Face::SansBold, 14, ink());
    paintCharTable(p, "今回の出現回数");
    listFooter(p);
    keyHint(p, QRect(24, BottomRow::y + 6, 280, 20), "漢字をクリックすると詳しく表示します");
}

void paintChar(QPainter& p)
{
    screenFrame(p, screenSize, true);
    brandMark(p, QRect(480, 12, 220, 22));
    roundedPanel(p, frmChar::charFrame, 8, Qt::white, QColor(0x9F, 0xC9, 0xAB));
    drawText(p, frmChar::pinyinCaption, "ピンイン", Face::SansBold, 13, bamboo());
    p.fillRect(QRect(frmChar::lblPinyin.left(), frmChar::lblPinyin.bottom() + 2, 240, 1), rgb(Palette::rule));
    drawText(p, frmChar::rankCaption, "頻出順位", Face::SansBold, 15, bamboo());
    drawText(p, frmChar::relatedCaption, "関連重要単語：", Face::SansBold, 15, bamboo());
    drawText(p, frmChar::relatedUnit, "個", Face::SansBold, 15, ink());

    roundedPanel(p, frmChar::relatedPanel, 10, rgb(Palette::panel), rgb(Palette::rule));
    p.save();
    p.setPen(QPen(QColor(0xEF, 0xE9, 0xDB), 1, Qt::DotLine));
    for (int i = 0; i < frmChar::relatedPerColumn; ++i) {
        const int y = frmChar::relatedOrigin(i).y() + 27;
        p.drawLine(frmChar::relatedPanel.left() + 10, y, frmChar::relatedPanel.right() - 10, y);
    }
    p.restore();

    // Pentagon chart: filled outer pentagon, grid at every value, axes, captions.
    QPolygonF outer;
    const int order[5] = {0, 1, 2, 3, 4}; // top, upper right, lower right, lower left, upper left
    for (int a : order)
        outer << QPointF(chartAxes[a][10]);
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xFF, 0xFF, 0xFF));
    p.drawPolygon(outer);
    for (int v = 10; v >= 1; --v) {
        QPolygonF ring;
        for (int a : order)
            ring << QPointF(chartAxes[a][v]);
        p.setBrush(v % 2 == 0 ? QColor(0xE3, 0xF1, 0xE6) : QColor(0xF2, 0xF8, 0xF3));
        p.setPen(QPen(v % 5 == 0 ? QColor(0x9F, 0xC9, 0xAB) : QColor(0xC9, 0xE2, 0xD0), v == 10 ? 1.5 : 1));
        p.drawPolygon(ring);
    }
    p.setPen(QPen(QColor(0x9F, 0xC9, 0xAB), 1));
    for (int a : order)
        p.drawLine(QPointF(chartAxes[a][0]), QPointF(chartAxes[a][10]));
    p.restore();
    const QStringList captions = {"全体", "ヒアリング", "関連単語", "筆記単語", "筆記文"};
    for (int k = 0; k < 5; ++k) {
        const bool left = k == 1 || k == 2;
        drawText(p, frmChar::pentaCaption(k), captions[k], Face::SansBold, 13, bamboo(),
                 (left || k == 0 ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter);
    }
    drawText(p, frmChar::drillHeading, "関連単語で練習する", Face::SansBold, 14, bamboo());
    listFooter(p);
    keyHint(p, QRect(24, BottomRow::y + 6, 280, 20), "PageUp／PageDown：前後の漢字へ");
}

void paintExamTOC(QPainter& p)
{
    screenFrame(p, screenSize, true);
    brandMark(p, QRect(480, 12, 220, 22));
    // Title art: a red ribbon with the date of the examination and a round seal.
    const QRect t = frmExamTOC::imgTitle;
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient ribbon(t.topLeft(), t.bottomLeft());
    ribbon.setColorAt(0, QColor(0xE2, 0x5B, 0x50));
    ribbon.setColorAt(1, QColor(0xC0, 0x3E, 0x35));
    QPainterPath path;
    path.moveTo(t.left(), t.top() + 8);
    path.lineTo(t.right() - 14, t.top() + 8);
    path.lineTo(t.right(), t.center().y() + 4);
    path.lineTo(t.right() - 14, t.bottom());
    path.lineTo(t.left(), t.bottom());
    path.lineTo(t.left() + 12, t.center().y() + 4);
    path.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(ribbon);
    p.drawPath(path);
    p.setBrush(QColor(0xF5, 0xC5, 0x42));
    p.setPen(QPen(QColor(0xC8, 0x95, 0x1C), 1.5));
    p.drawEllipse(QPointF(t.left() + 44, t.center().y() + 4), 26, 26);
    p.restore();
    drawText(p, QRectF(t.left() + 18, t.center().y() - 22, 52, 52), "必勝", Face::SerifBold, 19,
             QColor(0x8A, 0x2A, 0x24), Qt::AlignCenter);
    drawText(p, QRect(t.left() + 84, t.top() + 12, t.width() - 100, 28), "2003年11月16日実施", Face::Sans, 13,
             Qt::white);
    drawText(p, QRect(t.left() + 84, t.top() + 32, t.width() - 100, 30), "第51回 四級の出題を分析", Face::SansBold,
             17, Qt::white);

    for (int k = 1; k <= 3; ++k)
        menuItem(p, frmExamTOC::imgContents(k), examCaptions[k - 1], false);
    drawText(p, QRect(frmExamTOC::imgContents(3).left(), frmExamTOC::imgContents(3).bottom() + 18, 320, 40),
             "項目にマウスを合わせると説明が表示されます", Face::Sans, 12, softInk(),
             Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap);

    // Speech bubble pointing down at the mascot.
    const QRect b = frmExamTOC::bubble;
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath bubble;
    bubble.addRoundedRect(b, 18, 18);
    QPainterPath tail;
    const qreal tx = frmExamTOC::pandaSpot.center().x();
    tail.moveTo(tx - 18, b.bottom() - 1);
    tail.lineTo(tx - 4, b.bottom() + 26);
    tail.lineTo(tx + 14, b.bottom() - 1);
    tail.closeSubpath();
    bubble = bubble.united(tail);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(60, 50, 30, 22));
    p.drawPath(bubble.translated(0, 3));
    p.setBrush(Qt::white);
    p.setPen(QPen(QColor(0x9F, 0xC9, 0xAB), 2));
    p.drawPath(bubble);
    p.restore();
    drawSvg(p, svgPath("panda3"), frmExamTOC::pandaSpot);
    listFooter(p);
}

void paintSearch(QPainter& p)
{
    screenFrame(p, screenSize, true);
    headerTitle(p, "単語総合検索");
    brandMark(p, QRect(480, 12, 220, 22));
    const QStringList captions = {"自由検索", "ランダム検索", "ジャンル検索", "文字数検索", "弱点検索", "声調検索", "復習検索"};
    for (int k = 0; k < frmSearch::rows; ++k) {
        roundedPanel(p, frmSearch::rowCard(k), 10, rgb(Palette::panel), rgb(Palette::rule));
        drawText(p, frmSearch::rowCaption(k), captions[k], Face::SansBold, 15, bamboo());
    }
    drawText(p, frmSearch::resultCaption, "検索結果：", Face::SansBold, 16, ink(), Qt::AlignRight | Qt::AlignVCenter);
    drawText(p, frmSearch::resultUnit, "問", Face::SansBold, 16, ink());
    p.fillRect(QRect(frmSearch::lblCount_is.left(), frmSearch::lblCount_is.bottom() + 1,
                     frmSearch::lblCount_is.width(), 2),
               QColor(0xB9, 0xDC, 0xC2));
    roundedPanel(p, frmSearch::launchPanel, 12, QColor(0xEE, 0xF6, 0xF0), QColor(0x9F, 0xC9, 0xAB));
    listFooter(p);
}

void paintTypedRows(QPainter& p)
{
    for (int r = 0; r < TypedRows::rows; ++r) {
        roundedPanel(p, TypedRows::rowBox(r), 8, rgb(Palette::panel),
                     rgb(Palette::rule));
    }
}

void pageHeader(QPainter& p)
{
    drawText(p, TypedRows::countCaption, "問題数：", Face::SansBold, 15, ink(), Qt::AlignRight | Qt::AlignVCenter);
    drawText(p, TypedRows::countUnit, "問", Face::SansBold, 15, ink());
    p.fillRect(QRect(TypedRows::lblCPagenum.left(), TypedRows::lblCPagenum.bottom() + 1,
                     TypedRows::lblPage.right() - TypedRows::lblCPagenum.left(), 2),
               QColor(0xB9, 0xDC, 0xC2));
}

void paintListTyped(QPainter& p)
{
    screenFrame(p, screenSize, true);
    headerTitle(p, "ルメナ　～四級～");
    pageHeader(p);
    paintTypedRows(p);
    listFooter(p);
}

void paintListR(QPainter& p)
{
    screenFrame(p, screenSize, true);
    headerTitle(p, "日訳の問題");
    brandMark(p, QRect(480, 12, 220, 22));
    pageHeader(p);
    drawText(p, QRect(340, 56, 130, 28), "正しい訳をクリック", Face::Sans, 12, softInk());
    for (int r = 0; r < frmListR::rows; ++r) {
        roundedPanel(p, frmListR::rowBox(r), 8, rgb(Palette::panel),
                     rgb(Palette::rule));
        // Hairlines between the four choices.
        p.save();
        p.setPen(QPen(QColor(0xE6, 0xDF, 0xCE), 1));
        for (int j = 2; j <= 4; ++j) {
            const QRect c = frmListR::lblJp(j, r);
            p.drawLine(c.left(), c.top(), c.right(), c.top());
        }
        p.restore();
    }
    listFooter(p);
}

void paintMockExam(QPainter& p)
{
    using namespace frmMockExam;
    screenFrame(p, screenSize, true);
    headerTitle(p, "模擬試験");
    brandMark(p, QRect(480, 12, 220, 22));
    const QStringList headings = {"筆記 第1問（発音）", "聞き取り"};
    const QStringList texts = {"声調の組み合わせが他と異なるもの 5問、正しいピンイン表記 5問。各2点、20点満点。",
                               "読み上げられた単語のピンイン 3問、意味 3問、数 4問。各問2回ずつ読みます。各5点、50点満点。"};
    for (int k = 0; k < 2; ++k) {
        roundedPanel(p, sectionCard(k), 12, rgb(Palette::panel), rgb(Palette::rule));
        sectionHeading(p, frmMockExam::sectionHeading(k), headings[k]);
        drawText(p, sectionText(k), texts[k], Face::Sans, 13, ink(), Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap);
    }
    roundedPanel(p, note, 12, QColor(0xEE, 0xF6, 0xF0), QColor(0x9F, 0xC9, 0xAB));
    drawText(p, note.adjusted(16, 12, -16, -10),
             "問題は毎回新しく作られます。①～④をクリックするか、数字キー1～4で選び、「採点」（F5）を押すと、"
             "正解と、選んだピンインがどの発音の区別を誤っていたかが表示されます。",
             Face::Sans, 13, ink(), Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap);

    roundedPanel(p, resultsPanel, 12, rgb(Palette::panel), rgb(Palette::rule));
    sectionHeading(p, scoresHeading, "最近の成績");
    drawText(p, scoresCaption(0), "筆記（20点満点）", Face::SansBold, 13, ink());
    drawText(p, scoresCaption(1), "聞き取り（50点満点）", Face::SansBold, 13, ink());
    sectionHeading(p, missesHeading, "間違えやすい発音の区別");
    drawText(p, missesHint, "ピンインの問題で選んだ誤りの数です。多いものから5つ。", Face::Sans, 11, softInk(),
             Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap);
    listFooter(p);
}

void paintExamPaper(QPainter& p)
{
    using namespace frmExamPaper;
    screenFrame(p, screenSize, true);
    brandMark(p, QRect(480, 12, 220, 22));
    // A sheet of paper: white, with the faint margin line of an answer sheet after the item numbers.
    roundedPanel(p, paper, 6, Qt::white, rgb(Palette::rule));
    p.fillRect(QRect(lblNo(0).right() + 1, paper.top() + 6, 1, paper.height() - 12), QColor(0xF0, 0xD8, 0xD4));
    listFooter(p);
}

void paintProgress(QPainter& p)
{
    screenFrame(p, screenSize, true);
    headerTitle(p, "学習記録");
    brandMark(p, QRect(480, 12, 220, 22));
    const std::pair<QRect, const char*> cards[] = {
        {frmProgress::perDayCard, "解答数（過去30日）"},
        {frmProgress::perWeekCard, "復習の正答率（週ごと・目標90%）"},
        {frmProgress::forecastCard, "復習予定（今後30日）"},
        {frmProgress::confusionCard, "声調の取り違え（正しい声調→答えた声調）"},
        {frmProgress::sittingCard, ""},
    };
    for (const auto& [card, heading] : cards) {
        roundedPanel(p, card, 10, rgb(Palette::panel), rgb(Palette::rule));
        drawText(p, frmProgress::headingOf(card), heading, Face::SansBold, 14, bamboo());
    }
    drawText(p, frmProgress::sittingHeading, "試験日", Face::SansBold, 14, bamboo());
    // The first chart's legend: right in green under wrong in red.
    const QRect legend = frmProgress::perDayLegend;
    p.fillRect(QRect(legend.left(), legend.top() + 4, 10, 10), bamboo());
    drawText(p, QRect(legend.left() + 14, legend.top(), 40, legend.height()), "正解", Face::Sans, 11, softInk());
    p.fillRect(QRect(legend.left() + 56, legend.top() + 4, 10, 10), rgb(Palette::accent));
    drawText(p, QRect(legend.left() + 70, legend.top(), 52, legend.height()), "不正解", Face::Sans, 11, softInk());
    drawText(p, frmProgress::typedDateHint, "ほかの日は「2026-12-20」の形で入力", Face::Sans, 10, softInk());
    listFooter(p);
}

} // namespace

QStringList backgroundScreens()
{
    return {"frmTOC",       "frmSearch", "frmListTyped", "frmListR", "frmListC",    "frmChar",      "frmExamTOC",
            "frmExamListC", "frmHelp",   "frmSplash",    "frmAbout", "frmProgress", "frmMockExam", "frmExamPaper"};
}

QImage renderBackground(const QString& screen, int scale)
{
    const QSize size = screen == "frmHelp" ? helpSize : screen == "frmSplash" ? splashSize : screenSize;
    QImage image = makeCanvas(size, scale, Qt::white);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    if (screen == "frmTOC") paintTOC(p);
    else if (screen == "frmHelp") paintHelp(p);
    else if (screen == "frmSplash") paintSplash(p);
    else if (screen == "frmAbout") paintAbout(p);
    else if (screen == "frmListC") paintListC(p);
    else if (screen == "frmExamListC") paintExamListC(p);
    else if (screen == "frmChar") paintChar(p);
    else if (screen == "frmExamTOC") paintExamTOC(p);
    else if (screen == "frmSearch") paintSearch(p);
    else if (screen == "frmListTyped") paintListTyped(p);
    else if (screen == "frmListR") paintListR(p);
    else if (screen == "frmProgress") paintProgress(p);
    else if (screen == "frmMockExam") paintMockExam(p);
    else if (screen == "frmExamPaper") paintExamPaper(p);
    return image;
}

int menuItemCount(const QString& screen) { return screen == "frmTOC" ? frmTOC::contentsCount : 3; }

QImage renderMenuHighlight(const QString& screen, int item, int scale)
{
    const QRect box = screen == "frmTOC" ? frmTOC::imgContents(item) : frmExamTOC::imgContents(item);
    const QString caption = screen == "frmTOC" ? tocCaptions[item - 1] : examCaptions[item - 1];
    QImage image = makeCanvas(box.size(), scale);
    QPainter p(&image);
    menuItem(p, QRect(QPoint(0, 0), box.size()), caption, true);
    return image;
}

namespace {
// The ground of a small control of the menu: a card, pale green under the mouse.
QRectF controlGround(QPainter& p, QSize size, qreal radius, bool hovered)
{
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF chip = QRectF(0, 0, size.width(), size.height()).adjusted(1, 1, -1, -3);
    roundedPanel(p, chip, radius < 0 ? chip.height() / 2 : radius,
                 hovered ? rgb(Palette::bambooPale) : rgb(Palette::panel), hovered ? bamboo() : rgb(Palette::rule));
    return chip;
}
} // namespace

QImage renderSpeechSwitch(int n, int scale)
{
    // 1 to 4 at rest, 5 to 8 the same under the mouse: a chip like the other controls,
    // with a lamp that is lit while the setting is on.
    static const char* const captions[] = {"音声：オン", "音声：オフ", "ゆっくり：オン", "ゆっくり：オフ"};
    const int k = (n - 1) % 4;
    const bool hovered = n > 4, on = k % 2 == 0;
    const QSize size = k < 2 ? frmTOC::lblSpeech.size() : frmTOC::lblSlow.size();
    QImage image = makeCanvas(size, scale);
    QPainter p(&image);
    const QRectF chip = controlGround(p, size, -1, hovered);
    const QRectF lamp(chip.left() + 9, chip.center().y() - 5, 10, 10);
    p.setPen(QPen(on ? bamboo() : softInk(), 1.4));
    p.setBrush(on ? QBrush(bamboo()) : QBrush(Qt::NoBrush));
    p.drawEllipse(lamp);
    drawText(p, chip.adjusted(26, 0, -6, 0), captions[k], Face::SansBold, 14, bamboo());
    return image;
}

QImage renderReviewPlate(bool hovered, int scale)
{
    // The review line's ground: its text is a label laid over it; the arrow says it leads somewhere.
    const QSize size = frmTOC::lblReview.size();
    QImage image = makeCanvas(size, scale);
    QPainter p(&image);
    const QRectF chip = controlGround(p, size, 10, hovered);
    QPainterPath arrow;
    const QPointF c(chip.right() - 16, chip.center().y());
    arrow.moveTo(c + QPointF(-3, -6));
    arrow.lineTo(c + QPointF(3, 0));
    arrow.lineTo(c + QPointF(-3, 6));
    p.setPen(QPen(bamboo(), 2.4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(arrow);
    return image;
}

QImage renderSearchMask(int scale)
{
    const QRect panel = frmSearch::imgSmask;
    QImage image = makeCanvas(panel.size(), scale);
    QPainter p(&image);
    const QRect local(QPoint(0, 0), panel.size());
    roundedPanel(p, local, 12, QColor(0xF3, 0xF0, 0xE8), rgb(Palette::rule), false);
    drawText(p, local, "条件を選んで「検索」を押すと、ここから問題を解けます", Face::Sans, 14, softInk(),
             Qt::AlignCenter);
    return image;
}

QImage renderCountdown(int n, int scale)
{
    static const char* const words[] = {"試験まであと", "日", "試験は今日です"};
    const QSize size = n == 1 ? frmTOC::imgCountdownLead.size() : n == 2 ? frmTOC::imgCountdownTail.size()
                                                                         : frmTOC::lblCountdown.size();
    QImage image = makeCanvas(size, scale);
    QPainter p(&image);
    drawText(p, QRect(QPoint(0, 0), size), words[n - 1], Face::SansBold, 17, ink(),
             (n == 1 ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter);
    return image;
}
