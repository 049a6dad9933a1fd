#include "core/listutil.h"

#include <QSet>
#include <QTest>

class TestListUtil : public QObject {
    Q_OBJECT

  private slots:
    void pickRandomGivesAPermutation_data();
    void pickRandomGivesAPermutation();
    void pickRandomRefusesImpossibleCounts();
    void shufflesDifferAndEveryPlaceIsReached();
    void randomInRangeStaysInRange();
    void sortLeavesTiesInItsOwnOrder_data();
    void sortLeavesTiesInItsOwnOrder();
    void countListItems_data();
    void countListItems();
};

void TestListUtil::pickRandomGivesAPermutation_data()
{
    QTest::addColumn<int>("n");
    QTest::newRow("single slot") << 1;
    QTest::newRow("two") << 2;
    QTest::newRow("a page") << 12;
    QTest::newRow("all words") << 500;
}

void TestListUtil::pickRandomGivesAPermutation()
{
    QFETCH(int, n);
    Rng rng(7);
    const QList<qint16> p = pickRandom(rng, n - 1, 0, n, true);
    QCOMPARE(p.size(), n);
    QSet<qint16> seen(p.begin(), p.end());
    QCOMPARE(seen.size(), n);
    for (qint16 v : p)
        QVERIFY(v >= 0 && v < n);
}

void TestListUtil::pickRandomRefusesImpossibleCounts()
{
    Rng rng(1);
    QVERIFY(pickRandom(rng, 3, 0, 5, true).isEmpty());
    QVERIFY(pickRandom(rng, 3, 0, 0, true).isEmpty());
    QVERIFY(pickRandom(rng, 3, 0, -1, false).isEmpty());
    QCOMPARE(pickRandom(rng, 0, 0, 1, true), QList<qint16>{0});
    // Without uniqueness values may repeat but stay in range.
    for (qint16 v : pickRandom(rng, 5, 3, 3, false))
        QVERIFY(v >= 3 && v <= 5);
}

void TestListUtil::shufflesDifferAndEveryPlaceIsReached()
{
    // One generator seeded once: draws in quick succession must not repeat.
    Rng rng(2024);
    QSet<QList<qint16>> distinct;
    int firstIsZero = 0;
    for (int i = 0; i < 1000; ++i) {
        const QList<qint16> p = pickRandom(rng, 9, 0, 10, true);
        distinct.insert(p);
        if (p[0] == 0)
            ++firstIsZero;
    }
    QVERIFY(distinct.size() > 990);
    // Each value is equally likely at each place: about 100 of 1000.
    QVERIFY2(firstIsZero > 60 && firstIsZero < 140, qPrintable(QString::number(firstIsZero)));
}

void TestListUtil::randomInRangeStaysInRange()
{
    Rng rng(3);
    QSet<qint16> seen;
    for (int i = 0; i < 2000; ++i) {
        const qint16 v = randomInRange(rng, 500, 1);
        QVERIFY(v >= 1 && v <= 500);
        seen.insert(v);
    }
    QVERIFY(seen.contains(1) && seen.contains(500));
}

void TestListUtil::sortLeavesTiesInItsOwnOrder_data()
{
    QTest::addColumn<QList<int>>("values");
    QTest::addColumn<QList<int>>("order");
    // The order among equal values is the quicksort's own and the rankings show it.
    QTest::newRow("ties and zeros") << QList<int>{0, 5, 3, 5, 0, 7, 3, 3, 5, 1, 0, 7}
                                    << QList<int>{0, 11, 5, 8, 1, 3, 7, 2, 6, 9, 4, 10};
    QTest::newRow("all equal") << QList<int>{2, 2, 2, 2, 2, 2, 2, 2, 2} << QList<int>{0, 6, 5, 8, 7, 2, 1, 4, 3};
    QTest::newRow("two rows") << QList<int>{0, 1, 9} << QList<int>{0, 2, 1};
}

void TestListUtil::sortLeavesTiesInItsOwnOrder()
{
    QFETCH(QList<int>, values);
    QFETCH(QList<int>, order);
    SortBuffer rows;
    for (qsizetype k = 0; k < values.size(); ++k)
        rows.append({QString::number(k), QString::number(values[k])});
    sortByColumn(rows, 1, 1, static_cast<int>(rows.size()) - 1);
    QList<int> keys;
    for (const auto& row : rows)
        keys.append(row[0].toInt());
    QCOMPARE(keys, order);
}

void TestListUtil::countListItems_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("count");
    QTest::newRow("empty") << "" << 0;
    QTest::newRow("one") << "93" << 1;
    QTest::newRow("four") << "17,18,329,330" << 4;
    QTest::newRow("empty items count too") << "1,,2" << 3;
}

void TestListUtil::countListItems()
{
    QFETCH(QString, text);
    QFETCH(int, count);
    QCOMPARE(int(::countListItems(text)), count);
}

QTEST_APPLESS_MAIN(TestListUtil)
#include "test_listutil.moc"
