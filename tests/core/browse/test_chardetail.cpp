// What the lists and the character detail show, without windows: rank texts
// and counts of the two list kinds, the chart's vertices, values and lines,
// and the title of the list being browsed.
#include "core/browse/chardetail.h"
#include "core/browse/charlists.h"
#include "core/browse/rankings.h"
#include "testsupport.h"

#include <QTest>

using Vertices = std::array<QPoint, 5>;
using Values = std::array<QString, 5>;
Q_DECLARE_METATYPE(Vertices)
Q_DECLARE_METATYPE(Values)

class TestCharDetail : public QObject {
    Q_OBJECT

  private slots:
    void listRows_data();
    void listRows();
    void chart_data();
    void chart();
    void chartLinesJoinTheVertices();
    void titleFollowsTheListBrowsed();
    void readingsShowUmlaut();
};

namespace {
// kind 1..4 a ranking, 11..13 the latest-exam list kind - 10.
void loadList(Tovak& t, int kind)
{
    if (kind > 10) {
        loadExamList(t, static_cast<ExamListKind>(kind - 10));
    } else {
        t.RankingKind = static_cast<qint16>(kind);
        buildRanking(t, kind);
    }
}
CharListStyle styleOf(int kind)
{
    return kind > 10 ? CharListStyle::Exam : CharListStyle::Ranking;
}
} // namespace

void TestCharDetail::listRows_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("page");
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("ckey");
    QTest::addColumn<QString>("no");
    QTest::addColumn<QString>("latter");
    QTest::addColumn<QString>("termNum");
    QTest::newRow("overall head") << 1 << 1 << 0 << 1 << "第1位."
                                  << "275"
                                  << "4個";
    QTest::newRow("overall no words") << 1 << 1 << 6 << 14 << "第7位."
                                      << "146"
                                      << "0個";
    QTest::newRow("page 3 row 4") << 1 << 3 << 4 << 0 << "第25位."
                                  << ""
                                  << "";
    QTest::newRow("hearing 44 first") << 12 << 4 << 3 << 44 << "第34位"
                                      << "7回"
                                      << "";
    QTest::newRow("hearing 44 again") << 12 << 15 << 3 << 44 << "第144位"
                                      << "1回"
                                      << "";
}

void TestCharDetail::listRows()
{
    QFETCH(int, kind);
    QFETCH(int, page);
    QFETCH(int, row);
    QFETCH(int, ckey);
    QFETCH(QString, no);
    QFETCH(QString, latter);
    QFETCH(QString, termNum);
    TestState s;
    Tovak& t = *s.tovak;
    loadList(t, kind);
    CharListPages pages(t, styleOf(kind));
    pages.init();
    for (int p = 1; p < page; ++p)
        QVERIFY(pages.nextPage());
    const CharListRow r = pages.row(row);
    QVERIFY(r.shown);
    QCOMPARE(r.no, no);
    if (ckey != 0)
        QCOMPARE(r.ckey, ckey);
    if (!latter.isEmpty())
        QCOMPARE(r.latter, latter);
    if (!termNum.isEmpty())
        QCOMPARE(r.termNum, termNum);
}

void TestCharDetail::chart_data()
{
    QTest::addColumn<int>("ckey");
    QTest::addColumn<Vertices>("vertices");
    QTest::addColumn<Values>("values");
    // Top, upper left, lower left, lower right, upper right.
    QTest::newRow("1") << 1 << Vertices{{{532, 128}, {437, 199}, {508, 262}, {532, 228}, {607, 203}}}
                       << Values{"10", "10", "4", "0", "8"};
    QTest::newRow("6, 16 words capped at 10")
        << 6 << Vertices{{{532, 148}, {476, 210}, {474, 308}, {532, 228}, {627, 197}}}
        << Values{"8", "6", "10", "0", "10"};
    QTest::newRow("14, no words") << 14 << Vertices{{{532, 178}, {485, 213}, {532, 228}, {532, 228}, {568, 215}}}
                                  << Values{"5", "5", "0", "0", "4"};
}

void TestCharDetail::chart()
{
    QFETCH(int, ckey);
    QFETCH(Vertices, vertices);
    QFETCH(Values, values);
    TestState s;
    const PentagonChart c = pentagonChart(s.tovak->db, ckey);
    QCOMPARE(c.vertices, vertices);
    QCOMPARE(c.values, values);
}

void TestCharDetail::chartLinesJoinTheVertices()
{
    TestState s;
    const PentagonChart c = pentagonChart(s.tovak->db, 14);
    const QList<PentagonChart::Line> lines = c.lines();
    QCOMPARE(lines.size(), 10);
    const QStringList names = {"ln12",     "ln23",     "ln34",     "ln45",     "ln51",
                               "lnDot(1)", "lnDot(2)", "lnDot(3)", "lnDot(4)", "lnDot(5)"};
    for (int i = 0; i < 10; ++i)
        QCOMPARE(lines[i].name, names[i]);
    // Each edge ends where the next begins, and the last closes on the first.
    for (int i = 0; i < 5; ++i) {
        QCOMPARE(lines[i].from, c.vertices[static_cast<size_t>(i)]);
        QCOMPARE(lines[i].to, lines[(i + 1) % 5].from);
        QCOMPARE(lines[5 + i].from, lines[5 + i].to);
        QCOMPARE(lines[5 + i].from, c.vertices[static_cast<size_t>(i)]);
    }
    // ln34 joins two vertices at the centre: it has no length, its marks still stand.
    QCOMPARE(lines[2].from, lines[2].to);
}

void TestCharDetail::titleFollowsTheListBrowsed()
{
    TestState s;
    Tovak& t = *s.tovak;
    QVERIFY(charListTitle(t).isEmpty());
    t.RankingKind = 2;
    buildRanking(t, 2);
    QCOMPARE(charListTitle(t), QStringLiteral("ヒアリング出る順"));
    // A latest-exam list titles the detail after itself, not after the ranking opened last.
    const QStringList examTitles = {"出現漢字完全網羅", "ヒアリング漢字網羅", "筆記漢字網羅"};
    for (int k = 1; k <= 3; ++k) {
        loadExamList(t, static_cast<ExamListKind>(k));
        QCOMPARE(charListTitle(t), examTitles[k - 1]);
        QCOMPARE(t.RankingKind, 2);
    }
    t.RankingKind = 4;
    buildRanking(t, 4);
    QCOMPARE(charListTitle(t), QStringLiteral("筆記文出る順"));
}

QTEST_GUILESS_MAIN(TestCharDetail)
#include "test_chardetail.moc"

void TestCharDetail::readingsShowUmlaut()
{
    TestState s;
    QCOMPARE(s.tovak->db.character(587, CharField::Readings), QStringLiteral("lu:4"));
    QCOMPARE(charDetail(*s.tovak, 587).pinyin, QStringLiteral("lü4"));
}
