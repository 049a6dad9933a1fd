// Screens with sample contents laid over their backgrounds, for review only:
// shows at a glance whether the painted writing and the controls collide.
#include "mockups.h"

#include "backgrounds.h"
#include "canvas.h"
#include "glyphs.h"

using namespace Layout;

namespace {

void button(QPainter& p, const QRect& r, const QString& caption, bool before = false)
{
    drawSvg(p, svgPath(before ? "btn3" : "btn1"), r);
    drawText(p, before ? captionOfBefore(r) : captionOf(r), caption, Face::Sans, 13, rgb(Palette::ink),
             Qt::AlignCenter);
}

void label(QPainter& p, const QRect& r, const QString& text, qreal px = 13, QColor c = rgb(Palette::ink),
           int flags = Qt::AlignLeft | Qt::AlignVCenter)
{
    drawText(p, r, text, Face::Sans, px, c, flags);
}

void glyph(QPainter& p, const QRect& r, const QList<QString>& chars, int k)
{
    p.drawImage(r, renderGlyph(k >= 1 && k <= chars.size() ? chars[k - 1] : QString(), 1));
}

void frame(QPainter& p)
{
    drawSvg(p, svgPath("btn7"), imgHelp);
}

} // namespace

QList<QPair<QString, QImage>> renderMockups(const QList<QString>& chars)
{
    QList<QPair<QString, QImage>> out;
    const QString jp = QStringLiteral("　ビジネス・仕事の打ち合わせをする（長い訳の例）");
    {
        QImage img = renderBackground("frmListTyped", 1);
        QPainter p(&img);
        frame(p);
        label(p, TypedRows::lblCount, "20", 15, rgb(Palette::ink), Qt::AlignRight | Qt::AlignVCenter);
        label(p, TypedRows::lblCPagenum, "2", 15, rgb(Palette::ink), Qt::AlignRight | Qt::AlignVCenter);
        label(p, TypedRows::lblTPagenum, "/2", 15);
        label(p, TypedRows::lblPage, "page", 15);
        label(p, TypedRows::lblScore, "9／12点", 26, rgb(Palette::accent));
        for (int r = 0; r < 12; ++r) {
            label(p, frmListP2::lblNo(r), QString("%1.").arg(r + 13), 13, rgb(Palette::ink),
                  Qt::AlignRight | Qt::AlignVCenter);
            for (int j = 1; j <= 4; ++j)
                glyph(p, frmListP2::imgTovak(j, r), chars, j <= 2 + r % 3 ? r * 4 + j : 804);
            label(p, frmListP2::lblAnswer(r), "xue2xiao4", 14, QColor(0x1F, 0x5E, 0x96));
            label(p, frmListP2::lblJp(r), r == 0 ? jp : QStringLiteral("　学校"), 12);
            label(p, frmListP2::lblPinyin(r), "xue xiao", 13);
            p.fillRect(frmListP2::txtTerm(r), Qt::white);
            p.setPen(QColor(0x9A, 0x9A, 0x9A));
            p.drawRect(frmListP2::txtTerm(r).adjusted(0, 0, -1, -1));
            label(p, frmListP2::txtTerm(r).adjusted(4, 0, 0, 0), "24", 13);
            p.drawImage(frmListP2::imgMark(r), renderSvg(svgPath(r % 3 ? "maru" : "batsu"), markSize, 1));
        }
        button(p, TypedRows::imgGrade, "誤答再試験");
        button(p, BottomRow::before, "前へ", true);
        button(p, BottomRow::back, "戻る");
        out.append({"mock frmListP2", img});
    }
    {
        QImage img = renderBackground("frmListR", 1);
        QPainter p(&img);
        frame(p);
        for (int r = 0; r < 10; ++r) {
            label(p, frmListR::lblNo(r), QString("%1.").arg(r + 1), 13, rgb(Palette::ink),
                  Qt::AlignRight | Qt::AlignVCenter);
            for (int j = 1; j <= 4; ++j)
                glyph(p, frmListR::imgTovak(j, r), chars, j <= 2 ? r * 2 + j : 804);
            const QStringList choices = {"美しい", "ビジネス・仕事の相手と話す", "学校", "図書館で本を借りる"};
            for (int j = 1; j <= 4; ++j)
                label(p, frmListR::lblJp(j, r), choices[j - 1], 12,
                      j == 2 ? QColor(0, 0, 255) : j == 3 ? QColor(255, 0, 0) : rgb(Palette::ink));
            p.drawImage(frmListR::imgMark(r), renderSvg(svgPath("batsu"), markSize, 1));
        }
        button(p, frmListR::imgGrade, "採点");
        button(p, BottomRow::next, "次へ");
        button(p, BottomRow::back, "戻る");
        out.append({"mock frmListR", img});
    }
    {
        QImage img = renderBackground("frmChar", 1);
        QPainter p(&img);
        frame(p);
        label(p, frmChar::lblType, "総合出る順", 22, Qt::white);
        glyph(p, frmChar::imgChar, chars, 2);
        label(p, frmChar::lblPinyin, "de5,di2,di4", 18);
        label(p, frmChar::lblCount0, "803語中", 15, rgb(Palette::ink), Qt::AlignRight | Qt::AlignVCenter);
        label(p, frmChar::lblCount2, "第5位", 15, rgb(Palette::accent), Qt::AlignCenter);
        label(p, frmChar::lblCount1, "16", 15, rgb(Palette::ink), Qt::AlignRight | Qt::AlignVCenter);
        for (int i = 0; i < 16; ++i)
            for (int j = 1; j <= 4; ++j)
                glyph(p, frmChar::imgTovak(j, i), chars, j <= 2 + i % 2 ? i * 3 + j : 804);
        const int values[5] = {10, 10, 4, 0, 8};
        for (int k = 0; k < 5; ++k)
            label(p, frmChar::lblPenta(k), QString::number(values[k]), 13, rgb(Palette::accent), Qt::AlignCenter);
        QPolygon poly{QPoint(532, 128), QPoint(437, 199), QPoint(508, 262), QPoint(532, 228), QPoint(607, 203)};
        p.setPen(QPen(QColor(0xD9, 0x53, 0x4F), 2));
        p.setBrush(QColor(0xD9, 0x53, 0x4F, 50));
        p.drawPolygon(poly);
        button(p, frmChar::imgP, "声調を解答");
        button(p, frmChar::imgP1, "ﾋﾟﾝｲﾝを解答");
        button(p, frmChar::imgR, "日訳を解答");
        button(p, frmChar::imgDui, "解答を確認");
        button(p, BottomRow::before, "前へ", true);
        button(p, BottomRow::next, "次へ");
        button(p, BottomRow::back, "戻る");
        out.append({"mock frmChar", img});
    }
    {
        QImage img = renderBackground("frmSearch", 1);
        QPainter p(&img);
        frame(p);
        const QRect boxes[6] = {frmSearch::txtFreeWord, frmSearch::cmbRandom, frmSearch::cmbGenre,
                                frmSearch::cmbCharnum, frmSearch::cmdWeakpoint, frmSearch::cmbSpinyin};
        const QStringList prompts = {"", "問題数を選んでください", "ジャンルを選んでください", "文字数を選んでください",
                                     "正答率を選んでください", "声調を選んでください"};
        for (int k = 0; k < 6; ++k) {
            p.fillRect(boxes[k], Qt::white);
            p.setPen(QColor(0x9A, 0x9A, 0x9A));
            p.drawRect(boxes[k].adjusted(0, 0, -1, -1));
            label(p, boxes[k].adjusted(6, 0, 0, 0), prompts[k], 13, rgb(Palette::softInk));
            button(p, frmSearch::imgSearch(k), "検索");
        }
        label(p, frmSearch::Label1, "（ﾋﾟﾝｲﾝ・日本語）", 12);
        label(p, frmSearch::lblCount_is, "40", 20, rgb(Palette::accent), Qt::AlignCenter);
        button(p, frmSearch::imgDui, "解答を確認");
        button(p, frmSearch::imgP, "声調を解答");
        button(p, frmSearch::imgP1, "ﾋﾟﾝｲﾝを解答");
        button(p, frmSearch::imgR, "日訳を解答");
        button(p, BottomRow::back, "戻る");
        out.append({"mock frmSearch", img});
    }
    {
        QImage img = renderBackground("frmListC", 1);
        QPainter p(&img);
        frame(p);
        label(p, frmListC::lblType, "ヒアリング出る順", 22, Qt::white);
        label(p, frmListC::lblCountPrefix, "総漢字数：", 14);
        label(p, frmListC::lblCount, "474", 14, rgb(Palette::ink), Qt::AlignRight | Qt::AlignVCenter);
        label(p, frmListC::lblCountSuffix, "問", 14);
        label(p, frmListC::lblPage, "page", 14);
        label(p, frmListC::lblCPagenum, "12", 14, rgb(Palette::ink), Qt::AlignRight | Qt::AlignVCenter);
        label(p, frmListC::lblTPagenum, "/48", 14);
        for (int r = 0; r < 10; ++r) {
            label(p, frmListC::lblNo(r), QString("第%1位.").arg(r + 111), 14, rgb(Palette::ink), Qt::AlignCenter);
            glyph(p, frmListC::imgTovak(r), chars, r + 111);
            label(p, frmListC::lblLatter(r), "147", 14, rgb(Palette::ink), Qt::AlignCenter);
            label(p, frmListC::lblTermNum(r), "4個", 14, rgb(Palette::ink), Qt::AlignCenter);
        }
        button(p, BottomRow::before, "前へ", true);
        button(p, BottomRow::next, "次へ");
        button(p, BottomRow::back, "戻る");
        out.append({"mock frmListC", img});
    }
    {
        QImage img = renderBackground("frmExamTOC", 1);
        QPainter p(&img);
        frame(p);
        label(p, frmExamTOC::lblType, "第51回試験必勝分析", 22, Qt::white);
        p.drawImage(frmExamTOC::imgContents(2), renderMenuHighlight("frmExamTOC", 2, 1));
        drawText(p, frmExamTOC::lblPandaComment,
                 "ヒアリングで登場した全ての漢字です。各漢字ごとにヒアリングでの出現回数を表示しています。"
                 "特にピンイン問題は完璧になるまで解きましょう。",
                 Face::Sans, 15, rgb(Palette::ink), Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap);
        button(p, frmExamTOC::imgBack, "戻る");
        out.append({"mock frmExamTOC", img});
    }
    return out;
}
