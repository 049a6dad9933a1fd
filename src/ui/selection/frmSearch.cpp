#include "ui/selection/frmSearch.h"

#include "core/info/helppages.h"
#include "core/tovak.h"
#include "ui/drills/frmListDui.h"
#include "ui/drills/frmListP1.h"
#include "ui/drills/frmListP2.h"
#include "ui/drills/frmListR.h"
#include "ui/layout.h"
#include "ui/messagebox.h"
#include "ui/pictures.h"
#include "ui/screenregistry.h"
#include "ui/screenstyle.h"

#include <QComboBox>
#include <QLineEdit>

namespace L = Layout::frmSearch;

namespace {

struct Condition {
    SearchKind kind;
    const char* control;
    const char* prompt;
    QRect geometry;
};

const Condition conditions[] = {
    {SearchKind::Random, "cmbRandom", "問題数を選んでください", L::cmbRandom},
    {SearchKind::Genre, "cmbGenre", "ジャンルを選んでください", L::cmbGenre},
    {SearchKind::Charnum, "cmbCharnum", "文字数を選んでください", L::cmbCharnum},
    {SearchKind::Weakpoint, "cmdWeakpoint", "正答率を選んでください", L::cmdWeakpoint},
    {SearchKind::TonePattern, "cmbSpinyin", "声調を選んでください", L::cmbSpinyin},
    {SearchKind::Review, "cmbReview", "復習の範囲を選んでください", L::cmbReview},
};

// Where the pinyin drills are found meanwhile, so the rule is no dead end.
QString pinyinRuleReason()
{
    return QStringLiteral("ピンイン達成率が50%を超えると使えます（出る順の各漢字の画面ではいつでも解けます）");
}

size_t slot(SearchKind kind)
{
    return static_cast<size_t>(kind);
}

} // namespace

frmSearch::frmSearch(ScreenRegistry& screens)
    : ScreenBase(screens, QStringLiteral("frmSearch"), Pictures::background(QStringLiteral("frmSearch")),
                 Layout::screenSize)
{
    buildConditions();
    buildLaunchers();
    addBackHelpExit(HelpWordSearch);
    connect(&screens.voice(), &Voice::changed, this, &frmSearch::showOffers);

    // Each condition row, the drills by ear on the result line, then the launch buttons left to right.
    QList<QWidget*> body = {txtFreeWord_, button(QStringLiteral("Search(0)"))->picture()};
    for (const Condition& c : conditions)
        body << combos_[slot(c.kind)] << button(QStringLiteral("Search(%1)").arg(slot(c.kind)))->picture();
    for (ImageButton* b : byEar_)
        body << b->picture();
    for (ImageButton* b : launchers_) {
        if (!byEar_.contains(b))
            body << b->picture();
    }
    setFramedReadingOrder(body);
}

// The seven condition rows, each with its "検索", and the count found.
void frmSearch::buildConditions()
{
    QFont controlFont = font();
    controlFont.setPixelSize(14);

    txtFreeWord_ = new QLineEdit(this);
    txtFreeWord_->setObjectName(QStringLiteral("txtFreeWord"));
    txtFreeWord_->setGeometry(L::txtFreeWord);
    txtFreeWord_->setFont(controlFont);
    makeLabel(this, QStringLiteral("Label1"), QStringLiteral("（ﾋﾟﾝｲﾝ・日本語）"), L::Label1,
              QColor::fromRgb(Layout::Palette::softInk), 13);
    connect(txtFreeWord_, &QLineEdit::returnPressed, this, [this] { search(SearchKind::FreeWord); });
    connect(txtFreeWord_, &QLineEdit::textChanged, this, [this] { conditionEdited(SearchKind::FreeWord); });

    for (const Condition& c : conditions) {
        auto* combo = new QComboBox(this);
        combo->setObjectName(QString::fromLatin1(c.control));
        combo->setGeometry(c.geometry);
        combo->setFont(controlFont);
        // Only the listed items: the builders get exactly the texts they know.
        combo->setEditable(false);
        combo->addItems(searchItems(c.kind));
        combo->setMaxVisibleItems(20);
        combo->setPlaceholderText(QString::fromUtf8(c.prompt));
        combo->setCurrentIndex(-1);
        combos_[slot(c.kind)] = combo;
        connect(combo, &QComboBox::currentIndexChanged, this, [this, kind = c.kind] { conditionEdited(kind); });
    }

    QList<ImageButton*> searchButtons;
    for (int k = 0; k < L::rows; ++k) {
        ImageButton* b =
            addButton(QStringLiteral("Search(%1)").arg(k), Pictures::btn(1), Pictures::btn(2), L::imgSearch(k));
        styleCaption(b->addCaption(QStringLiteral("検索"), L::lblSearch(k)));
        connect(b, &ImageButton::clicked, this, [this, k] { search(static_cast<SearchKind>(k)); });
        searchButtons << b;
    }
    makeHoverGroup(searchButtons);

    lblCount_is_ = makeLabel(this, QStringLiteral("lblCount_is"), QStringLiteral("0"), L::lblCount_is,
                             QColor::fromRgb(Layout::Palette::accent), 20, true, Qt::AlignCenter);
}

// The answer list and the drills on what was found, and the mask over them.
void frmSearch::buildLaunchers()
{
    // The answer list's and the translation drill's captions pass on the click only.
    const struct {
        const char* name;
        const char* caption;
        QRect picture, label;
        ImageButton::CaptionRole role;
    } launchers[] = {
        {"Dui", "解答を確認", L::imgDui, L::lblDui, ImageButton::CaptionForwardsClick},
        {"P", "声調を解答", L::imgP, L::lblP, ImageButton::CaptionActsAsButton},
        {"P1", "ﾋﾟﾝｲﾝを解答", L::imgP1, L::lblP1, ImageButton::CaptionActsAsButton},
        {"R", "日訳を解答", L::imgR, L::lblR, ImageButton::CaptionForwardsClick},
        {"LP", "聞き取り声調", L::imgLP, L::lblLP, ImageButton::CaptionActsAsButton},
        {"LP1", "聞き取りﾋﾟﾝｲﾝ", L::imgLP1, L::lblLP1, ImageButton::CaptionActsAsButton},
    };
    for (const auto& l : launchers) {
        ImageButton* b = addButton(QString::fromLatin1(l.name), Pictures::btn(1), Pictures::btn(2), l.picture);
        styleCaption(b->addCaption(QString::fromUtf8(l.caption), l.label, l.role));
        b->setInactivePicture(Pictures::btn(9));
        launchers_ << b;
    }
    setReasonLine(L::lblReason);
    connect(button(QStringLiteral("Dui")), &ImageButton::clicked, this, &frmSearch::openAnswerList);
    connect(button(QStringLiteral("P")), &ImageButton::clicked, this, [this] { openDrill<frmListP2>(false); });
    connect(button(QStringLiteral("P1")), &ImageButton::clicked, this, [this] { openDrill<frmListP1>(false); });
    connect(button(QStringLiteral("R")), &ImageButton::clicked, this, [this] { openDrill<frmListR>(false); });
    connect(button(QStringLiteral("LP")), &ImageButton::clicked, this, [this] { openDrill<frmListP2>(true); });
    connect(button(QStringLiteral("LP1")), &ImageButton::clicked, this, [this] { openDrill<frmListP1>(true); });
    pinyinDrills_ = {button(QStringLiteral("P1")), button(QStringLiteral("LP1"))};
    // The drills by ear stand above the panel, outside the mask: they show with the launch row.
    byEar_ = {button(QStringLiteral("LP")), button(QStringLiteral("LP1"))};

    // Lies over the launch buttons: while it shows, they can be neither seen nor clicked.
    imgSmask_ = new QLabel(this);
    imgSmask_->setObjectName(QStringLiteral("imgSmask"));
    imgSmask_->setGeometry(L::imgSmask);
    imgSmask_->setPixmap(Pictures::searchMask());
    imgSmask_->raise();
}

void frmSearch::load()
{
    Statistics& stats = tovak().stats;
    // Decided once: drills done while the screen is open do not change the offer.
    pinyinOffered_ = stats.canUsePinyinDrill();
    stats.loadStatistics(); // keeps results that failed to save
    stats.computeCoverage();
    setMasked(true);
}

void frmSearch::setMasked(bool masked)
{
    imgSmask_->setVisible(masked);
    for (ImageButton* b : byEar_)
        b->setVisible(!masked);
    showOffers();
}

void frmSearch::showOffers()
{
    const QString silent = screens().voice().unavailableReason();
    for (ImageButton* b : launchers_) {
        // Not offered, a launcher stays in its place and says why: the pinyin
        // drills under their rule, the drills by ear without sound.
        const QString reason = pinyinDrills_.contains(b) && !pinyinOffered_ ? pinyinRuleReason()
                               : byEar_.contains(b)                         ? silent
                                                                            : QString();
        // Under the mask the keyboard and a screen reader must not reach them either.
        const bool masked = !imgSmask_->isHidden();
        b->setActive(!masked && reason.isEmpty());
        b->setReasonNotOffered(masked ? QString() : reason);
    }
}

void frmSearch::searchDueToday()
{
    combos_[slot(SearchKind::Review)]->setCurrentIndex(0);
    search(SearchKind::Review);
}

QString frmSearch::conditionText(SearchKind kind) const
{
    if (kind == SearchKind::FreeWord)
        return txtFreeWord_->text();
    const QComboBox* combo = combos_[slot(kind)];
    return combo->currentIndex() < 0 ? QString() : combo->currentText();
}

void frmSearch::search(SearchKind kind)
{
    if (kind != SearchKind::FreeWord && combos_[slot(kind)]->currentIndex() < 0) {
        MsgBox::information(this, combos_[slot(kind)]->placeholderText());
        return;
    }
    const QString text = conditionText(kind);
    Tovak& t = tovak();
    runSearch(t, kind, text);
    lblCount_is_->setText(QString::number(t.CurrentWordCount));
    const bool found = t.CurrentWordCount >= 1;
    searched_.reset();
    if (found) {
        searched_ = kind;
        searchedText_ = text;
        found_ = t.CurrentWordList.mid(0, t.CurrentWordCount);
    }
    setMasked(!found);
    if (!found)
        MsgBox::information(this, QStringLiteral("検索条件に該当する問題はありませんでした"));
}

void frmSearch::conditionEdited(SearchKind kind)
{
    if (searched_ == kind)
        setMasked(conditionText(kind) != searchedText_);
}

void frmSearch::resultBack()
{
    if (!searched_)
        return;
    Tovak& t = tovak();
    if (*searched_ == SearchKind::Weakpoint || *searched_ == SearchKind::Review) {
        runSearch(t, *searched_, searchedText_);
        found_ = t.CurrentWordList.mid(0, t.CurrentWordCount);
        lblCount_is_->setText(QString::number(t.CurrentWordCount));
        if (found_.isEmpty())
            searched_.reset();
        setMasked(found_.isEmpty());
        return;
    }
    t.CurrentWordList = found_;
    t.CurrentWordCount = static_cast<qint16>(found_.size());
}

void frmSearch::openAnswerList()
{
    tovak().DrillMode = DrillAnswering;
    tovak().Listening = false;
    if (screens().open<frmListDui>(this))
        resultBack();
}

template <class Drill> void frmSearch::openDrill(bool byEar)
{
    // A drill by ear that cannot be heard would grade words never heard: the voice tells why instead.
    if (byEar && !screens().voice().check())
        return;
    tovak().DrillMode = DrillAnswering;
    tovak().Listening = byEar;
    auto& drill = screens().screen<Drill>();
    drill.init();
    if (screens().exec(drill, this))
        resultBack();
}
