// The progress screen over a log it is given: an empty log, the sitting, the
// drill of the first tone confusion, the CSV export, its help page.
#include "drilldriver.h"
#include "testsupport.h"

#include "core/info/helppages.h"
#include "core/progress/logexport.h"
#include "core/progress/progresstext.h"
#include "core/progress/sittings.h"
#include "ui/messagebox.h"
#include "ui/progress/frmProgress.h"
#include "ui/progress/progresscharts.h"
#include "ui/screenregistry.h"

#include <QFile>
#include <QLineEdit>
#include <QtTest>

using namespace Qt::Literals::StringLiterals;

class TestFrmProgress : public QObject, public ScreenFixture {
    Q_OBJECT
  private slots:
    void init()
    {
        setUp(true);
        state->tovak->clock = [] { return QDateTime(QDate(2026, 6, 1), QTime(9, 0)); };
    }
    void cleanup()
    {
        frmProgress::setFileChooser({});
        tearDown();
    }

    void anEmptyLogShowsEmptyChartsAndOneSentence()
    {
        frmProgress& s = opened();
        QVERIFY(labelOf(&s, u"lblEmpty"_s)->isVisible());
        QCOMPARE(labelOf(&s, u"lblEmpty"_s)->text(), emptyLogSentence());
        for (const char* name : {"chrPerDay", "chrPerWeek", "chrForecast"}) {
            auto* chart = s.findChild<BarChart*>(QString::fromLatin1(name));
            QVERIFY(chart && !chart->accessibleName().isEmpty() && !chart->accessibleDescription().isEmpty());
            QVERIFY(std::all_of(chart->bars().begin(), chart->bars().end(),
                                [](const BarChart::Bar& b) { return b.first <= 0 && b.second == 0; }));
        }
        QCOMPARE(s.findChild<QWidget*>(u"chrConfusion"_s)->accessibleDescription(),
                 u"声調の取り違え：まだありません。"_s);
        QCOMPARE(MsgBox::shownCount(), 0);
        QCOMPARE(accessibilityFaults(&s), QStringList());
        const QStringList order = tabOrder(&s);
        for (const QString& name :
             {u"chrPerDay"_s, u"chrConfusion"_s, u"imgSitting(0)"_s, u"txtExamDate"_s, u"imgExport"_s})
            QVERIFY2(order.contains(name), qPrintable(order.join(u' ')));
    }

    void theSittingIsChosenAndKept_data()
    {
        QTest::addColumn<int>("button"); // -1: the typed date
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("stored"); // empty: nothing stored, the learner is told
        QTest::newRow("the next sitting") << 0 << ""
                                          << "2026-06-28";
        QTest::newRow("the third") << 2 << ""
                                   << "2027-03-28";
        QTest::newRow("a typed date") << -1 << "2026-12-20"
                                      << "2026-12-20";
        QTest::newRow("today") << -1 << "2026-06-01"
                               << "2026-06-01";
        QTest::newRow("yesterday") << -1 << "2026-05-31"
                                   << "";
        QTest::newRow("no such day") << -1 << "2026-02-30"
                                     << "";
        QTest::newRow("not a date") << -1 << "来月"
                                    << "";
    }
    void theSittingIsChosenAndKept()
    {
        QFETCH(int, button);
        QFETCH(QString, typed);
        QFETCH(QString, stored);
        frmProgress& s = opened();
        if (button >= 0) {
            clickButton(&s, u"Sitting(%1)"_s.arg(button));
        } else {
            s.findChild<QLineEdit*>(u"txtExamDate"_s)->setText(typed);
            MsgBox::setNextAnswer(QMessageBox::Ok);
            clickButton(&s, u"TypedDate"_s);
        }
        const std::optional<QDate> kept = ExamDate::load(state->iniPath());
        QCOMPARE(kept ? kept->toString(Qt::ISODate) : QString(), stored);
        QCOMPARE(MsgBox::hasPendingAnswer(), button < 0 && !stored.isEmpty()); // told only when refused
        if (stored.isEmpty())
            return;
        QVERIFY(labelOf(&s, u"lblExamDay"_s)->text().contains(longDate(*kept)));
        QVERIFY(labelOf(&s, u"lblReadiness"_s)->text().startsWith(u"試験日の想定記憶率："_s));
        QCOMPARE(labelOf(&s, u"lblPlan"_s)->text().isEmpty(), stored == "2026-06-01"); // no plan on the day
    }

    void theFirstConfusionIsDrilled()
    {
        Tovak& t = *state->tovak;
        const qint32 today = t.todayNumber();
        QList<LoggedAnswer> log;
        for (int i = 0; i < 3; ++i)
            log << LoggedAnswer{1, today, 2, QuestionKind::Tone, false, u"2"_s, u"guan1xi"_s, -1};
        log << LoggedAnswer{2, today, 291, QuestionKind::Tone, false, u"2"_s, u"ma1ma"_s, -1}
            << LoggedAnswer{3, today, 1, QuestionKind::Tone, false, u"13"_s, u"an1jing4"_s, -1};
        QVERIFY(t.stats.reviewLog().append(log));
        frmProgress& s = opened();
        QCOMPARE(labelOf(&s, u"lblConfusion(0)"_s)->text(), u"1声を2声と答えた：4回"_s);
        QCOMPARE(labelOf(&s, u"lblConfusion(1)"_s)->text(), u"4声を3声と答えた：1回"_s);
        QVERIFY(!labelOf(&s, u"lblEmpty"_s)->isVisible());

        QList<qint16> drilled;
        bool byEar = true;
        screens->setShownHook([&](ScreenBase& d) {
            drilled = t.CurrentWordList.first(t.CurrentWordCount);
            byEar = t.Listening;
            QCOMPARE(d.objectName(), u"frmListP2"_s);
            d.ScreenBase::back();
        });
        clickButton(&s, u"DrillConfusion"_s);
        QCOMPARE(drilled, (QList<qint16>{2, 291}));
        QVERIFY(!byEar);
    }

    void exportWritesTheOptimizersCsv()
    {
        Tovak& t = *state->tovak;
        QVERIFY(t.stats.reviewLog().append(
            {{1'780'000'000'000, t.todayNumber(), 7, QuestionKind::Translation, true, u"父"_s, u"父"_s, -1}}));
        const QString target = state->dir.filePath(u"mine.csv"_s);
        QString suggested;
        frmProgress::setFileChooser([&](QWidget*, const QString& s) {
            suggested = s;
            return target;
        });
        frmProgress& s = opened();
        clickButton(&s, u"Export"_s);
        QVERIFY(suggested.endsWith(u".csv"_s));
        QFile f(target);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), fsrsCsv(t.stats.reviewLog().answers()));
        QCOMPARE(labelOf(&s, u"lblExported"_s)->text(), u"1件を書き出しました"_s);
    }

    void f1OpensItsHelpPageAndEscCloses()
    {
        frmProgress& s = opened();
        qint16 page = -1;
        screens->setShownHook([&](ScreenBase& h) {
            page = state->tovak->HelpPage;
            h.ScreenBase::back();
        });
        QTest::keyClick(&s, Qt::Key_F1);
        QCOMPARE(page, qint16(HelpProgress));
        QCOMPARE(helpPages()[HelpProgress].title, u"9.学習記録"_s);
        QTest::keyClick(&s, Qt::Key_Escape);
        QVERIFY(!s.isVisible());
    }

  private:
    frmProgress& opened()
    {
        frmProgress& s = screens->screen<frmProgress>();
        s.init();
        s.show();
        return s;
    }
};

QTEST_MAIN(TestFrmProgress)
#include "test_frmProgress.moc"
