#include "ui/exam/frmExamPaper.h"

#include "core/info/helppages.h"
#include "core/pinyin.h"
#include "core/tonemarks.h"
#include "core/tovak.h"
#include "core/voice.h"
#include "ui/clickable.h"
#include "ui/layout.h"
#include "ui/messagebox.h"
#include "ui/pictures.h"
#include "ui/screenregistry.h"
#include "ui/screenstyle.h"

#include <QDate>
#include <QElapsedTimer>
#include <QFontMetrics>
#include <QKeyEvent>

namespace L = Layout::frmExamPaper;

using namespace Qt::Literals::StringLiterals;

namespace {

constexpr int choicePixels = 15;
constexpr int meaningPixels = 13;
constexpr int notePixels = 11;
const QColor chosenColour(0, 0, 255);
const QColor rightColour(255, 0, 0);

QString circled(int j)
{
    return QString(QChar(u'①' + j));
}

// Pinyin in a face whose precomposed tone letters are drawn as one glyph at
// both scales; the Japanese around it falls back to the usual face.
void usePinyinFace(QLabel* label)
{
    QFont f = label->font();
    f.setFamilies({u"DejaVu Sans"_s, u"Noto Sans"_s, u"Noto Sans CJK JP"_s});
    label->setFont(f);
}

QLabel* glyphLabel(QWidget* parent, const QString& name, const QRect& geometry)
{
    auto* l = new QLabel(parent);
    l->setObjectName(name);
    l->setGeometry(geometry);
    return l;
}

} // namespace

frmExamPaper::frmExamPaper(ScreenRegistry& screens)
    : ScreenBase(screens, u"frmExamPaper"_s, Pictures::background(u"frmExamPaper"_s), Layout::screenSize),
      generator_(screens.tovak().db), clock_([] {
          static QElapsedTimer started = [] {
              QElapsedTimer t;
              t.start();
              return t;
          }();
          return started.elapsed();
      })
{
    lblType_ =
        makeLabel(this, u"lblType"_s, QString(), L::lblType, QColor::fromRgb(Layout::Palette::headerInk), 22, true);
    const QColor bamboo = QColor::fromRgb(Layout::Palette::bamboo);
    for (size_t g = 0; g < headings_.size(); ++g)
        headings_[g] = makeLabel(this, u"lblHeading(%1)"_s.arg(g), QString(), L::lblHeading(0), bamboo, 14, true);
    for (int i = 0; i < ExamItemsPerSection; ++i)
        buildRow(i);

    addBackHelpExit(HelpMockExam);
    grade_ = addButton(u"Grade"_s, Pictures::btn(1), Pictures::btn(2), L::imgGrade);
    styleCaption(grade_->addCaption(u"採点"_s, L::lblGrade));
    connect(grade_, &ImageButton::clicked, this, &frmExamPaper::pressGrade);
    lblScore_ = makeLabel(this, u"lblScore"_s, QString(), L::lblScore, QColor::fromRgb(Layout::Palette::accent), 30,
                          true, Qt::AlignCenter);
    lblReplayHint_ = makeLabel(this, u"lblReplayHint"_s, u"F6：もう一度聞く"_s, L::lblReplayHint,
                               QColor::fromRgb(Layout::Palette::softInk), 13);

    // Item by item: its choices or its box, then its speakers.
    QList<QWidget*> order;
    for (const Row& row : rows_) {
        for (QLabel* c : row.choices)
            order << c;
        order << row.box;
        for (SpeakerButton* s : row.choiceSpeakers)
            order << s;
        order << row.speaker;
    }
    setFramedReadingOrder(order);
}

frmExamPaper::~frmExamPaper() = default;

void frmExamPaper::buildRow(int i)
{
    Row& row = rows_[static_cast<size_t>(i)];
    const QColor ink = QColor::fromRgb(Layout::Palette::ink);
    const QColor soft = QColor::fromRgb(Layout::Palette::softInk);
    Voice& voice = screens().voice();
    const DB& db = tovak().db;
    row.no = makeLabel(this, u"lblNo(%1)"_s.arg(i), u"(%1)"_s.arg(i + 1), L::lblNo(0), ink, 14, true, Qt::AlignCenter);
    for (int j = 0; j < 4; ++j) {
        row.glyphs[static_cast<size_t>(j)] = glyphLabel(this, u"imgTovak%1(%2)"_s.arg(j + 1).arg(i), L::imgTovak(j, 0));
        QLabel* c =
            makeLabel(this, u"lblChoice%1(%2)"_s.arg(j + 1).arg(i), QString(), L::lblChoice(j, 0), ink, choicePixels);
        c->setIndent(3);
        c->setCursor(Qt::PointingHandCursor);
        onClick(c, [this, i, j] { choose(i, j); });
        onEnter(c, [this, i, j] { frame(i, j); });
        row.choices[static_cast<size_t>(j)] = c;
        for (int k = 0; k < 2; ++k) {
            QLabel* g =
                glyphLabel(this, u"imgChoiceTovak%1%2(%3)"_s.arg(j + 1).arg(k + 1).arg(i), L::imgChoiceGlyph(j, k, 0));
            forwardClicks(g, c);
            row.choiceGlyphs[static_cast<size_t>(j)][static_cast<size_t>(k)] = g;
        }
        row.notes[static_cast<size_t>(j)] =
            makeLabel(this, u"lblNote%1(%2)"_s.arg(j + 1).arg(i), QString(), L::lblNote(j, 0), soft, notePixels);
        row.choiceSpeakers[static_cast<size_t>(j)] = new SpeakerButton(
            voice, db, this, u"imgChoiceSpeaker%1(%2)"_s.arg(j + 1).arg(i), L::imgChoiceSpeaker(j, 0));
    }
    row.speaker = new SpeakerButton(voice, db, this, u"imgSpeaker(%1)"_s.arg(i), L::imgSpeaker(0));
    row.ask = makeLabel(this, u"lblAsk(%1)"_s.arg(i), QString(), L::lblAsk(0), ink, 13);
    row.box = new QLineEdit(this);
    row.box->setObjectName(u"txtAnswer(%1)"_s.arg(i));
    QFont boxFont = row.box->font();
    boxFont.setPixelSize(14);
    row.box->setFont(boxFont);
    // Digits, colons and slashes are typed in Latin letters: a Japanese input
    // method must not turn them into full-width characters.
    row.box->setInputMethodHints(Qt::ImhPreferLatin | Qt::ImhLatinOnly | Qt::ImhNoAutoUppercase |
                                 Qt::ImhNoPredictiveText);
    connect(row.box, &QLineEdit::textEdited, this, [this, i](const QString& text) { session_->type(i, text); });
    row.answer = makeLabel(this, u"lblAnswer(%1)"_s.arg(i), QString(), L::lblAnswer(0), rightColour, 12);
    usePinyinFace(row.answer);
    // The mark lies over the number, as on a marked paper.
    row.mark = glyphLabel(this, u"imgMark(%1)"_s.arg(i), L::imgMark(0));
    row.mark->hide();
}

void frmExamPaper::init(ExamSectionKind kind, ExamResults& results)
{
    kind_ = kind;
    results_ = &results;
    lblType_->setText(u"模擬試験　"_s + sectionTitle(kind));
    lblReplayHint_->setVisible(kind == ExamSectionKind::Listening);
    startSitting(std::nullopt);
}

void frmExamPaper::startSitting(std::optional<qint64> pressedAtMs)
{
    session_.emplace(generator_.section(kind_, tovak().rng()), pressedAtMs);
    for (Row& row : rows_)
        row.box->clear();
    layOut();
    refresh();
    current_ = 0;
    lastPlayed_ = -1;
    // The sheet opens with the focus on itself, as a screen of pictures does: no
    // choice looks selected, keys 1 to 4 answer item 1, and Tab goes on from there.
    setFocus(Qt::OtherFocusReason);
    // By ear the first item is read as soon as the sheet shows (a new set: at once).
    if (isVisible())
        reach(0);
}

void frmExamPaper::showEvent(QShowEvent* e)
{
    ScreenBase::showEvent(e);
    reach(current_);
}

// Every row at its place for this section's groups: a heading over each group.
void frmExamPaper::layOut()
{
    const QList<ExamGroup> groups = examGroups(session_->section());
    for (size_t g = 0; g < headings_.size(); ++g) {
        const bool used = g < static_cast<size_t>(groups.size());
        headings_[g]->setVisible(used);
        if (!used)
            continue;
        const ExamGroup& group = groups[static_cast<qsizetype>(g)];
        headings_[g]->setGeometry(L::lblHeading(L::rowY(static_cast<int>(g), group.first)));
        headings_[g]->setText(group.heading);
        for (int i = group.first; i < group.first + group.count && i < ExamItemsPerSection; ++i) {
            const int y = L::rowY(static_cast<int>(g) + 1, i);
            Row& row = rows_[static_cast<size_t>(i)];
            row.no->setGeometry(L::lblNo(y));
            row.mark->setGeometry(L::imgMark(y));
            for (int j = 0; j < 4; ++j) {
                const auto sj = static_cast<size_t>(j);
                row.glyphs[sj]->setGeometry(L::imgTovak(j, y));
                row.choices[sj]->setGeometry(L::lblChoice(j, y));
                row.notes[sj]->setGeometry(L::lblNote(j, y));
                row.choiceSpeakers[sj]->setGeometry(L::imgChoiceSpeaker(j, y));
                for (int k = 0; k < 2; ++k)
                    row.choiceGlyphs[sj][static_cast<size_t>(k)]->setGeometry(L::imgChoiceGlyph(j, k, y));
            }
            row.speaker->setGeometry(L::imgSpeaker(y));
            row.ask->setGeometry(L::lblAsk(y));
            row.box->setGeometry(L::txtAnswer(y));
            row.answer->setGeometry(L::lblAnswer(y));
        }
    }
}

void frmExamPaper::refresh()
{
    for (int i = 0; i < ExamItemsPerSection; ++i)
        drawRow(i);
    const bool graded = session_->graded();
    grade_->caption()->setText(graded ? u"新しい問題"_s : u"採点"_s);
    lblScore_->setText(session_->scoreCaption());
    lblScore_->setVisible(graded);
}

void frmExamPaper::drawRow(int i)
{
    Row& row = rows_[static_cast<size_t>(i)];
    const bool present = i < session_->count();
    row.no->setVisible(present);
    if (!present) {
        for (QWidget* w : std::initializer_list<QWidget*>{row.ask, row.box, row.answer, row.speaker, row.mark})
            w->hide();
        for (int j = 0; j < 4; ++j) {
            row.choices[static_cast<size_t>(j)]->hide();
            row.notes[static_cast<size_t>(j)]->hide();
        }
        return;
    }
    const ExamItem& item = session_->item(i);
    const bool graded = session_->graded();
    const bool number = item.kind == ExamItemKind::Number;
    const bool byEar = kind_ == ExamSectionKind::Listening;
    const DB& db = tovak().db;

    // The word in pictures: on the written paper from the start, by ear once graded.
    const bool wordShown = item.kind == ExamItemKind::Pinyin || item.kind == ExamItemKind::Meaning;
    const std::array<int, 4> keys = db.wordCKeys(item.tkey);
    for (size_t j = 0; j < 4; ++j)
        showGlyph(row.glyphs[j], db, wordShown && (graded || !byEar) && keys[j] != NoChar ? keys[j] : 0);

    row.ask->setVisible(number);
    row.box->setVisible(number);
    row.answer->setVisible(number && graded);
    if (number) {
        row.ask->setText(numberInstruction(item.number.kind));
        row.box->setReadOnly(graded);
        if (graded)
            row.answer->setText(u"正解：%1　（%2）"_s.arg(item.number.answer, toneMarked(item.number.speech)));
    }
    drawChoices(i);

    // The item's own speaker: by ear from the start without naming the word, otherwise once graded.
    if (number)
        row.speaker->setReading(item.number.speech);
    else
        row.speaker->setWord(item.kind == ExamItemKind::TonePattern ? 0 : item.tkey);
    row.speaker->setConcealed(byEar && !graded);
    row.speaker->setAllowed(byEar || graded);

    if (graded) {
        row.mark->setPixmap(Pictures::smallMark(session_->grade().items[i].right ? 1 : 2));
        row.mark->show();
        row.mark->raise();
    } else {
        row.mark->hide();
    }
}

void frmExamPaper::drawChoices(int i)
{
    Row& row = rows_[static_cast<size_t>(i)];
    const ExamItem& item = session_->item(i);
    const bool graded = session_->graded();
    const bool choices = item.kind != ExamItemKind::Number;
    const bool words = item.kind == ExamItemKind::TonePattern;
    const int chosen = session_->answer(i).choice;
    const DB& db = tovak().db;
    for (int j = 0; j < 4; ++j) {
        const auto sj = static_cast<size_t>(j);
        QLabel* c = row.choices[sj];
        c->setVisible(choices);
        row.notes[sj]->setVisible(choices && graded);
        const int tkey = item.choices[sj].tkey;
        const std::array<int, 4> keys = db.wordCKeys(tkey);
        for (size_t k = 0; k < 2; ++k)
            showGlyph(row.choiceGlyphs[sj][k], db, words && keys[k] != NoChar ? keys[k] : 0);
        row.choiceSpeakers[sj]->setWord(words ? tkey : 0);
        row.choiceSpeakers[sj]->setAllowed(graded);
        if (!choices)
            continue;
        setTextColour(c, graded && j == item.right ? rightColour
                         : j == chosen             ? chosenColour
                                                   : QColor::fromRgb(Layout::Palette::ink));
        if (item.kind == ExamItemKind::Pinyin)
            usePinyinFace(c);
        const QString text = words ? circled(j) : circled(j) + u' ' + item.choices[sj].text;
        setFittedText(c, text, item.kind == ExamItemKind::Meaning ? meaningPixels : choicePixels);
        // A word of pictures is read as its characters.
        c->setAccessibleName(words ? circled(j) + u' ' + db.glyphCharacter(keys[0]) + db.glyphCharacter(keys[1])
                                   : text);
        setClickableActive(c, !graded);
        if (graded) {
            if (words)
                usePinyinFace(row.notes[sj]);
            setFittedText(row.notes[sj], noteOf(i, j), notePixels);
        }
    }
    if (choices)
        frame(i, -1);
}

// Under a choice once graded: a word's pinyin, or what a wrong spelling got wrong.
QString frmExamPaper::noteOf(int i, int choice) const
{
    const ExamItem& item = session_->item(i);
    const ExamChoice& c = item.choices[static_cast<size_t>(choice)];
    if (item.kind == ExamItemKind::TonePattern)
        return toneMarked(tovak().db.word(c.tkey, WordField::Pinyin));
    if (item.kind != ExamItemKind::Pinyin || c.contrasts.isEmpty())
        return {};
    QStringList names;
    for (const Contrast x : c.contrasts)
        names << contrastName(x);
    // The same contrast in two syllables is named once.
    const QString both = names.size() == 2 && names[0] == names[1] ? names[0] + u"（2か所）"_s : names.join(u'＋');
    const QLabel* note = rows_[static_cast<size_t>(i)].notes[static_cast<size_t>(choice)];
    QFont f = note->font();
    f.setPixelSize(notePixels - 1);
    if (c.contrasts.size() < 2 || names[0] == names[1] || QFontMetrics(f).horizontalAdvance(both) <= note->width())
        return both;
    // Too long for its place: the spelling wrong in both is named by the two wrong in one.
    QStringList others;
    for (int j = 0; j < 4; ++j) {
        const QList<Contrast>& x = item.choices[static_cast<size_t>(j)].contrasts;
        if (x.size() == 1)
            others << circled(j);
    }
    return u"%1の両方"_s.arg(others.join(u'と'));
}

void frmExamPaper::choose(int i, int choice)
{
    reach(i);
    rows_[static_cast<size_t>(i)].choices[static_cast<size_t>(choice)]->setFocus(Qt::MouseFocusReason);
    session_->choose(i, choice);
    drawChoices(i);
}

// The chosen choice is framed in its blue (a word of pictures has only its
// number to colour); the one under the mouse too while answering.
void frmExamPaper::frame(int i, int framed)
{
    if (!session_ || i >= session_->count())
        return;
    if (session_->graded())
        framed = -1;
    const int chosen = session_->answer(i).choice;
    for (int j = 0; j < 4; ++j) {
        QLabel* c = rows_[static_cast<size_t>(i)].choices[static_cast<size_t>(j)];
        const QFrame::Shape shape = j == framed || j == chosen ? QFrame::Box : QFrame::NoFrame;
        if (c->frameShape() != shape)
            c->setFrameShape(shape);
    }
}

void frmExamPaper::resetHover()
{
    ScreenBase::resetHover();
    for (int i = 0; i < ExamItemsPerSection; ++i)
        frame(i, -1);
}

void frmExamPaper::pressGrade()
{
    const qint64 now = clock_();
    if (session_->isRepeatPress(now))
        return;
    if (!session_->graded() && session_->unansweredCount() > 0 &&
        !MsgBox::question(this, QString::fromUtf16(UnansweredQuestion), MsgBox::programTitle()))
        return;
    switch (session_->press(now)) {
    case ExamPress::Graded:
        recordGrading();
        refresh();
        break;
    case ExamPress::NewSetWanted:
        startSitting(now);
        break;
    case ExamPress::Repeated:
        break;
    }
}

// The score and the contrasts missed go to the exam's results; the pinyin and
// meaning items are reviews of their words, and nothing more.
void frmExamPaper::recordGrading()
{
    const QDateTime now = tovak().clock();
    const auto today = static_cast<qint32>(now.date().toJulianDay());
    Statistics& stats = tovak().stats;
    const ExamSession& s = *session_;
    GradedSet set = gradedSet(s.section(), s.answers(), s.grade(), tovak().db);
    set.timeMs = now.toMSecsSinceEpoch();
    (void)stats.recordGrading(set, today); // a failed save is told by the store
    results_->record(kind_, session_->grade(), today);
    if (!results_->save(stats.filePath()))
        screens().tellSaveFailed(u"模擬試験の成績"_s, stats.filePath());
}

void frmExamPaper::back()
{
    if (session_ && session_->hasUngradedAnswers() &&
        !MsgBox::question(this, QString::fromUtf16(UngradedBackQuestion), MsgBox::programTitle()))
        return;
    screens().voice().stop();
    ScreenBase::back();
}

void frmExamPaper::reach(int i)
{
    current_ = i;
    if (kind_ != ExamSectionKind::Listening || session_->graded() || i == lastPlayed_)
        return;
    lastPlayed_ = i;
    play(i, 2);
}

void frmExamPaper::play(int i, int times)
{
    Voice& voice = screens().voice();
    if (!voice.canSpeak() || i < 0 || i >= session_->count())
        return;
    const ExamItem& item = session_->item(i);
    const DB& db = tovak().db;
    if (item.kind == ExamItemKind::Number)
        voice.speakPrepared(item.number.speech, times, PauseMs);
    else if (item.tkey > 0)
        voice.speakPrepared(speechPinyin(db.word(item.tkey, WordField::Pinyin), db.wordCKeys(item.tkey)), times,
                            PauseMs);
}

void frmExamPaper::replayKey()
{
    if (kind_ == ExamSectionKind::Listening || session_->graded())
        play(current_, 1);
}

int frmExamPaper::itemOf(const QObject* control) const
{
    for (size_t i = 0; i < rows_.size(); ++i) {
        const Row& row = rows_[i];
        if (control == row.box || control == row.speaker)
            return static_cast<int>(i);
        for (size_t j = 0; j < 4; ++j) {
            if (control == row.choices[j] || control == row.choiceSpeakers[j])
                return static_cast<int>(i);
        }
    }
    return -1;
}

bool frmExamPaper::eventFilter(QObject* watched, QEvent* event)
{
    // Reaching an item by Tab reads it by ear (once per item reached).
    if (event->type() == QEvent::FocusIn && session_) {
        if (const int i = itemOf(watched); i >= 0)
            reach(i);
    }
    return ScreenBase::eventFilter(watched, event);
}

void frmExamPaper::keyPressEvent(QKeyEvent* e)
{
    const int j = e->key() - Qt::Key_1;
    const bool inBox = qobject_cast<QLineEdit*>(focusWidget()) != nullptr;
    if (j >= 0 && j < 4 && !inBox && (e->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier &&
        current_ < session_->count() && session_->item(current_).kind != ExamItemKind::Number) {
        e->accept();
        // A key is a click on that choice: once graded, when no click is taken, none is.
        (void)pressClickable(rows_[static_cast<size_t>(current_)].choices[static_cast<size_t>(j)]);
        return;
    }
    ScreenBase::keyPressEvent(e);
}
