#include "core/choicesets.h"

TranslationChoices::TranslationChoices(const DB& db) : db_(db)
{
    for (int tkey = 1; tkey <= db.lastWordKey(); ++tkey)
        distinct_.insert(db.word(tkey, WordField::Translation));
}

QStringList TranslationChoices::draw(Rng& rng, int tkey) const
{
    const int last = db_.lastWordKey();
    QStringList c;
    c.append(db_.word(tkey, WordField::Translation));
    const int reachable = static_cast<int>(distinct_.size()) - (distinct_.contains(c[0]) ? 1 : 0);
    const int wanted = qMin(3, reachable);
    while (c.size() < wanted + 1) {
        const QString& x = db_.word(randomInRange(rng, last, 1), WordField::Translation);
        if (!c.contains(x))
            c.append(x);
    }
    while (c.size() < 4)
        c.append(QString());
    const QList<qint16> q = pickRandom(rng, 3, 0, 4, true);
    return {c[q[0]], c[q[1]], c[q[2]], c[q[3]]};
}

void buildChoiceSets(Tovak& t)
{
    const TranslationChoices choices(t.db);
    t.ChoiceSets.clear();
    t.ChoiceSets.reserve(t.CurrentWordList.size());
    for (const qint16 w : std::as_const(t.CurrentWordList))
        t.ChoiceSets.append(choices.draw(t.rng, w));
}
