#pragma once

// Geometry of every screen, in pixels of the 1x background pictures.
// The picture generator (tools/pictures) paints the backgrounds from these same
// numbers, so a control placed here lines up with the writing under it. Change a
// number here, regenerate the pictures, and both move together.

#include <QPoint>
#include <QRect>
#include <QRgb>
#include <QSize>

#include <iterator>

// The rectangles read as tables: one line each, aligned.
// clang-format off

namespace Maker {
// Shown by the about box and painted into the splash picture; both must agree.
inline constexpr const char* name = "ルメナ工房";
inline constexpr const char* url = "https://rumena.example.org/";
inline constexpr const char* mail = "support@rumena.example.org";
} // namespace Maker

namespace Layout {

// Colours the pictures are painted in; screens use them for label text so the
// writing of a control matches the writing of the background around it.
namespace Palette {
inline constexpr QRgb paper = 0xFFFBF6EC;     // screen ground
inline constexpr QRgb panel = 0xFFFFFFFF;     // cards, tables, text areas
inline constexpr QRgb stripe = 0xFFF4EFE2;    // every other table row
inline constexpr QRgb rule = 0xFFD9D0BC;      // panel borders, table rules
inline constexpr QRgb ink = 0xFF2F2B26;       // ordinary writing
inline constexpr QRgb softInk = 0xFF7A7264;   // hints, captions of minor things
inline constexpr QRgb inactive = 0xFFABA69B;  // the caption of a button not offered now
inline constexpr QRgb bamboo = 0xFF3E8E5E;    // headings, header band
inline constexpr QRgb bambooPale = 0xFFE3F1E6;
inline constexpr QRgb headerInk = 0xFFFFFFFF; // writing on the header band
inline constexpr QRgb accent = 0xFFD9534F;    // numbers worth noticing (score, percentages)
inline constexpr QRgb landscape = 0xFF2F4F3E; // writing on the about box's landscape
} // namespace Palette

inline constexpr QSize screenSize{780, 600};
inline constexpr QSize helpSize{540, 418};
inline constexpr QSize splashSize{500, 330};
inline constexpr QSize glyphSize{23, 24}; // glyphs are shown at this size, never scaled
inline constexpr QSize markSize{60, 60};
inline constexpr QSize smallMarkSize{34, 34}; // the exam paper's marks (ilMaruBatuS)
inline constexpr QSize speakerSize{22, 22}; // the speaker controls (ilSpeaker)

// Header band across the top of every 780x600 screen; titles (painted or lblType) sit on it.
inline constexpr int headerHeight = 44;
inline constexpr QRect lblTypeTitle{20, 5, 440, 34}; // lblType wherever a screen has one on the band

// Exit mark and help button, top right of every 780x600 screen that has them.
inline constexpr QRect imgExit{745, 7, 29, 30};
inline constexpr QRect imgHelp{710, 8, 29, 29};

// Caption label laid over an ordinary button face (138x29, triangle at the left end).
constexpr QRect captionOf(const QRect& button)
{
    return {button.x() + 24, button.y(), button.width() - 30, button.height()};
}
// Caption label laid over the previous-page face (triangle at the right end).
constexpr QRect captionOfBefore(const QRect& button)
{
    return {button.x() + 6, button.y(), button.width() - 30, button.height()};
}

// Bottom button row of the 780x600 screens.
namespace BottomRow {
inline constexpr int y = 558;
inline constexpr QRect left{16, y, 138, 29};    // grade button of the drills
inline constexpr QRect before{318, y, 138, 29}; // 前へ
inline constexpr QRect next{470, y, 138, 29};   // 次へ
inline constexpr QRect back{626, y, 138, 29};   // 戻る
} // namespace BottomRow

// ---------------------------------------------------------------- main menu
namespace frmTOC {
inline constexpr QRect imgExit = Layout::imgExit;
inline constexpr QRect imgHelp = Layout::imgHelp;
// Achievement line "達成率：ピンイン [P] ％　日訳 [R] ％"; the words are painted, the numbers are labels.
inline constexpr QRect achievementBar{24, 56, 480, 46};
inline constexpr QRect lblMouraP{204, 62, 60, 34};
inline constexpr QRect lblMouraR{364, 62, 60, 34};
// Menu items: left column 6, 5, 7, 8 from the top; right column 1 to 4 from the top.
constexpr QRect imgContents(int k)
{
    const int leftRow = k == 6 ? 0 : k == 5 ? 1 : k - 5;
    return k >= 5 ? QRect{40, 150 + leftRow * 58, 300, 44} : QRect{440, 150 + (k - 1) * 58, 300, 44};
}
// Captions of the items from 1, painted into the background and naming the items to a screen reader.
inline constexpr const char* contentsCaption[] = {"総合出る順",   "ヒアリング出る順", "筆記単語出る順",
                                                  "筆記文出る順", "単語総合検索",     "第51回試験必勝分析",
                                                  "模擬試験",     "学習記録"};
inline constexpr int contentsCount = static_cast<int>(std::size(contentsCaption));
inline constexpr QRect leftHeading{40, 118, 300, 26};
inline constexpr QRect rightHeading{440, 118, 300, 26};
// Right of the achievement bar: the days left until the sitting the learner chose.
inline constexpr QRect lblCountdown{518, 62, 240, 34};
// Its words are pictures (ilCountdown 1 試験まであと, 2 日, 3 試験は今日です) and its number a
// label of digits, so a menu with a sitting set still typesets no Japanese.
inline constexpr QRect imgCountdownLead{lblCountdown.x(), lblCountdown.y(), 132, lblCountdown.height()};
inline constexpr QRect lblCountdownDays{lblCountdown.x() + 132, lblCountdown.y(), 56, lblCountdown.height()};
inline constexpr QRect imgCountdownTail{lblCountdown.x() + 188, lblCountdown.y(), 32, lblCountdown.height()};
// Under the left column's items: the speech switches, "今日の復習：N語" (shown only while words are
// due) and the encouragement note.
inline constexpr QRect lblSpeech{40, 384, 140, 28};
inline constexpr QRect lblSlow{190, 384, 150, 28};
inline constexpr QRect lblReview{40, 424, 300, 32};
inline constexpr QRect note{40, 466, 300, 112};
// Under the right column's items, the mascot. Its box fits the largest picture; pictures stand on its
// bottom edge, centred.
inline constexpr QRect imgPanda{506, 380, 167, 178};
} // namespace frmTOC

// ---------------------------------------------------------------- progress (学習記録)
namespace frmProgress {
// Four chart cards in two rows, the sitting card under them; each card's heading is painted.
inline constexpr QRect perDayCard{16, 52, 370, 176};
inline constexpr QRect perWeekCard{394, 52, 370, 176};
inline constexpr QRect forecastCard{16, 234, 370, 176};
inline constexpr QRect confusionCard{394, 234, 370, 176};
inline constexpr QRect sittingCard{16, 416, 748, 128};
constexpr QRect headingOf(const QRect& card) { return {card.x() + 14, card.y() + 6, card.width() - 28, 22}; }
constexpr QRect chartOf(const QRect& card) { return {card.x() + 8, card.y() + 32, card.width() - 16, card.height() - 38}; }
inline constexpr QRect perDayLegend{256, 58, 122, 18};  // right (green) under wrong (red)
inline constexpr QRect lblEmpty{30, 100, 342, 40};      // over the empty first chart
inline constexpr QRect grid{404, 264, 184, 140};        // expected tone down, answered tone across
constexpr QRect lblConfusion(int i) { return {596, 268 + i * 28, 164, 24}; }
inline constexpr QRect imgDrillConfusion{610, 372, 138, 29};
inline constexpr QRect sittingHeading{30, 422, 200, 22};
constexpr QRect imgSitting(int i) { return {30 + i * 146, 450, 138, 29}; }
inline constexpr QRect txtExamDate{30, 490, 138, 28};
inline constexpr QRect imgTypedDate{176, 489, 138, 29};
inline constexpr QRect typedDateHint{30, 520, 300, 18};
inline constexpr QRect lblExamDay{480, 422, 278, 24};
inline constexpr QRect lblReadiness{480, 446, 278, 26};
inline constexpr QRect lblReadinessNote{480, 472, 278, 30};
inline constexpr QRect lblPlan{480, 502, 278, 40};
inline constexpr QRect lblExported{162, BottomRow::y, 440, 29};
} // namespace frmProgress

// ---------------------------------------------------------------- help viewer (540x418)
namespace frmHelp {
inline constexpr QRect imgExit{505, 7, 29, 30};
inline constexpr QRect lblType{20, 5, 440, 34};
inline constexpr QRect paper{16, 54, 508, 306}; // painted frame of the text area
// Entry k of the table of contents, pitch pixels below the one before.
constexpr QRect lblContents(int k, int pitch) { return {64, 68 + k * pitch, 400, 28}; }
inline constexpr QRect lblComment{32, 64, 476, 286};
inline constexpr QRect imgBefore{36, 374, 138, 29};
inline constexpr QRect imgNext{200, 374, 138, 29};
inline constexpr QRect imgBack{366, 374, 138, 29}; // caption "閉じる"
inline constexpr QRect lblBefore = captionOfBefore(imgBefore);
inline constexpr QRect lblNext = captionOf(imgNext);
inline constexpr QRect lblBack = captionOf(imgBack);
} // namespace frmHelp

// ---------------------------------------------------------------- splash (500x330), no controls
namespace frmSplash {
inline constexpr QRect imgPanda{40, 96, 115, 171};
} // namespace frmSplash

// ---------------------------------------------------------------- about box
namespace frmAbout {
inline constexpr QRect subtitle{44, 104, 700, 30};     // painted; the version label follows it
inline constexpr QRect lblVersion{320, 104, 200, 30};
inline constexpr QRect infoPanel{380, 352, 372, 214}; // painted card behind the labels
inline constexpr QRect Label7{400, 360, 200, 24};      // 【更新履歴】
inline constexpr QRect Label9{420, 384, 80, 24};       // Ver1.0 ：
inline constexpr QRect Label8{500, 384, 220, 24};      // 2004年02月16日
inline constexpr QRect Label4{400, 414, 200, 24};      // 【連絡先】
inline constexpr QRect Label3{420, 438, 80, 24};       // Web    ：
inline constexpr QRect lblURL{500, 438, 240, 24};
inline constexpr QRect Label2{420, 462, 80, 24};       // E-mail ：
inline constexpr QRect Label1{500, 462, 240, 24};
inline constexpr QRect lblDataTitle{400, 492, 200, 24}; // 【データについて】
inline constexpr QRect lblDataNote{420, 516, 322, 42};  // the estimate note: two lines at 13 px
} // namespace frmAbout

// ---------------------------------------------------------------- ranking and latest-exam lists
// Ten rows: rank, glyph, count, related words.
namespace CharRows {
inline constexpr int rows = 10;
inline constexpr int top = 132, step = 40;
inline constexpr QRect table{60, 96, 660, top + rows * step - 96 + 4}; // painted table incl. heading row
inline constexpr QRect headingRow{60, 96, 660, 32};
constexpr int rowY(int r) { return top + r * step; }
constexpr QRect lblNo(int r) { return {80, rowY(r) + 6, 150, 24}; }
constexpr QRect imgTovak(int r) { return {288, rowY(r) + 6, 23, 24}; }
constexpr QRect lblLatter(int r) { return {360, rowY(r) + 6, 150, 24}; }
constexpr QRect lblTermNum(int r) { return {540, rowY(r) + 6, 150, 24}; }
// Column heading boxes, centred over their columns.
inline constexpr QRect headNo{80, 100, 150, 24};
inline constexpr QRect headGlyph{250, 100, 100, 24};
inline constexpr QRect headLatter{360, 100, 150, 24};
inline constexpr QRect headTermNum{540, 100, 150, 24};
} // namespace CharRows

namespace frmListC {
using namespace CharRows;
inline constexpr QRect lblType = lblTypeTitle;
inline constexpr QRect lblCountPrefix{60, 60, 90, 26}; // 総漢字数：
inline constexpr QRect lblCount{150, 60, 48, 26};
inline constexpr QRect lblCountSuffix{198, 60, 30, 26}; // 問
inline constexpr QRect lblPage{560, 60, 44, 26};        // page
inline constexpr QRect lblCPagenum{604, 60, 40, 26};
inline constexpr QRect lblTPagenum{644, 60, 70, 26};    // /81
} // namespace frmListC

namespace frmExamListC {
using namespace CharRows;
inline constexpr QRect lblType = lblTypeTitle;
inline constexpr QRect subtitle{60, 60, 400, 26}; // painted: which examination this is
} // namespace frmExamListC

// ---------------------------------------------------------------- character detail
namespace frmChar {
inline constexpr QRect lblType = lblTypeTitle;
inline constexpr QRect charFrame{36, 60, 64, 64}; // painted frame around the glyph
inline constexpr QRect imgChar{56, 80, 23, 24};
inline constexpr QRect pinyinCaption{116, 60, 200, 20}; // painted "ピンイン"
inline constexpr QRect lblPinyin{116, 82, 250, 28};
// Rank block: painted "頻出順位", then "803語中" and "第5位".
inline constexpr QRect rankCaption{36, 138, 90, 26};
inline constexpr QRect lblCount0{126, 138, 92, 26};
inline constexpr QRect lblCount2{218, 138, 110, 26};
// Related words: painted "関連重要単語：", the number, painted "個".
inline constexpr QRect relatedCaption{36, 176, 130, 26};
inline constexpr QRect lblCount1{166, 176, 40, 26};
inline constexpr QRect relatedUnit{206, 176, 30, 26};
constexpr QRect lblCount(int i) { return i == 0 ? lblCount0 : i == 1 ? lblCount1 : lblCount2; }
// 17 rows of a speaker and four glyphs in two columns of nine (rows 0-8, 9-16).
inline constexpr int relatedPerColumn = 9;
inline constexpr QRect relatedPanel{30, 212, 330, 300};
constexpr QPoint relatedOrigin(int i) { return {82 + (i / relatedPerColumn) * 160, 224 + (i % relatedPerColumn) * 31}; }
constexpr QRect imgSpeaker(int i) { return {relatedOrigin(i).x() - 28, relatedOrigin(i).y() + 1, 22, 22}; }
// One speaker per reading, right of the readings' line (four at most).
constexpr QRect imgReading(int k) { return {372 + k * 24, 85, 22, 22}; }
// j = 1..4 as in imgTovak1..imgTovak4
constexpr QRect imgTovak(int j, int i)
{
    return {relatedOrigin(i).x() + (j - 1) * 23, relatedOrigin(i).y(), 23, 24};
}
// Pentagon chart: the outer ends of the five axes (value 10).
inline constexpr QPoint axisTop{532, 128};
inline constexpr QPoint axisUpperRight{627, 197};
inline constexpr QPoint axisLowerRight{591, 307};
inline constexpr QPoint axisLowerLeft{474, 308};
inline constexpr QPoint axisUpperLeft{437, 199};
// Axis captions are painted; the values are lblPenta(0..4):
// 0 top 全体, 1 upper left ヒアリング, 2 lower left 関連単語, 3 lower right 筆記単語, 4 upper right 筆記文.
constexpr QRect pentaCaption(int k)
{
    switch (k) {
    case 0: return {472, 98, 56, 22};
    case 1: return {326, 188, 84, 22};
    case 2: return {380, 316, 72, 22};
    case 3: return {592, 316, 64, 22};
    default: return {634, 186, 50, 22};
    }
}
constexpr QRect lblPenta(int k)
{
    switch (k) {
    case 0: return {530, 98, 32, 22};
    case 1: return {410, 188, 26, 22};
    case 2: return {452, 316, 28, 22};
    case 3: return {656, 316, 30, 22};
    default: return {684, 186, 30, 22};
    }
}
// Drill buttons on the related words, under the chart.
inline constexpr QRect drillHeading{404, 348, 290, 22}; // painted
inline constexpr QRect imgP{404, 376, 138, 29};
inline constexpr QRect imgP1{556, 376, 138, 29};
inline constexpr QRect imgR{404, 416, 138, 29};
inline constexpr QRect imgDui{556, 416, 138, 29};
inline constexpr QRect lblP = captionOf(imgP);
inline constexpr QRect lblP1 = captionOf(imgP1);
inline constexpr QRect lblR = captionOf(imgR);
inline constexpr QRect lblDui = captionOf(imgDui);
// The two drills by ear, a third line under the four.
inline constexpr QRect imgLP{404, 456, 138, 29};
inline constexpr QRect imgLP1{556, 456, 138, 29};
inline constexpr QRect lblLP = captionOf(imgLP);
inline constexpr QRect lblLP1 = captionOf(imgLP1);
// In place of the drill buttons when no word of the data contains the character.
inline constexpr QRect lblNoRelated{404, 376, 290, 29};
// Why a greyed drill button is not offered, under the drill buttons.
inline constexpr QRect lblReason{404, 492, 356, 40};
} // namespace frmChar

// ---------------------------------------------------------------- latest-exam menu
namespace frmExamTOC {
inline constexpr QRect imgExit = Layout::imgExit;
inline constexpr QRect imgHelp = Layout::imgHelp;
inline constexpr QRect lblType = lblTypeTitle;          // "第51回試験必勝分析"
inline constexpr QRect imgTitle{40, 62, 320, 64};       // the title art is painted here; the control shows no picture
constexpr QRect imgContents(int k) { return {50, 160 + (k - 1) * 64, 300, 44}; }
inline constexpr QRect bubble{392, 72, 360, 196};       // painted speech bubble around the comment
inline constexpr QRect lblPandaComment{412, 90, 320, 160}; // wraps; four lines at 15 px
inline constexpr QRect pandaSpot{560, 300, 111, 178};   // painted mascot under the bubble
inline constexpr QRect imgBack = BottomRow::back;
inline constexpr QRect lblBack = captionOf(imgBack);
} // namespace frmExamTOC

// ---------------------------------------------------------------- word search
namespace frmSearch {
inline constexpr int rows = 7;
constexpr int rowY(int k) { return 74 + k * 48; }
// Painted row captions: 自由検索, ランダム検索, ジャンル検索, 文字数検索, 弱点検索, 声調検索, 復習検索.
constexpr QRect rowCaption(int k) { return {40, rowY(k), 130, 30}; }
constexpr QRect rowCard(int k) { return {24, rowY(k) - 6, 732, 42}; }
inline constexpr QRect txtFreeWord{180, rowY(0) + 1, 200, 28};
inline constexpr QRect Label1{384, rowY(0) + 1, 140, 28}; // （ﾋﾟﾝｲﾝ・日本語）
inline constexpr QRect cmbRandom{180, rowY(1) + 1, 340, 28};
inline constexpr QRect cmbGenre{180, rowY(2) + 1, 340, 28};
inline constexpr QRect cmbCharnum{180, rowY(3) + 1, 340, 28};
inline constexpr QRect cmdWeakpoint{180, rowY(4) + 1, 340, 28};
inline constexpr QRect cmbSpinyin{180, rowY(5) + 1, 340, 28};
inline constexpr QRect cmbReview{180, rowY(6) + 1, 340, 28};
constexpr QRect imgSearch(int k) { return {596, rowY(k), 138, 29}; }
constexpr QRect lblSearch(int k) { return captionOf(imgSearch(k)); }
// Result line: painted "検索結果：", the count, painted "問".
inline constexpr QRect resultCaption{180, 420, 100, 30};
inline constexpr QRect lblCount_is{280, 420, 64, 30};
inline constexpr QRect resultUnit{346, 420, 30, 30};
// Launch panel; imgSmask (Pictures::searchMask()) covers it entirely.
inline constexpr QRect launchPanel{24, 464, 732, 70};
inline constexpr QRect imgSmask = launchPanel;
inline constexpr QRect imgDui{48, 485, 138, 29};
inline constexpr QRect imgP{226, 485, 138, 29};
inline constexpr QRect imgP1{404, 485, 138, 29};
inline constexpr QRect imgR{582, 485, 138, 29};
inline constexpr QRect lblDui = captionOf(imgDui);
inline constexpr QRect lblP = captionOf(imgP);
inline constexpr QRect lblP1 = captionOf(imgP1);
inline constexpr QRect lblR = captionOf(imgR);
// The two drills by ear, right of the result line above the panel; shown with the launch row.
inline constexpr QRect imgLP{442, 421, 138, 29};
inline constexpr QRect imgLP1{596, 421, 138, 29};
inline constexpr QRect lblLP = captionOf(imgLP);
inline constexpr QRect lblLP1 = captionOf(imgLP1);
// Why a greyed launcher is not offered, in the bottom row left of 戻る.
inline constexpr QRect lblReason{24, BottomRow::y - 4, 590, 38};
} // namespace frmSearch

// ---------------------------------------------------------------- tone drill, pinyin drill, answer list
// One background (frmListTyped). Twelve rows: 0-5 down the left column, 6-11 down the right.
// A row: number, four glyphs, then the pinyin (lblAnswer) on the first line; the
// translation on the second; bare syllables and the answer box on the third.
namespace TypedRows {
inline constexpr int rows = 12, rowsPerColumn = 6;
inline constexpr int columnX0 = 16, columnPitch = 378, columnWidth = 364;
inline constexpr int top = 96, step = 74, rowHeight = 70;
constexpr QPoint rowOrigin(int r) { return {columnX0 + (r / rowsPerColumn) * columnPitch, top + (r % rowsPerColumn) * step}; }
constexpr QRect rowBox(int r) { return {rowOrigin(r).x(), rowOrigin(r).y() - 3, columnWidth, rowHeight}; }
constexpr QRect lblNo(int r) { return {rowOrigin(r).x() + 2, rowOrigin(r).y(), 42, 24}; }
// j = 1..4 as in imgTovak1..imgTovak4
constexpr QRect imgTovak(int j, int r) { return {rowOrigin(r).x() + 46 + (j - 1) * 23, rowOrigin(r).y(), 23, 24}; }
constexpr QRect lblAnswer(int r) { return {rowOrigin(r).x() + 146, rowOrigin(r).y(), 150, 24}; }
constexpr QRect lblJp(int r) { return {rowOrigin(r).x() + 44, rowOrigin(r).y() + 25, 318, 20}; } // 26 characters at 12 px
constexpr QRect lblPinyin(int r) { return {rowOrigin(r).x() + 46, rowOrigin(r).y() + 46, 116, 22}; }
constexpr QRect imgMark(int r) { return {rowOrigin(r).x() + 300, rowOrigin(r).y() + 2, 60, 60}; } // overlaps the row's right end
// Speaker under the number, left of the translation and the third line.
constexpr QRect imgSpeaker(int r) { return {rowOrigin(r).x() + 14, rowOrigin(r).y() + 28, 22, 22}; }
// Header line: painted "問題数：" [lblCount] "問", then [lblCPagenum][lblTPagenum][lblPage].
inline constexpr QRect countCaption{24, 56, 80, 28};
inline constexpr QRect lblCount{104, 56, 44, 28};
inline constexpr QRect countUnit{148, 56, 24, 28};
inline constexpr QRect lblCPagenum{190, 56, 36, 28};
inline constexpr QRect lblTPagenum{226, 56, 48, 28};
inline constexpr QRect lblPage{276, 56, 48, 28};
inline constexpr QRect lblScore{470, 50, 220, 38}; // "9／12点", big
inline constexpr QRect imgGrade = BottomRow::left;
inline constexpr QRect lblGrade = captionOf(imgGrade);
// By ear: "聞き取り" between the page number and the score, the replay hint
// in the bottom row between the grade button and 前へ.
inline constexpr QRect lblListening{340, 56, 120, 28};
inline constexpr QRect lblReplayHint{166, BottomRow::y, 148, 29};
// Why the grade button is greyed, where the score stands once graded.
inline constexpr QRect lblReason{470, 48, 294, 44};
} // namespace TypedRows

namespace frmListP2 { // tone drill: short answer box after the bare syllables
using namespace TypedRows;
constexpr QRect txtTerm(int r) { return {rowOrigin(r).x() + 166, rowOrigin(r).y() + 46, 96, 22}; }
} // namespace frmListP2

namespace frmListP1 { // pinyin drill: no bare syllables; the box takes the whole pinyin
using namespace TypedRows;
constexpr QRect txtTerm(int r) { return {rowOrigin(r).x() + 46, rowOrigin(r).y() + 46, 216, 22}; }
} // namespace frmListP1

namespace frmListDui { // answer list: glyphs and pinyin, translation below; no boxes
using namespace TypedRows;
} // namespace frmListDui

// ---------------------------------------------------------------- translation choice drill
// Ten rows: 0-4 down the left column, 5-9 down the right. The four choices stand
// one below the other to the right of the glyphs; the mark sits under the glyphs.
namespace frmListR {
inline constexpr int rows = 10, rowsPerColumn = 5;
inline constexpr int columnX0 = 16, columnPitch = 378, columnWidth = 364;
inline constexpr int top = 96, step = 92, rowHeight = 88;
constexpr QPoint rowOrigin(int r) { return {columnX0 + (r / rowsPerColumn) * columnPitch, top + (r % rowsPerColumn) * step}; }
constexpr QRect rowBox(int r) { return {rowOrigin(r).x(), rowOrigin(r).y() - 3, columnWidth, rowHeight}; }
constexpr QRect lblNo(int r) { return {rowOrigin(r).x() + 2, rowOrigin(r).y(), 34, 24}; }
constexpr QRect imgTovak(int j, int r) { return {rowOrigin(r).x() + 36 + (j - 1) * 23, rowOrigin(r).y(), 23, 24}; }
// j = 1..4 as in lblJp1..lblJp4; 20 characters fit at 12 px, longer ones need a smaller font.
constexpr QRect lblJp(int j, int r) { return {rowOrigin(r).x() + 132, rowOrigin(r).y() - 1 + (j - 1) * 21, 228, 21}; }
constexpr QRect imgMark(int r) { return {rowOrigin(r).x() + 52, rowOrigin(r).y() + 24, 60, 60}; }
constexpr QRect imgSpeaker(int r) { return {rowOrigin(r).x() + 10, rowOrigin(r).y() + 30, 22, 22}; } // under the number
inline constexpr QRect countCaption = TypedRows::countCaption;
inline constexpr QRect lblCount = TypedRows::lblCount;
inline constexpr QRect countUnit = TypedRows::countUnit;
inline constexpr QRect lblCPagenum = TypedRows::lblCPagenum;
inline constexpr QRect lblTPagenum = TypedRows::lblTPagenum;
inline constexpr QRect lblPage = TypedRows::lblPage;
inline constexpr QRect lblScore = TypedRows::lblScore;
inline constexpr QRect imgGrade = BottomRow::left;
inline constexpr QRect lblGrade = captionOf(imgGrade);
} // namespace frmListR

// ---------------------------------------------------------------- exam practice: the cover
// Left: the two sections, each a card with its painted heading and description
// and the button that starts it. Right: the last scores and the contrasts missed most.
namespace frmMockExam {
constexpr QRect sectionCard(int k) { return {24, 60 + k * 176, 360, 164}; } // 0 筆記, 1 聞き取り
constexpr QRect sectionHeading(int k) { return {44, sectionCard(k).y() + 12, 320, 26}; }
constexpr QRect sectionText(int k) { return {44, sectionCard(k).y() + 44, 320, 58}; }
constexpr QRect imgSection(int k) { return {44, sectionCard(k).y() + 114, 138, 29}; }
constexpr QRect lblSection(int k) { return captionOf(imgSection(k)); }
// Why 聞き取り is not offered, beside its button; shown only then.
inline constexpr QRect lblNoSound{194, sectionCard(1).y() + 106, 182, 46};
inline constexpr QRect note{24, 416, 360, 124};
inline constexpr QRect resultsPanel{400, 60, 356, 480};
inline constexpr QRect scoresHeading{420, 72, 316, 26};
constexpr QRect scoresCaption(int k) { return {420 + k * 164, 106, 152, 20}; }
constexpr QRect lblScores(int k) { return {420 + k * 164, 130, 152, 130}; } // five lines
inline constexpr QRect missesHeading{420, 284, 316, 26};
inline constexpr QRect lblMisses{420, 318, 250, 150}; // five lines, their counts beside them
inline constexpr QRect lblMissCounts{670, 318, 66, 150};
inline constexpr QRect missesHint{420, 480, 316, 44};
} // namespace frmMockExam

// ---------------------------------------------------------------- exam practice: the paper
// Ten items on one sheet under the headings of their groups. The rows' places
// depend on the section, so the rectangles are given for a row's top y.
// A row: the number (its mark over it once graded), the word's glyphs, four
// choices with a note under each, the item's speaker at the right end. A
// number item has its instruction and answer box in place of glyphs and choices.
namespace frmExamPaper {
inline constexpr QRect lblType = lblTypeTitle;
inline constexpr QRect paper{16, 52, 748, 496};
inline constexpr int top = 58, headingHeight = 24, rowPitch = 41;
constexpr int rowY(int headingsAbove, int rowsAbove) { return top + headingsAbove * headingHeight + rowsAbove * rowPitch; }
constexpr QRect lblHeading(int y) { return {24, y, 732, 22}; }
constexpr QRect lblNo(int y) { return {24, y, 36, 24}; }
constexpr QRect imgMark(int y) { return {QPoint{25, y - 5}, smallMarkSize}; } // over the number, as on a marked paper
constexpr QRect imgTovak(int j, int y) { return {62 + j * 23, y, 23, 24}; }
// A choice reaches a pixel above and below the glyphs, so its frame is not hidden under them.
constexpr QRect lblChoice(int j, int y) { return {156 + j * 144, y - 1, 142, 26}; }
constexpr QRect lblNote(int j, int y) { return {156 + j * 144, y + 25, 142, 16}; }
// Tone-pattern items: each choice is a word, its glyphs after the choice's number.
constexpr QRect imgChoiceGlyph(int j, int k, int y) { return {156 + j * 144 + 24 + k * 23, y, 23, 24}; }
constexpr QRect imgChoiceSpeaker(int j, int y) { return {156 + j * 144 + 116, y + 1, 22, 22}; }
constexpr QRect imgSpeaker(int y) { return {736, y + 1, 22, 22}; }
constexpr QRect lblAsk(int y) { return {62, y, 412, 24}; }
constexpr QRect txtAnswer(int y) { return {480, y, 130, 24}; }
constexpr QRect lblAnswer(int y) { return {62, y + 24, 660, 16}; }
inline constexpr QRect imgGrade = BottomRow::left;
inline constexpr QRect lblGrade = captionOf(imgGrade);
inline constexpr QRect lblReplayHint{166, BottomRow::y, 148, 29};
inline constexpr QRect lblScore{320, 550, 290, 44};
} // namespace frmExamPaper

} // namespace Layout

// clang-format on
