#include "core/browse/rankings.h"
#include "core/drills/drillsession.h"
#include "testsupport.h"

#include <QSet>
#include <QTest>

#include <algorithm>
#include <numeric>

class TestRankings : public QObject {
    Q_OBJECT

  private slots:
    void ranking_data();
    void ranking();
    void unknownKindGivesEmptyList();
    void relatedWordsInNewOrder();
    void relatedWordsOfCharacterWithoutWords();
    void examLists_data();
    void examLists();
};

void TestRankings::ranking_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("size");
    QTest::addColumn<QList<qint16>>("head");
    QTest::addColumn<int>("pages");
    // Ties: 2 before 11 (both 147) overall, 5 before 6 (both 121) in listening.
    QTest::newRow("overall") << 1 << 803 << QList<qint16>{1, 6, 8, 3, 2, 11, 14} << 81;
    QTest::newRow("listening") << 2 << 474 << QList<qint16>{1, 8, 5, 6} << 48;
    QTest::newRow("written words") << 3 << 304 << QList<qint16>{69, 47} << 31;
    QTest::newRow("written sentences") << 4 << 612 << QList<qint16>{6, 1, 3} << 62;
}

void TestRankings::ranking()
{
    QFETCH(int, kind);
    QFETCH(int, size);
    QFETCH(QList<qint16>, head);
    QFETCH(int, pages);
    TestState s;
    Tovak& t = *s.tovak;
    buildRanking(t, kind);
    QCOMPARE(t.CurrentCharCount, size);
    QCOMPARE(t.CurrentCharList.size(), size);
    QCOMPARE(t.CurrentCharList.mid(0, head.size()), head);
    QCOMPARE(pagesFor(t.CurrentCharCount, 10), pages);
    QCOMPARE(QSet<qint16>(t.CurrentCharList.begin(), t.CurrentCharList.end()).size(), size);
    int previous = t.db.charInt(t.CurrentCharList[0], static_cast<CharField>(kind));
    for (qint16 c : std::as_const(t.CurrentCharList)) {
        const int count = t.db.charInt(c, static_cast<CharField>(kind));
        QVERIFY(count > 0);
        QVERIFY(count <= previous);
        previous = count;
    }
}

void TestRankings::unknownKindGivesEmptyList()
{
    TestState s;
    buildRanking(*s.tovak, 0);
    QCOMPARE(s.tovak->CurrentCharCount, 0);
    QCOMPARE(s.tovak->CurrentCharList, QList<qint16>{0});
}

void TestRankings::relatedWordsInNewOrder()
{
    TestState s;
    Tovak& t = *s.tovak;
    const QStringList items = t.db.character(1, CharField::TKeys).split(u',');
    QCOMPARE(items.size(), 4);
    QList<qint16> stored;
    for (const QString& item : items)
        stored.append(static_cast<qint16>(item.toInt()));
    QSet<QList<qint16>> orders;
    for (int i = 0; i < 40; ++i) {
        t.DrillMode = 4;
        loadRelatedWords(t, 1);
        QCOMPARE(t.DrillMode, 1);
        QCOMPARE(t.CurrentWordCount, 4);
        QList<qint16> sorted = t.CurrentWordList;
        orders.insert(sorted);
        std::sort(sorted.begin(), sorted.end());
        QList<qint16> expected = stored;
        std::sort(expected.begin(), expected.end());
        QCOMPARE(sorted, expected);
    }
    QVERIFY(orders.size() > 1);
}

void TestRankings::relatedWordsOfCharacterWithoutWords()
{
    TestState s;
    QVERIFY(s.tovak->db.character(14, CharField::TKeys).isEmpty());
    loadRelatedWords(*s.tovak, 14);
    QCOMPARE(s.tovak->CurrentWordCount, 0);
    QCOMPARE(s.tovak->CurrentWordList, QList<qint16>{0});
}

void TestRankings::examLists_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("size");
    QTest::addColumn<int>("lastKey");
    QTest::addColumn<int>("sum");
    QTest::addColumn<int>("firstCount");
    QTest::newRow("all") << 1 << 296 << 234 << 1429 << 58;
    QTest::newRow("hearing") << 2 << 184 << 171 << 845 << 31;
    QTest::newRow("writing") << 3 << 241 << 234 << 584 << 27;
}

void TestRankings::examLists()
{
    QFETCH(int, kind);
    QFETCH(int, size);
    QFETCH(int, lastKey);
    QFETCH(int, sum);
    QFETCH(int, firstCount);
    TestState s;
    Tovak& t = *s.tovak;
    t.examCounts = {7, 7, 7};
    loadExamList(t, static_cast<ExamListKind>(kind));
    QCOMPARE(t.CurrentCharCount, size);
    QCOMPARE(t.CurrentCharList.size(), size);
    QCOMPARE(t.examCounts.size(), size);
    QCOMPARE(t.CurrentCharList[0], 1);
    QCOMPARE(t.examCounts[0], firstCount);
    QCOMPARE(t.CurrentCharList[size - 1], lastKey);
    QCOMPARE(t.examCounts[size - 1], 1);
    QCOMPARE(std::accumulate(t.examCounts.begin(), t.examCounts.end(), 0), sum);
    if (kind == 2) { // 44 twice, as ranks 34 and 144
        QCOMPARE(t.CurrentCharList[33], 44);
        QCOMPARE(t.CurrentCharList[143], 44);
    }
}

QTEST_GUILESS_MAIN(TestRankings)
#include "test_rankings.moc"
