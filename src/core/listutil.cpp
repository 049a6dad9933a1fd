#include "core/listutil.h"

#include <QDateTime>

#include <utility>

quint32 clockSeed()
{
    return static_cast<quint32>(QDateTime::currentMSecsSinceEpoch() ^ (QDateTime::currentMSecsSinceEpoch() >> 32));
}

QList<qint16> pickRandom(Rng& rng, int upper, int lower, int count, bool unique)
{
    const int size = upper - lower + 1;
    if (count < 1 || count > size)
        return {};
    QList<qint16> pool;
    pool.reserve(size);
    for (int v = lower; v <= upper; ++v)
        pool.append(static_cast<qint16>(v));
    QList<qint16> result;
    result.reserve(count);
    for (int g = 0; g < count; ++g) {
        std::uniform_int_distribution<qsizetype> pick(0, pool.size() - 1);
        const qsizetype k = pick(rng);
        result.append(pool[k]);
        if (unique)
            pool.removeAt(k);
    }
    return result;
}

qint16 randomInRange(Rng& rng, int upper, int lower)
{
    std::uniform_int_distribution<int> pick(lower, upper);
    return static_cast<qint16>(pick(rng));
}

void sortByColumn(SortBuffer& buffer, int column, int first, int last)
{
    const auto value = [&](int row) { return buffer[row][column].toInt(); };
    const int pivot = value((first + last) / 2);
    int i = first;
    int j = last;
    for (;;) {
        while (value(i) > pivot)
            ++i;
        while (value(j) < pivot)
            --j;
        if (i >= j)
            break;
        std::swap(buffer[i], buffer[j]);
        ++i;
        --j;
    }
    if (first < i - 1)
        sortByColumn(buffer, column, first, i - 1);
    if (j + 1 < last)
        sortByColumn(buffer, column, j + 1, last);
}

qint16 countListItems(const QString& text)
{
    if (text.isEmpty())
        return 0;
    return static_cast<qint16>(text.count(u',') + 1);
}

void shuffleWordList(Rng& rng, QList<qint16>& list, QList<qint16>& scratch)
{
    const int last = static_cast<int>(list.size()) - 1;
    if (last < 1)
        return;
    const QList<qint16> order = pickRandom(rng, last, 0, last + 1, true);
    scratch.resize(order.size());
    for (qsizetype i = 0; i < order.size(); ++i)
        scratch[i] = list[order[i]];
    list = scratch;
}
