#include "core/choicesets.h"
#include "core/drills/choicedrill.h"
#include "core/drills/drillsession.h"
#include "core/drills/typeddrill.h"
#include "testsupport.h"

#include <QSet>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

namespace {

// A deliberate press: later than the repeat guard after the one before.
qint64 later()
{
    static qint64 now = 0;
    return now += DrillSession::RepeatGuardMs;
}
} // namespace

class TestChoiceSets : public QObject {
    Q_OBJECT

  private slots:
    void everyWordGetsFourDistinctTextsOneRight();
    void sharedTranslationIsNeverADistractor();
    void correctTextUniformOverPlaces();
};

void TestChoiceSets::everyWordGetsFourDistinctTextsOneRight()
{
    TestState s;
    Tovak& t = *s.tovak;
    t.CurrentWordList.clear();
    for (int k = 1; k <= 500; ++k)
        t.CurrentWordList.append(static_cast<qint16>(k));
    t.CurrentWordCount = 500;
    buildChoiceSets(t);
    QCOMPARE(t.ChoiceSets.size(), 500);
    for (int p = 0; p < 500; ++p) {
        const QStringList& set = t.ChoiceSets[p];
        QCOMPARE(set.size(), 4);
        QCOMPARE(QSet<QString>(set.begin(), set.end()).size(), 4);
        QCOMPARE(set.count(t.db.word(p + 1, WordField::Translation)), 1);
        for (const QString& text : set)
            QVERIFY(!text.isEmpty());
    }
}

void TestChoiceSets::sharedTranslationIsNeverADistractor()
{
    TestState s;
    Tovak& t = *s.tovak;
    QCOMPARE(t.db.word(100, WordField::Translation), u"美しい"_s);
    QCOMPARE(t.db.word(377, WordField::Translation), u"美しい"_s);
    t.CurrentWordList = {100, 377};
    t.CurrentWordCount = 2;
    t.DrillMode = 1;
    ChoiceDrillSession drill(t);
    for (int round = 0; round < 50; ++round) {
        drill.init();
        for (int r = 0; r < 2; ++r) {
            QCOMPARE(t.ChoiceSets[r].count(u"美しい"_s), 1);
            drill.choose(r, static_cast<int>(t.ChoiceSets[r].indexOf(u"美しい"_s)));
        }
        drill.pressGrade(later());
        QCOMPARE(t.CorrectCount, 2);
        t.DrillMode = 1;
    }
}

void TestChoiceSets::correctTextUniformOverPlaces()
{
    TestState s;
    Tovak& t = *s.tovak;
    constexpr int draws = 4000;
    t.CurrentWordList = QList<qint16>(draws, 23);
    t.CurrentWordCount = draws;
    buildChoiceSets(t);
    std::array<int, 4> places{};
    for (const QStringList& set : std::as_const(t.ChoiceSets))
        ++places[static_cast<size_t>(set.indexOf(t.db.word(23, WordField::Translation)))];
    // About 1000 each; 4 standard deviations is about 110.
    for (int n : places)
        QVERIFY2(qAbs(n - draws / 4) < 110, qPrintable(QString::number(n)));
}

QTEST_GUILESS_MAIN(TestChoiceSets)
#include "test_choicesets.moc"
