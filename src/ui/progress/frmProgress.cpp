#include "ui/progress/frmProgress.h"

#include "core/info/helppages.h"
#include "core/progress/logexport.h"
#include "core/progress/progresstext.h"
#include "core/progress/sittings.h"
#include "core/tovak.h"
#include "ui/drills/frmListP2.h"
#include "ui/layout.h"
#include "ui/messagebox.h"
#include "ui/pictures.h"
#include "ui/progress/progresscharts.h"
#include "ui/screenregistry.h"
#include "ui/screenstyle.h"

#include "core/durablefile.h"

#include <QDir>
#include <QFileDialog>
#include <QLineEdit>
#include <QStandardPaths>

using namespace Qt::Literals::StringLiterals;

namespace L = Layout::frmProgress;

namespace {

frmProgress::FileChooser& chooser()
{
    static frmProgress::FileChooser c = [](QWidget* parent, const QString& suggested) {
        return QFileDialog::getSaveFileName(parent, u"学習記録の書き出し"_s, suggested, u"CSV (*.csv)"_s);
    };
    return c;
}

QColor colour(QRgb rgb)
{
    return QColor::fromRgb(rgb);
}

// A tick under the first bar and every seventh after it.
QStringList weeklyTicks(qint32 first, int count, int every)
{
    QStringList ticks;
    for (int i = 0; i < count; ++i) {
        const QDate d = QDate::fromJulianDay(first + i * (every == 7 ? 7 : 1));
        ticks << (i % (every == 7 ? 2 : 7) == 0 ? u"%1/%2"_s.arg(d.month()).arg(d.day()) : QString());
    }
    return ticks;
}

} // namespace

void frmProgress::setFileChooser(FileChooser c)
{
    chooser() = std::move(c);
}

frmProgress::frmProgress(ScreenRegistry& screens)
    : ScreenBase(screens, u"frmProgress"_s, Pictures::background(u"frmProgress"_s), Layout::screenSize)
{
    const QColor ink = colour(Layout::Palette::ink);
    const QColor soft = colour(Layout::Palette::softInk);
    perDay_ = new BarChart(this, u"chrPerDay"_s, BarChart::Kind::Counts, L::chartOf(L::perDayCard));
    perDay_->setAccessibleName(u"解答数（過去30日）"_s);
    perWeek_ = new BarChart(this, u"chrPerWeek"_s, BarChart::Kind::Share, L::chartOf(L::perWeekCard));
    perWeek_->setAccessibleName(u"復習の正答率（週ごと）"_s);
    perWeek_->setTarget(reviewModel().desiredRetention());
    forecast_ = new BarChart(this, u"chrForecast"_s, BarChart::Kind::Counts, L::chartOf(L::forecastCard));
    forecast_->setAccessibleName(u"復習予定（今後30日）"_s);
    grid_ = new ConfusionGrid(this, u"chrConfusion"_s, L::grid);
    grid_->setAccessibleName(u"声調の取り違え"_s);
    lblEmpty_ = makeLabel(this, u"lblEmpty"_s, emptyLogSentence(), L::lblEmpty, soft, 14, false, Qt::AlignCenter);
    for (int i = 0; i < 3; ++i)
        lblConfusion_[i] = makeLabel(this, u"lblConfusion(%1)"_s.arg(i), {}, L::lblConfusion(i), ink, 13);

    addButton(u"DrillConfusion"_s, Pictures::btn(1), Pictures::btn(2), L::imgDrillConfusion)
        ->addCaption(u"練習する"_s, Layout::captionOf(L::imgDrillConfusion));
    connect(button(u"DrillConfusion"_s), &ImageButton::clicked, this, &frmProgress::drillFirstConfusion);

    for (int i = 0; i < 3; ++i) {
        const QString name = u"Sitting(%1)"_s.arg(i);
        addButton(name, Pictures::btn(1), Pictures::btn(2), L::imgSitting(i))
            ->addCaption(QString(), Layout::captionOf(L::imgSitting(i)));
        connect(button(name), &ImageButton::clicked, this, [this, i] {
            if (i < nextSittings_.size())
                chooseSitting(nextSittings_[i]);
        });
    }
    txtExamDate_ = new QLineEdit(this);
    txtExamDate_->setObjectName(u"txtExamDate"_s);
    txtExamDate_->setGeometry(L::txtExamDate);
    txtExamDate_->setPlaceholderText(u"例 2026-12-20"_s);
    txtExamDate_->setAccessibleName(u"試験日を入力（年-月-日）"_s);
    txtExamDate_->setInputMethodHints(Qt::ImhPreferLatin | Qt::ImhNoPredictiveText);
    addButton(u"TypedDate"_s, Pictures::btn(1), Pictures::btn(2), L::imgTypedDate)
        ->addCaption(u"この日にする"_s, Layout::captionOf(L::imgTypedDate));
    connect(button(u"TypedDate"_s), &ImageButton::clicked, this, &frmProgress::chooseTypedDate);

    lblSitting_ = makeLabel(this, u"lblExamDay"_s, {}, L::lblExamDay, ink, 14, true);
    lblReadiness_ = makeLabel(this, u"lblReadiness"_s, {}, L::lblReadiness, colour(Layout::Palette::accent), 16, true);
    lblReadinessNote_ = makeLabel(this, u"lblReadinessNote"_s, readinessNote(), L::lblReadinessNote, soft, 11);
    lblReadinessNote_->setWordWrap(true);
    lblPlan_ = makeLabel(this, u"lblPlan"_s, {}, L::lblPlan, ink, 12);
    lblPlan_->setWordWrap(true);

    addButton(u"Export"_s, Pictures::btn(1), Pictures::btn(2), Layout::BottomRow::left)
        ->addCaption(u"書き出し"_s, Layout::captionOf(Layout::BottomRow::left));
    connect(button(u"Export"_s), &ImageButton::clicked, this, &frmProgress::exportLog);
    lblExport_ = makeLabel(this, u"lblExported"_s, {}, L::lblExported, soft, 12);

    addBackHelpExit(HelpProgress);
    QList<QWidget*> body = {perDay_, perWeek_, forecast_, grid_};
    for (QLabel* l : lblConfusion_)
        body << l;
    body << button(u"DrillConfusion"_s)->picture();
    for (int i = 0; i < 3; ++i)
        body << button(u"Sitting(%1)"_s.arg(i))->picture();
    body << txtExamDate_ << button(u"TypedDate"_s)->picture() << button(u"Export"_s)->picture();
    setFramedReadingOrder(body);
}

qint32 frmProgress::today() const
{
    return tovak().todayNumber();
}

void frmProgress::init()
{
    Tovak& t = tovak();
    if (weights_.isEmpty())
        weights_ = examWeights(t.db);
    sitting_ = ExamDate::load(t.stats.filePath());
    refresh();
}

void frmProgress::refresh()
{
    Tovak& t = tovak();
    const qint32 day = today();
    figures_ = progressFigures(t.stats.reviewLog().extract(figuresSince(day)), t.stats.WordReviews, t.db, day);

    QList<BarChart::Bar> bars;
    for (const DayCount& d : figures_.perDay)
        bars.append({double(d.right), double(d.wrong)});
    perDay_->setBars(bars, weeklyTicks(figures_.perDay.first().day, int(bars.size()), 1));
    perDay_->setAccessibleDescription(describeAnswersPerDay(figures_.perDay));

    bars.clear();
    for (const WeekRetention& w : figures_.perWeek)
        bars.append({w.reviews > 0 ? double(w.right) / w.reviews : -1.0, 0});
    perWeek_->setBars(bars, weeklyTicks(figures_.perWeek.first().firstDay, int(bars.size()), 7));
    perWeek_->setAccessibleDescription(describeRetention(figures_.perWeek));

    bars.clear();
    for (int n : figures_.forecast)
        bars.append({double(n), 0});
    forecast_->setBars(bars, weeklyTicks(day, int(bars.size()), 1));
    forecast_->setAccessibleDescription(describeForecast(figures_.forecast, day));

    grid_->setConfusions(figures_.confusions);
    grid_->setAccessibleDescription(describeConfusions(figures_.confusions));
    const QList<ToneConfusion> top = figures_.confusions.mostFrequent();
    for (int i = 0; i < 3; ++i)
        lblConfusion_[i]->setText(i < top.size() ? confusionSentence(top[i]) : QString());
    confusionWords_ = top.isEmpty() ? QList<int>{} : figures_.confusions.wordsBehind(top[0].expected, top[0].answered);
    button(u"DrillConfusion"_s)->setActive(!confusionWords_.isEmpty());
    button(u"DrillConfusion"_s)
        ->setReasonNotOffered(confusionWords_.isEmpty() ? u"声調の取り違えはまだありません"_s : QString());

    lblEmpty_->setVisible(figures_.answers == 0);
    showSitting();
}

void frmProgress::showSitting()
{
    const QDate now = tovak().today();
    nextSittings_ = nextSittings(now);
    for (int i = 0; i < 3; ++i) {
        ImageButton* b = button(u"Sitting(%1)"_s.arg(i));
        const QDate d = i < nextSittings_.size() ? nextSittings_[i] : QDate();
        b->caption()->setText(d.toString(u"yyyy/MM/dd"_s));
        b->picture()->setAccessibleName(u"試験日を%1にする"_s.arg(longDate(d)));
    }
    const bool ahead = sitting_ && daysUntil(*sitting_, now) >= 0;
    lblReadinessNote_->setVisible(ahead);
    if (!ahead) {
        lblSitting_->setText(sitting_ ? u"%1の試験は終わりました"_s.arg(longDate(*sitting_))
                                      : u"試験日を選んでください"_s);
        lblReadiness_->clear();
        lblPlan_->clear();
        return;
    }
    const QString countdown = countdownCaption(*sitting_, now);
    lblSitting_->setText(u"%1　%2"_s.arg(longDate(*sitting_), countdown));
    const qint32 day = today(), exam = static_cast<qint32>(sitting_->toJulianDay());
    lblReadiness_->setText(readinessCaption(readiness(tovak().stats.WordReviews, weights_, day, exam)));
    lblPlan_->setText(planSentence(studyPlan(tovak().stats.WordReviews, weights_, day, exam)));
}

void frmProgress::chooseSitting(std::optional<QDate> date)
{
    if (!ExamDate::save(tovak().stats.filePath(), date)) {
        MsgBox::information(this, u"試験日を保存できませんでした（%1）。"_s.arg(tovak().stats.filePath()));
        return;
    }
    sitting_ = date;
    showSitting();
}

void frmProgress::chooseTypedDate()
{
    const std::optional<QDate> d = ExamDate::parse(txtExamDate_->text().trimmed().toLatin1());
    const QDate now = tovak().today();
    if (!d || *d < now || daysUntil(*d, now) > MaxPlanDays) {
        MsgBox::information(this, u"試験日は今日から10年以内の日付を「2026-12-20」の形で入力してください。"_s);
        return;
    }
    chooseSitting(d);
}

void frmProgress::drillFirstConfusion()
{
    if (confusionWords_.isEmpty())
        return;
    Tovak& t = tovak();
    t.CurrentWordList.clear();
    for (int w : confusionWords_)
        t.CurrentWordList.append(static_cast<qint16>(w));
    t.CurrentWordCount = static_cast<qint16>(t.CurrentWordList.size());
    t.DrillMode = DrillAnswering;
    t.Listening = false;
    auto& drill = screens().screen<frmListP2>();
    drill.init();
    if (!screens().exec(drill, this))
        return;
    refresh();
}

void frmProgress::exportLog()
{
    const QString suggested =
        QDir(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation)).filePath(u"rumena-revlog.csv"_s);
    const QString path = chooser()(this, suggested);
    if (path.isEmpty())
        return;
    const QList<LoggedAnswer> all = tovak().stats.reviewLog().answers();
    if (DurableFile::replace(path, fsrsCsv(all)))
        lblExport_->setText(u"%1件を書き出しました"_s.arg(all.size()));
    else
        MsgBox::information(this, u"%1 に書き出せませんでした。"_s.arg(QDir::toNativeSeparators(path)));
}
