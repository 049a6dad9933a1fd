#include "core/rankorder.h"

#include "core/listutil.h"

#include <climits>

QList<qint16> rankingOrder(const DB& db, int kind)
{
    const int last = db.lastCharKey();
    QList<qint16> order;
    if (kind < 1 || kind > 4 || last < 1)
        return order;
    SortBuffer buffer = db.charTable(); // row 0, the caption row, stays in place
    if (last > 1)
        sortByColumn(buffer, kind, 1, last);
    order.reserve(last);
    for (int row = 1; row <= last; ++row) {
        if (buffer[row][kind].toInt() != 0)
            order.append(static_cast<qint16>(buffer[row][0].toInt()));
    }
    return order;
}

QList<int> wordExamRanks(const DB& db)
{
    const QList<qint16> order = rankingOrder(db, 1);
    const int last = db.lastCharKey();
    QList<int> charRank(qMax(last + 1, 1), INT_MAX);
    for (qsizetype p = 0; p < order.size(); ++p) {
        if (order[p] >= 1 && order[p] <= last)
            charRank[order[p]] = static_cast<int>(p);
    }
    const int words = db.lastWordKey();
    QList<int> ranks(qMax(words + 1, 1), INT_MAX);
    for (int tkey = 1; tkey <= words; ++tkey) {
        for (int ckey : db.wordCKeys(tkey)) {
            if (ckey >= 1 && ckey <= last)
                ranks[tkey] = qMin(ranks[tkey], charRank[ckey]);
        }
    }
    return ranks;
}
