#include "ui/drills/typeddrillscreen.h"

#include "core/drills/drillsession.h"
#include "core/info/helppages.h"
#include "ui/layout.h"
#include "ui/screenregistry.h"
#include "ui/screenstyle.h"

#include <QEvent>
#include <QLineEdit>

namespace L = Layout::TypedRows;

namespace {
constexpr int syllablePixels = 14;
} // namespace

TypedDrillScreen::TypedDrillScreen(ScreenRegistry& screens, const QString& name, DrillKind kind, BoxPlace txtTerm)
    : DrillScreen(screens, name, HelpPinyinDrills, std::make_unique<TypedDrillSession>(screens.tovak(), kind))
{
    const QColor ink = QColor::fromRgb(Layout::Palette::ink);
    QFont boxFont = font();
    boxFont.setPixelSize(14);
    for (int r = 0; r < TypedDrillSession::PageSize; ++r) {
        Row& row = rows_[static_cast<size_t>(r)];
        row.view.emplace(this, screens.tovak().db, r, QColor::fromRgb(Layout::Palette::accent));
        if (kind == DrillKind::ToneDrill)
            row.syllables = makeLabel(this, QStringLiteral("lblPinyin(%1)").arg(r), QString(), L::lblPinyin(r), ink,
                                      syllablePixels);

        row.box = new QLineEdit(this);
        row.box->setObjectName(QStringLiteral("txtTerm(%1)").arg(r));
        row.box->setGeometry(txtTerm(r));
        row.box->setFont(boxFont);
        // Tone digits and pinyin are typed in Latin letters: a Japanese input
        // method must not turn them into full-width characters.
        row.box->setInputMethodHints(Qt::ImhPreferLatin | Qt::ImhLatinOnly | Qt::ImhNoAutoUppercase |
                                     Qt::ImhNoPredictiveText);
        connect(row.box, &QLineEdit::textEdited, this, [this, r](const QString& text) { typed().setBoxText(r, text); });

        row.mark = new QLabel(this);
        row.mark->setObjectName(QStringLiteral("imgMark(%1)").arg(r));
        row.mark->setGeometry(L::imgMark(r));
        row.mark->hide();
        row.speaker = new SpeakerButton(screens.voice(), screens.tovak().db, this,
                                        QStringLiteral("imgSpeaker(%1)").arg(r), L::imgSpeaker(r));
    }
    // The boxes in row order: down the left column, then down the right one;
    // once graded, each row's speaker follows its box.
    QList<QWidget*> boxes;
    for (const Row& row : rows_)
        boxes << row.box << row.speaker;
    setFramedReadingOrder(boxes);

    lblListening_ = makeLabel(this, QStringLiteral("lblListening"), QStringLiteral("聞き取り"), L::lblListening,
                              QColor::fromRgb(Layout::Palette::bamboo), 18, true);
    lblReplayHint_ = makeLabel(this, QStringLiteral("lblReplayHint"), QStringLiteral("F6：もう一度聞く"),
                               L::lblReplayHint, QColor::fromRgb(Layout::Palette::softInk), 13);
    lblListening_->hide();
    lblReplayHint_->hide();
}

bool TypedDrillScreen::eventFilter(QObject* watched, QEvent* event)
{
    // By ear, a box taking the focus speaks its row's word.
    if (event->type() == QEvent::FocusIn && typed().listening()) {
        for (int r = 0; r < TypedDrillSession::PageSize; ++r) {
            if (rows_[static_cast<size_t>(r)].box != watched)
                continue;
            // Opening a window can hand the same box the focus twice in a row:
            // the word starts once.
            if (r == lastFocusRow_ && sinceFocusSpeech_.isValid() && sinceFocusSpeech_.elapsed() < 500)
                continue;
            lastFocusRow_ = r;
            sinceFocusSpeech_.start();
            speakRow(r);
        }
    }
    return DrillScreen::eventFilter(watched, event);
}

void TypedDrillScreen::replayKey()
{
    const QWidget* focused = focusWidget();
    for (int r = 0; r < TypedDrillSession::PageSize; ++r) {
        Row& row = rows_[static_cast<size_t>(r)];
        if (row.box != focused && row.speaker != focused)
            continue;
        // By ear the voice is asked even after a failure: it may work again.
        if (typed().listening())
            speakRow(r);
        else
            row.speaker->play();
    }
}

void TypedDrillScreen::speakRow(int r)
{
    const TypedRow content = typed().row(r);
    if (content.hasWord)
        screens().voice().speakWord(content.tkey);
}

TypedDrillSession& TypedDrillScreen::typed() const
{
    return static_cast<TypedDrillSession&>(session());
}

void TypedDrillScreen::drawRows()
{
    const TypedDrillSession& s = typed();
    for (int r = 0; r < TypedDrillSession::PageSize; ++r) {
        Row& row = rows_[static_cast<size_t>(r)];
        const TypedRow content = s.row(r);
        row.view->show(content);
        row.view->showTexts(content.translation, content.answer, content.answerVisible);
        if (row.syllables)
            setFittedText(row.syllables, content.syllables, syllablePixels);
        // A hidden box keeps its text; the session holds it either way.
        if (row.box->text() != content.boxText)
            row.box->setText(content.boxText);
        row.box->setReadOnly(s.boxesLocked());
        row.box->setVisible(content.boxVisible);
        showMark(row.mark, content.mark);
        // By ear the word may be heard at any time; by eye only once graded.
        row.speaker->setAllowed(s.graded() || s.listening());
        row.speaker->setConcealed(content.concealed);
        row.speaker->setWord(content.hasWord ? content.tkey : 0);
    }
    lblListening_->setVisible(s.listening());
    lblReplayHint_->setVisible(s.listening());
}

void TypedDrillScreen::focusFirstBox()
{
    QLineEdit* first = rows_.front().box;
    if (!first->isVisibleTo(this) || first->isReadOnly())
        return;
    // A box that keeps the focus over a page turn gets no focus event: its new word is spoken here.
    const bool kept = first->hasFocus();
    first->setFocus();
    if (kept && typed().listening())
        speakRow(0);
}

void TypedDrillScreen::runStarted()
{
    // By ear, help explains listening rather than typing what is shown.
    setHelpPage(typed().listening() ? HelpSoundAndReview : HelpPinyinDrills);
    lastFocusRow_ = -1;
    focusFirstBox();
}

void TypedDrillScreen::pageTurned()
{
    lastFocusRow_ = -1;
    focusFirstBox();
}
