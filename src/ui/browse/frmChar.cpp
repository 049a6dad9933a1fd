#include "ui/browse/frmChar.h"

#include "core/browse/rankings.h"
#include "core/info/helppages.h"
#include "core/tovak.h"
#include "ui/drills/frmListDui.h"
#include "ui/drills/frmListP1.h"
#include "ui/drills/frmListP2.h"
#include "ui/drills/frmListR.h"
#include "ui/layout.h"
#include "ui/pictures.h"
#include "ui/screenregistry.h"
#include "ui/screenstyle.h"

#include <QLabel>
#include <QPainter>
#include <QPolygonF>

namespace L = Layout::frmChar;

namespace {
const QColor chartInk = QColor::fromRgb(Layout::Palette::accent);

// Everything the chart can cover, with room for the pen and the vertex marks.
QRect chartArea()
{
    const QPolygon outer{L::axisTop, L::axisUpperRight, L::axisLowerRight, L::axisLowerLeft, L::axisUpperLeft};
    return outer.boundingRect().adjusted(-6, -6, 6, 6);
}
// A drill that prepares its run in init() before it is shown.
template <class Screen> void openDrillScreen(ScreenRegistry& screens, QWidget* opener)
{
    auto& s = screens.screen<Screen>();
    s.init();
    (void)screens.exec(s, opener);
}
} // namespace

frmChar::frmChar(ScreenRegistry& screens)
    : ScreenBase(screens, QStringLiteral("frmChar"), Pictures::background(QStringLiteral("frmChar")),
                 Layout::screenSize)
{
    buildFacts();
    buildDrillButtons();
    addPageButtons([this] { step(-1); }, [this] { step(1); });
    addBackHelpExit(HelpRankings);
    // The readings, the related words down each column, then the drill buttons
    // as they stand, two to a line.
    QList<QWidget*> body;
    for (SpeakerButton* s : readingSpeakers_)
        body << s;
    for (SpeakerButton* s : wordSpeakers_)
        body << s;
    for (const char* name : {"P", "P1", "R", "Dui", "LP", "LP1"})
        body << button(QString::fromLatin1(name))->picture();
    setFramedReadingOrder(body);
}

// The character, its readings, rank and counts, the chart labels and the related words.
void frmChar::buildFacts()
{
    const QColor ink = QColor::fromRgb(Layout::Palette::ink);
    const QColor accent = QColor::fromRgb(Layout::Palette::accent);
    const Qt::Alignment right = Qt::AlignRight | Qt::AlignVCenter;
    lblType_ = makeLabel(this, QStringLiteral("lblType"), QStringLiteral("ヒアリング出る順"), L::lblType,
                         QColor::fromRgb(Layout::Palette::headerInk), 22, true);
    imgChar_ = new QLabel(this);
    imgChar_->setObjectName(QStringLiteral("imgChar"));
    imgChar_->setGeometry(L::imgChar);
    lblPinyin_ = makeLabel(this, QStringLiteral("lblPinyin"), QString(), L::lblPinyin, ink, 18);
    lblCount_[0] = makeLabel(this, QStringLiteral("lblCount(0)"), QString(), L::lblCount(0), ink, 15, false, right);
    lblCount_[1] = makeLabel(this, QStringLiteral("lblCount(1)"), QString(), L::lblCount(1), ink, 15, true, right);
    lblCount_[2] =
        makeLabel(this, QStringLiteral("lblCount(2)"), QString(), L::lblCount(2), accent, 15, true, Qt::AlignCenter);
    for (int k = 0; k < 5; ++k)
        lblPenta_[static_cast<size_t>(k)] = makeLabel(this, QStringLiteral("lblPenta(%1)").arg(k), QString(),
                                                      L::lblPenta(k), accent, 13, true, Qt::AlignCenter);
    for (int j = 1; j <= 4; ++j) {
        for (int i = 0; i < RelatedRows; ++i) {
            auto* glyph = new QLabel(this);
            glyph->setObjectName(QStringLiteral("imgTovak%1(%2)").arg(j).arg(i));
            glyph->setGeometry(L::imgTovak(j, i));
            imgTovak_[static_cast<size_t>(j - 1)][static_cast<size_t>(i)] = glyph;
        }
    }
    for (int k = 0; k < 4; ++k)
        readingSpeakers_[static_cast<size_t>(k)] = new SpeakerButton(
            screens().voice(), tovak().db, this, QStringLiteral("imgReading(%1)").arg(k), L::imgReading(k));
    for (int i = 0; i < RelatedRows; ++i)
        wordSpeakers_[static_cast<size_t>(i)] = new SpeakerButton(
            screens().voice(), tovak().db, this, QStringLiteral("imgSpeaker(%1)").arg(i), L::imgSpeaker(i));
}

// The four drill buttons under their painted heading, then the two drills by ear.
void frmChar::buildDrillButtons()
{
    struct DrillButton {
        const char* name;
        const char* caption;
        QRect picture;
        QRect label;
        ImageButton::CaptionRole role;
        Drill drill;
    };
    const DrillButton drills[] = {
        {"P", "声調を解答", L::imgP, L::lblP, ImageButton::CaptionActsAsButton, Drill::Tone},
        {"P1", "ﾋﾟﾝｲﾝを解答", L::imgP1, L::lblP1, ImageButton::CaptionActsAsButton, Drill::Pinyin},
        {"R", "日訳を解答", L::imgR, L::lblR, ImageButton::CaptionForwardsClick, Drill::Translation},
        {"Dui", "解答を確認", L::imgDui, L::lblDui, ImageButton::CaptionForwardsClick, Drill::AnswerList},
        {"LP", "聞き取り声調", L::imgLP, L::lblLP, ImageButton::CaptionActsAsButton, Drill::ToneByEar},
        {"LP1", "聞き取りﾋﾟﾝｲﾝ", L::imgLP1, L::lblLP1, ImageButton::CaptionActsAsButton, Drill::PinyinByEar},
    };
    for (const DrillButton& d : drills) {
        ImageButton* b = addButton(QString::fromLatin1(d.name), Pictures::btn(1), Pictures::btn(2), d.picture);
        styleCaption(b->addCaption(QString::fromUtf8(d.caption), d.label, d.role));
        b->setInactivePicture(Pictures::btn(9));
        connect(b, &ImageButton::clicked, this, [this, drill = d.drill] { startDrill(drill); });
    }
    // Without it the painted heading over the drill buttons would lead nowhere.
    lblNoRelated_ =
        makeLabel(this, QStringLiteral("lblNoRelated"), QStringLiteral("この漢字を含む単語は収録されていません。"),
                  L::lblNoRelated, QColor::fromRgb(Layout::Palette::softInk), 13);
    lblNoRelated_->hide();
    // imgP1 stands apart from the hover rule of the other three.
    makeHoverGroup({button(QStringLiteral("P")), button(QStringLiteral("R")), button(QStringLiteral("Dui")),
                    button(QStringLiteral("LP")), button(QStringLiteral("LP1"))});
    setReasonLine(L::lblReason);
    showByEarOffer();
    connect(&screens().voice(), &Voice::changed, this, &frmChar::showByEarOffer);
}

void frmChar::showByEarOffer()
{
    // Without sound a drill by ear is no drill: its launchers stay in place and say why.
    const QString reason = screens().voice().unavailableReason();
    for (const char* name : {"LP", "LP1"}) {
        ImageButton* b = button(QString::fromLatin1(name));
        b->setActive(reason.isEmpty());
        b->setReasonNotOffered(reason);
    }
}

void frmChar::setFrmChar(qint16 ckey)
{
    detail_ = charDetail(tovak(), ckey);
    const CharDetail& d = detail_;
    button(QStringLiteral("Next"))->setVisible(d.nextShown);
    button(QStringLiteral("Before"))->setVisible(d.beforeShown);
    if (!d.title.isEmpty())
        lblType_->setText(d.title);

    showGlyph(imgChar_, tovak().db, ckey);
    lblPinyin_->setText(d.pinyin);
    lblCount_[0]->setText(d.listSize);
    lblCount_[1]->setText(d.relatedCount);
    lblCount_[2]->setText(d.rank);
    for (size_t i = 0; i < RelatedRows; ++i) {
        const bool filled = i < static_cast<size_t>(d.relatedGlyphs.size());
        for (size_t j = 0; j < 4; ++j) {
            // Stepping mostly changes a few rows; untouched glyphs need no repaint.
            const int key = filled ? d.relatedGlyphs[static_cast<qsizetype>(i)][j] : 0;
            if (key == relatedShown_[j][i])
                continue;
            relatedShown_[j][i] = key;
            showGlyph(imgTovak_[j][i], tovak().db, key);
        }
    }
    for (size_t k = 0; k < readingSpeakers_.size(); ++k)
        readingSpeakers_[k]->setReading(d.readings.value(static_cast<qsizetype>(k)));
    for (size_t i = 0; i < wordSpeakers_.size(); ++i)
        wordSpeakers_[i]->setWord(d.relatedWords.value(static_cast<qsizetype>(i)));
    for (const char* name : {"Dui", "P", "P1", "R", "LP", "LP1"})
        button(QString::fromLatin1(name))->setVisible(d.drillsShown);
    lblNoRelated_->setVisible(!d.drillsShown);
    for (size_t k = 0; k < 5; ++k)
        lblPenta_[k]->setText(d.chart.values[k]);
    update(chartArea());
}

void frmChar::paintEvent(QPaintEvent* e)
{
    ScreenBase::paintEvent(e);
    if (detail_.ckey == 0)
        return;
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    QPolygonF area;
    for (const QPoint& v : detail_.chart.vertices)
        area << QPointF(v);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(chartInk.red(), chartInk.green(), chartInk.blue(), 50));
    p.drawPolygon(area);

    p.setPen(QPen(chartInk, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(chartInk);
    for (const PentagonChart::Line& line : detail_.chart.lines()) {
        if (line.from == line.to) // a vertex mark: visible even where its edges have no length
            p.drawEllipse(QPointF(line.from), 2.5, 2.5);
        else
            p.drawLine(QPointF(line.from), QPointF(line.to));
    }
}

void frmChar::replayKey()
{
    if (auto* focused = qobject_cast<SpeakerButton*>(focusWidget()))
        focused->play();
    else
        readingSpeakers_.front()->play();
}

void frmChar::step(int delta)
{
    Tovak& t = tovak();
    const int next = t.cno + delta;
    if (next < 0 || next > t.maxcno || next >= t.CurrentCharCount)
        return;
    t.cno = static_cast<qint16>(next);
    setFrmChar(t.CurrentCharList[t.cno]);
}

void frmChar::pageDownKey()
{
    if (tovak().cno < tovak().maxcno)
        button(QStringLiteral("Next"))->click();
}

void frmChar::pageUpKey()
{
    if (tovak().cno > 0)
        button(QStringLiteral("Before"))->click();
}

void frmChar::startDrill(Drill drill)
{
    // A drill by ear that cannot be heard would grade words never heard: the voice tells why instead.
    if ((drill == Drill::ToneByEar || drill == Drill::PinyinByEar) && !screens().voice().check())
        return;
    loadRelatedWords(tovak(), detail_.ckey);
    openDrill(drill);
}

void frmChar::openDrill(Drill drill)
{
    tovak().Listening = drill == Drill::ToneByEar || drill == Drill::PinyinByEar;
    switch (drill) {
    case Drill::AnswerList:
        (void)screens().open<frmListDui>(this); // prepares itself when it loads
        return;
    case Drill::Tone:
    case Drill::ToneByEar:
        openDrillScreen<frmListP2>(screens(), this);
        return;
    case Drill::Pinyin:
    case Drill::PinyinByEar:
        openDrillScreen<frmListP1>(screens(), this);
        return;
    case Drill::Translation:
        openDrillScreen<frmListR>(screens(), this); // builds its choice sets in init()
        return;
    }
}
