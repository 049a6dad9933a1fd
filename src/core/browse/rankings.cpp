#include "core/browse/rankings.h"

#include "core/browse/chardetail.h"
#include "core/listutil.h"
#include "core/rankorder.h"

void buildRanking(Tovak& t, int kind)
{
    const int last = t.db.lastCharKey();
    t.examListShown = 0;
    t.clearCharList(qMax(last, 1));
    if (kind < 1 || kind > 4 || last < 1) {
        t.shrinkCharList();
        setFrmChar_maxcno(t, static_cast<qint16>(t.CurrentCharCount - 1));
        return;
    }
    for (qint16 ckey : rankingOrder(t.db, kind)) {
        t.CurrentCharList[t.CurrentCharCount] = ckey;
        ++t.CurrentCharCount;
    }
    t.shrinkCharList();
    setFrmChar_maxcno(t, static_cast<qint16>(t.CurrentCharCount - 1));
}

void loadRelatedWords(Tovak& t, int ckey)
{
    const QString tkeys = ckey >= 1 && ckey <= t.db.lastCharKey() ? t.db.character(ckey, CharField::TKeys) : QString();
    const QStringList items = tkeys.isEmpty() ? QStringList() : tkeys.split(u',');
    const int n = static_cast<int>(items.size());
    t.clearWordList(qMax(n, 1));
    const QList<qint16> order = pickRandom(t.rng, n - 1, 0, n, true);
    for (int k = 0; k < order.size(); ++k)
        t.CurrentWordList[k] = static_cast<qint16>(items[order[k]].toInt());
    t.CurrentWordCount = static_cast<qint16>(order.size());
    t.DrillMode = DrillAnswering;
}

void loadExamList(Tovak& t, ExamListKind kind)
{
    const QList<ExamEntry>& entries = t.db.examList(kind);
    const int n = static_cast<int>(entries.size());
    t.clearCharList(qMax(n, 1));
    t.examCounts = QList<qint16>(qMax(n, 1), 0);
    for (int p = 0; p < n; ++p) {
        t.CurrentCharList[p] = entries[p].ckey;
        t.examCounts[p] = entries[p].count;
    }
    t.CurrentCharCount = static_cast<qint16>(n);
    t.examListShown = static_cast<qint16>(kind);
    setFrmChar_maxcno(t, static_cast<qint16>(t.CurrentCharCount - 1));
}
