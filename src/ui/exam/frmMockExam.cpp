#include "ui/exam/frmMockExam.h"

#include "core/info/helppages.h"
#include "core/tovak.h"
#include "core/voice.h"
#include "ui/exam/frmExamPaper.h"
#include "ui/layout.h"
#include "ui/pictures.h"
#include "ui/screenregistry.h"
#include "ui/screenstyle.h"

#include <QDate>

namespace L = Layout::frmMockExam;

using namespace Qt::Literals::StringLiterals;

namespace {
const QString none = u"まだ記録がありません"_s;
} // namespace

frmMockExam::frmMockExam(ScreenRegistry& screens)
    : ScreenBase(screens, u"frmMockExam"_s, Pictures::background(u"frmMockExam"_s), Layout::screenSize)
{
    const QColor ink = QColor::fromRgb(Layout::Palette::ink);
    const QStringList captions = {u"筆記を解く"_s, u"聞き取りを解く"_s};
    QList<QWidget*> order;
    for (int k = 0; k < 2; ++k) {
        ImageButton* b = addButton(u"Section(%1)"_s.arg(k), Pictures::btn(1), Pictures::btn(2), L::imgSection(k));
        styleCaption(b->addCaption(captions[k], L::lblSection(k)));
        connect(b, &ImageButton::clicked, this, [this, k] { openSection(static_cast<ExamSectionKind>(k)); });
        order << b->picture();
    }
    lblNoSound_ = makeLabel(this, u"lblNoSound"_s, QString(), L::lblNoSound, QColor::fromRgb(Layout::Palette::softInk),
                            12, false, Qt::AlignLeft | Qt::AlignVCenter);
    lblNoSound_->setWordWrap(true);
    for (int k = 0; k < 2; ++k) {
        lblScores_[static_cast<size_t>(k)] = makeLabel(this, u"lblScores(%1)"_s.arg(k), QString(), L::lblScores(k), ink,
                                                       14, false, Qt::AlignLeft | Qt::AlignTop);
    }
    lblMisses_ = makeLabel(this, u"lblMisses"_s, QString(), L::lblMisses, ink, 13, false, Qt::AlignLeft | Qt::AlignTop);
    lblMissCounts_ =
        makeLabel(this, u"lblMissCounts"_s, QString(), L::lblMissCounts, ink, 13, false, Qt::AlignRight | Qt::AlignTop);
    addBackHelpExit(HelpMockExam);
    setFramedReadingOrder(order);
    connect(&screens.voice(), &Voice::changed, this, &frmMockExam::showSoundOffer);
    showSoundOffer();
}

void frmMockExam::load()
{
    results_ = ExamResults::load(tovak().stats.filePath());
    showResults();
}

void frmMockExam::showSoundOffer()
{
    const Voice& voice = screens().voice();
    ImageButton* listening = button(u"Section(1)"_s);
    const bool offered = voice.canSpeak();
    listening->setActive(offered);
    // Not offered, it looks it: its caption goes grey.
    setTextColour(listening->caption(), QColor::fromRgb(offered ? Layout::Palette::ink : Layout::Palette::softInk));
    listening->setReasonNotOffered(offered ? QString() : voice.unavailableReason());
    lblNoSound_->setText(offered ? QString() : voice.unavailableReason());
    lblNoSound_->setVisible(!offered);
}

void frmMockExam::showResults()
{
    for (int k = 0; k < 2; ++k) {
        const QList<ExamScore>& scores = results_.scores(static_cast<ExamSectionKind>(k));
        QStringList lines;
        for (qsizetype i = scores.size() - 1; i >= 0 && lines.size() < Shown; --i) {
            const QDate day = QDate::fromJulianDay(scores[i].day);
            lines << u"%1月%2日　%3点"_s.arg(day.month()).arg(day.day()).arg(scores[i].score);
        }
        lblScores_[static_cast<size_t>(k)]->setText(lines.isEmpty() ? none : lines.join(u'\n'));
    }
    QStringList misses;
    QStringList counts;
    for (const Contrast c : results_.mostMissed(Shown)) {
        misses << contrastName(c);
        counts << u"%1回"_s.arg(results_.misses(c));
    }
    lblMisses_->setText(misses.isEmpty() ? none : misses.join(u'\n'));
    lblMissCounts_->setText(counts.join(u'\n'));
}

void frmMockExam::openSection(ExamSectionKind kind)
{
    // Like a drill by ear, the listening section opens only when a word can be heard now.
    if (kind == ExamSectionKind::Listening && (!screens().voice().canSpeak() || !screens().voice().check()))
        return;
    auto& paper = screens().screen<frmExamPaper>();
    paper.init(kind, results_);
    if (!screens().exec(paper, this))
        return;
    showResults();
}
