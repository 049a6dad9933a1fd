// The road of a day's review: words fall due in conf.ini, the main menu's line
// counts them, opens the word search on them, the tone drill grades them all
// right, and they leave today's list, in memory and in the file.
#include "drilldriver.h"
#include "testsupport.h"

#include "ui/menu/frmTOC.h"
#include "ui/screenregistry.h"

#include <QComboBox>
#include <QDate>
#include <QFile>
#include <QtTest>

using namespace Qt::Literals::StringLiterals;

namespace {

QByteArray valueOf(const QString& path, const QByteArray& key)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return "(no file)";
    for (const QByteArray& line : f.readAll().split('\n')) {
        if (line.startsWith(key + '='))
            return line.mid(key.size() + 1).trimmed();
    }
    return "(missing)";
}

} // namespace

class TestReviewRoad : public QObject, public ScreenFixture {
    Q_OBJECT
  private slots:
    void init() { setUp(true); }
    void cleanup() { tearDown(); }

    void dueWordsLeaveTodaysListOnceGraded()
    {
        Tovak& t = *state->tovak;
        const qint32 today = static_cast<qint32>(QDate::currentDate().toJulianDay());
        ReviewTable reviews{};
        for (size_t w = 1; w <= 3; ++w)
            reviews[w] = reviewState(today - 10, 5);
        reviews[4] = reviewState(today - 10, 2); // the most forgotten comes first
        reviews[5] = reviewState(today - 1, 30);
        QVERIFY(writeReviewIni(state->iniPath(), reviews));

        finishStartup(*screens);
        frmTOC* menu = shownMainMenu(*screens);
        QVERIFY(menu);
        QLabel* line = labelOf(menu, u"lblReview"_s);
        QVERIFY(line->isVisible());
        QCOMPARE(line->text(), u"今日の復習：4語"_s);

        QString countOnSearch, score, lineDuringDrill;
        QList<qint16> drilled;
        screens->setShownHook([&](ScreenBase& s) {
            const auto guard = qScopeGuard([&] {
                if (s.isVisible())
                    s.ScreenBase::back(); // never left waiting
            });
            if (s.objectName() == u"frmSearch"_s) {
                countOnSearch = labelOf(&s, u"lblCount_is"_s)->text();
                QTest::mouseClick(labelOf(&s, u"lblP"_s), Qt::LeftButton);
                clickButton(&s, u"Back"_s);
            } else if (s.objectName() == u"frmListP2"_s) {
                drilled = t.CurrentWordList;
                answerAll(&s, t, [](int) { return true; });
                QTest::keyClick(&s, Qt::Key_F5);
                score = labelOf(&s, u"lblScore"_s)->text();
                lineDuringDrill = line->isVisible() ? line->text() : QString();
                clickButton(&s, u"Back"_s);
            }
        });
        QTest::keyClick(line, Qt::Key_Space);
        QVERIFY(screens->stack().isEmpty());

        QCOMPARE(countOnSearch, u"4"_s);
        QCOMPARE(drilled.value(0), qint16(4));
        QCOMPARE(drilled.size(), 4);
        QCOMPARE(score, u"4／4点"_s);
        // The line follows when a screen closes, not in the middle of a drill.
        QCOMPARE(lineDuringDrill, u"今日の復習：4語"_s);
        QVERIFY(!line->isVisible());

        // In the file: the four graded today, the word not due left as it was.
        const QList<QByteArray> days = valueOf(state->iniPath(), "REVIEW_DAY").split(',');
        QCOMPARE(days.size(), 501);
        for (int w = 1; w <= 4; ++w)
            QCOMPARE(days[w], QByteArray::number(today));
        QCOMPARE(days[5], QByteArray::number(today - 1));
        QVERIFY(t.stats.loadStatistics());
        QCOMPARE(dueCount(t.stats.WordReviews, today, 0), 0);
    }
};

QTEST_MAIN(TestReviewRoad)
#include "test_reviewroad.moc"
