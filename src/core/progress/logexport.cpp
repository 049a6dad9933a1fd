#include "core/progress/logexport.h"

#include <QHash>

#include <algorithm>

namespace {

struct WordSoFar {
    qint32 firstDay = 0;
    qint32 day = 0;          // of the last answer
    bool wrongToday = false; // a wrong answer on that day
};

} // namespace

QByteArray fsrsCsv(const QList<LoggedAnswer>& log)
{
    QList<const LoggedAnswer*> order;
    order.reserve(log.size());
    // Only reviews of a word are the optimizer's cards.
    for (const LoggedAnswer& a : log)
        if (a.word > 0 && reviewsItsWord(a.kind))
            order.append(&a);
    std::stable_sort(order.begin(), order.end(), [](auto a, auto b) { return a->timeMs < b->timeMs; });

    QByteArray out = "card_id,review_time,review_rating,review_state,review_duration\n";
    out.reserve(out.size() + log.size() * 32);
    QHash<int, WordSoFar> words;
    for (const LoggedAnswer* a : order) {
        const auto found = words.find(a->word);
        int state = 0;
        if (found == words.end()) {
            words.insert(a->word, {a->day, a->day, !a->right});
        } else {
            WordSoFar& w = *found;
            if (a->day != w.day) {
                w.day = a->day;
                w.wrongToday = false;
            }
            state = a->day == w.firstDay ? 1 : w.wrongToday ? 3 : 2;
            w.wrongToday = w.wrongToday || !a->right;
        }
        out += QByteArray::number(a->word) + ',' + QByteArray::number(a->timeMs) + ',' + (a->right ? '3' : '1') + ',' +
               char('0' + state) + ',';
        if (a->durationMs >= 0)
            out += QByteArray::number(a->durationMs);
        out += '\n';
    }
    return out;
}
