#include "ui/menu/frmTOC.h"

#include "core/browse/rankings.h"
#include "core/info/helppages.h"
#include "core/progress/sittings.h"
#include "core/reviewschedule.h"
#include "core/tovak.h"
#include "ui/browse/frmExamTOC.h"
#include "ui/browse/frmListC.h"
#include "ui/exam/frmMockExam.h"
#include "ui/info/frmAbout.h"
#include "ui/layout.h"
#include "ui/pictures.h"
#include "ui/progress/frmProgress.h"
#include "ui/screenregistry.h"
#include "ui/screenstyle.h"
#include "ui/selection/frmSearch.h"

#include <QDate>

namespace L = Layout::frmTOC;

frmTOC::frmTOC(ScreenRegistry& screens)
    : ScreenBase(screens, QStringLiteral("frmTOC"), Pictures::background(QStringLiteral("frmTOC")), Layout::screenSize)
{
    // The mascot follows the coverage the translation drill changed.
    connect(&screens, &ScreenRegistry::screenClosed, this, [this](const QString& className) {
        if (className == QLatin1String("frmListR"))
            setPanda();
        // The item clicked to open the screen is no longer under the mouse,
        // and no move reached the menu while it was covered.
        resetHover();
        // Any screen may have graded words or reloaded the file.
        showReviewCount();
        showCountdown();
    });
    buildItems();
    buildMascotAndReview();
    buildSpeechSwitches();
    buildCountdown();
    ImageButton* help = addButton(QStringLiteral("Help"), Pictures::btn(7), Pictures::btn(8), L::imgHelp);
    connect(help, &ImageButton::clicked, this, [this] { (void)this->screens().showHelp(HelpContents, this); });
    ImageButton* exit = addButton(
        QStringLiteral("Exit"), QPixmap(), [] { return Pictures::btn(6); }, L::imgExit);
    connect(exit, &ImageButton::clicked, this, [this] { this->screens().confirmExit(this); });

    // One item lights at a time, however fast the mouse crosses from one to the next.
    makeHoverGroup(buttons());
    for (ImageButton* b : buttons())
        connect(b, &ImageButton::entered, this, [this] { showHovered(nullptr); });

    // The header first, then the left column (6, 5, 7, 8, the speech switches, the review line), the right column
    // (1 to 4) with the mascot under it.
    QList<QWidget*> order = {help->picture(), exit->picture()};
    for (int k : {6, 5, 7, 8})
        order << button(QStringLiteral("Contents(%1)").arg(k))->picture();
    order << lblSpeech_ << lblSlow_ << lblReview_;
    for (int k : {1, 2, 3, 4})
        order << button(QStringLiteral("Contents(%1)").arg(k))->picture();
    setReadingOrder(order << imgPanda_);

    // The percentages change after every grading, also while the menu is covered.
    connect(&tovak().stats, &Statistics::coverageChanged, this, &frmTOC::showCoverage);
}

// The two percentages and the menu items.
void frmTOC::buildItems()
{
    const QColor accent = QColor::fromRgb(Layout::Palette::accent);
    lblMouraP_ = makeLabel(this, QStringLiteral("lblMouraP"), QStringLiteral("0"), L::lblMouraP, accent, 26, true,
                           Qt::AlignCenter);
    lblMouraR_ = makeLabel(this, QStringLiteral("lblMouraR"), QStringLiteral("0"), L::lblMouraR, accent, 26, true,
                           Qt::AlignCenter);

    for (int k = 1; k <= L::contentsCount; ++k) {
        ImageButton* item = addButton(
            QStringLiteral("Contents(%1)").arg(k), QPixmap(),
            [k] { return Pictures::contents(QStringLiteral("frmTOC"), k); }, L::imgContents(k));
        item->setAccessibleName(QString::fromUtf8(L::contentsCaption[k - 1]));
        connect(item, &ImageButton::clicked, this, [this, k] {
            if (k <= 4)
                openRanking(static_cast<qint16>(k));
            else if (k == 5)
                openWordSearch();
            else if (k == 6)
                openExamMenu();
            else if (k == 7)
                openMockExam();
            else
                openProgress();
        });
    }
}

// The mascot, which opens the about box, and the line of words due today.
void frmTOC::buildMascotAndReview()
{
    imgPanda_ = new QLabel(this);
    imgPanda_->setObjectName(QStringLiteral("imgPanda"));
    imgPanda_->setGeometry(L::imgPanda);
    // The four mascots differ in size; each stands on the same ground.
    imgPanda_->setAlignment(Qt::AlignHCenter | Qt::AlignBottom);
    imgPanda_->setCursor(Qt::PointingHandCursor);
    onClick(imgPanda_, [this] { openAbout(); });
    imgPanda_->setAccessibleName(QStringLiteral("このソフトについて"));

    // A ground like the other controls' under the line, lit under the mouse.
    imgReview_ = new QLabel(this);
    imgReview_->setObjectName(QStringLiteral("imgReview"));
    imgReview_->setGeometry(L::lblReview);
    imgReview_->hide();
    lblReview_ = makeLabel(this, QStringLiteral("lblReview"), QString(), L::lblReview,
                           QColor::fromRgb(Layout::Palette::accent), 17, true, Qt::AlignCenter);
    lblReview_->setCursor(Qt::PointingHandCursor);
    onClick(lblReview_, [this] { openReview(); });
    onEnter(lblReview_, [this] { showHovered(lblReview_); });
    lblReview_->hide();
}

void frmTOC::buildSpeechSwitches()
{
    // Pictures, not text: the menu opens without loading a Japanese font.
    lblSpeech_ = new QLabel(this);
    lblSpeech_->setObjectName(QStringLiteral("lblSpeech"));
    lblSpeech_->setGeometry(L::lblSpeech);
    lblSlow_ = new QLabel(this);
    lblSlow_->setObjectName(QStringLiteral("lblSlow"));
    lblSlow_->setGeometry(L::lblSlow);
    for (QLabel* l : {lblSpeech_, lblSlow_})
        l->setCursor(Qt::PointingHandCursor);
    lblSpeech_->setToolTip(QStringLiteral("クリックで音声のオン・オフを切り替えます"));
    lblSlow_->setToolTip(QStringLiteral("クリックで読み上げの速さを切り替えます"));
    for (QLabel* l : {lblSpeech_, lblSlow_})
        l->setAccessibleDescription(l->toolTip());
    onClick(lblSpeech_, [this] { toggleSpeech(); });
    onClick(lblSlow_, [this] { toggleSlow(); });
    for (QLabel* l : {lblSpeech_, lblSlow_})
        onEnter(l, [this, l] { showHovered(l); });
    connect(&screens().voice(), &Voice::changed, this, &frmTOC::showSpeechSettings);
}

// The countdown right of the achievement bar.
void frmTOC::buildCountdown()
{
    // Words drawn, the number in digits: a menu with a sitting set opens without a Japanese font.
    imgCountdownLead_ = new QLabel(this);
    imgCountdownLead_->setObjectName(QStringLiteral("imgCountdownLead"));
    imgCountdownLead_->setGeometry(L::imgCountdownLead);
    lblCountdown_ = makeLabel(this, QStringLiteral("lblCountdown"), QString(), L::lblCountdownDays,
                              QColor::fromRgb(Layout::Palette::accent), 26, true, Qt::AlignCenter);
    imgCountdownTail_ = new QLabel(this);
    imgCountdownTail_->setObjectName(QStringLiteral("imgCountdownTail"));
    imgCountdownTail_->setGeometry(L::imgCountdownTail);
    for (QLabel* l : {imgCountdownLead_, lblCountdown_, imgCountdownTail_})
        l->hide();
}

void frmTOC::showCountdown()
{
    const QDate today = tovak().today();
    const std::optional<QDate> sitting = ExamDate::load(tovak().stats.filePath());
    const qint64 days = sitting ? daysUntil(*sitting, today) : -1;
    const QString said = sitting ? countdownCaption(*sitting, today) : QString();
    if (days == 0) {
        imgCountdownLead_->setGeometry(L::lblCountdown);
        imgCountdownLead_->setPixmap(Pictures::countdown(3));
    } else if (days > 0) {
        imgCountdownLead_->setGeometry(L::imgCountdownLead);
        imgCountdownLead_->setPixmap(Pictures::countdown(1));
        imgCountdownTail_->setPixmap(Pictures::countdown(2));
    }
    lblCountdown_->setText(days > 0 ? QString::number(days) : QString());
    // One name for the three parts, read where the line begins.
    imgCountdownLead_->setAccessibleName(said);
    imgCountdownLead_->setVisible(days >= 0);
    lblCountdown_->setVisible(days > 0);
    imgCountdownTail_->setVisible(days > 0);
}

void frmTOC::openProgress()
{
    auto& progress = screens().screen<frmProgress>();
    progress.init();
    (void)screens().exec(progress, this);
}

void frmTOC::load()
{
    tovak().stats.loadStatistics();
    tovak().stats.computeCoverage();
    showReviewCount();
    showCountdown();
    // Two keys of the file for the switches; the voice itself waits for the first word.
    showSpeechSettings();
}

void frmTOC::showSpeechSettings()
{
    const SpeechSettings& settings = screens().voice().settings();
    const auto onOff = [](bool on) { return on ? QStringLiteral("オン") : QStringLiteral("オフ"); };
    // 5 to 8 are the same switches under the mouse.
    lblSpeech_->setPixmap(Pictures::speechSwitch((settings.enabled ? 1 : 2) + (hovered_ == lblSpeech_ ? 4 : 0)));
    lblSlow_->setPixmap(Pictures::speechSwitch((settings.slow ? 3 : 4) + (hovered_ == lblSlow_ ? 4 : 0)));
    lblSpeech_->setAccessibleName(QStringLiteral("音声：") + onOff(settings.enabled));
    lblSlow_->setAccessibleName(QStringLiteral("ゆっくり：") + onOff(settings.slow));
}

void frmTOC::showHovered(QLabel* control)
{
    if (hovered_ == control)
        return;
    // One control lights at a time, the menu items included.
    if (control)
        ScreenBase::resetHover();
    hovered_ = control;
    showSpeechSettings();
    if (!lblReview_->text().isEmpty())
        imgReview_->setPixmap(Pictures::speechSwitch(hovered_ == lblReview_ ? 10 : 9));
}

void frmTOC::resetHover()
{
    ScreenBase::resetHover();
    showHovered(nullptr);
}

void frmTOC::toggleSpeech()
{
    SpeechSettings settings = screens().voice().settings();
    settings.enabled = !settings.enabled;
    (void)screens().voice().setSettings(settings); // a failed save keeps the switch, and says so
}

void frmTOC::toggleSlow()
{
    SpeechSettings settings = screens().voice().settings();
    settings.slow = !settings.slow;
    (void)screens().voice().setSettings(settings);
}

void frmTOC::showReviewCount()
{
    // A scan of 500 states: cheap enough for every opening and every closed screen.
    const int due = dueCount(tovak().stats.WordReviews, static_cast<qint32>(QDate::currentDate().toJulianDay()), 0);
    // Text only when shown: with nothing due the menu opens without typesetting it.
    const QString text = due > 0 ? QStringLiteral("今日の復習：%1語").arg(due) : QString();
    lblReview_->setText(text);
    lblReview_->setAccessibleName(text);
    lblReview_->setVisible(due > 0);
    if (due > 0 && imgReview_->pixmap().isNull())
        imgReview_->setPixmap(Pictures::speechSwitch(hovered_ == lblReview_ ? 10 : 9));
    imgReview_->setVisible(due > 0);
}

void frmTOC::showCoverage()
{
    lblMouraP_->setText(QString::number(tovak().stats.pinyinCoverage));
    lblMouraR_->setText(QString::number(tovak().stats.translationCoverage));
}

void frmTOC::setPanda()
{
    panda_ = Statistics::mascotFor(tovak().stats.pinyinCoverage, tovak().stats.translationCoverage);
    imgPanda_->setPixmap(Pictures::panda(panda_));
}

void frmTOC::openRanking(qint16 kind)
{
    tovak().RankingKind = kind;
    buildRanking(tovak(), kind);
    auto& list = screens().screen<frmListC>();
    list.init();
    (void)screens().exec(list, this);
}

void frmTOC::openWordSearch()
{
    (void)screens().open<frmSearch>(this);
}

void frmTOC::openReview()
{
    auto& search = screens().screen<frmSearch>();
    search.searchDueToday();
    (void)screens().exec(search, this);
}

void frmTOC::openExamMenu()
{
    (void)screens().open<frmExamTOC>(this);
}

void frmTOC::openMockExam()
{
    (void)screens().open<frmMockExam>(this);
}

void frmTOC::openAbout()
{
    (void)screens().open<frmAbout>(this);
}

void frmTOC::closeBoxClicked()
{
    screens().confirmExit(this);
}
