#include "core/drills/choicesets.h"

#include <QSet>

void buildChoiceSets(Tovak& t)
{
    const int last = t.db.lastWordKey();
    // Rejection sampling needs three other texts to exist; the real table has
    // hundreds, but a short table must not hang the drill.
    QSet<QString> distinct;
    for (int tkey = 1; tkey <= last; ++tkey)
        distinct.insert(t.db.word(tkey, WordField::Translation));

    t.ChoiceSets.clear();
    t.ChoiceSets.reserve(t.CurrentWordList.size());
    for (const qint16 w : std::as_const(t.CurrentWordList)) {
        QStringList c;
        c.append(t.db.word(w, WordField::Translation));
        const int reachable = static_cast<int>(distinct.size()) - (distinct.contains(c[0]) ? 1 : 0);
        const int wanted = qMin(3, reachable);
        while (c.size() < wanted + 1) {
            const QString& x = t.db.word(randomInRange(t.rng, last, 1), WordField::Translation);
            if (!c.contains(x))
                c.append(x);
        }
        while (c.size() < 4)
            c.append(QString());
        const QList<qint16> q = pickRandom(t.rng, 3, 0, 4, true);
        t.ChoiceSets.append({c[q[0]], c[q[1]], c[q[2]], c[q[3]]});
    }
}
