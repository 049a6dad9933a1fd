#include "core/browse/chardetail.h"

#include "core/browse/charlists.h"
#include "core/listutil.h"
#include "core/pinyin.h"

QList<PentagonChart::Line> PentagonChart::lines() const
{
    QList<Line> out;
    for (int k = 0; k < 5; ++k) {
        const int next = (k + 1) % 5;
        out.append({QStringLiteral("ln%1%2").arg(k + 1).arg(next + 1), vertices[static_cast<size_t>(k)],
                    vertices[static_cast<size_t>(next)]});
    }
    for (int k = 0; k < 5; ++k)
        out.append({QStringLiteral("lnDot(%1)").arg(k + 1), vertices[static_cast<size_t>(k)],
                    vertices[static_cast<size_t>(k)]});
    return out;
}

PentagonChart pentagonChart(const DB& db, int ckey)
{
    const int related = countListItems(db.character(ckey, CharField::TKeys));
    const QString a = QString::number(qMin(related, 10));
    struct Vertex {
        PentagonAxis axis;
        QString value;
    };
    const std::array<Vertex, 5> order = {{
        {PentagonAxis::Top, db.character(ckey, CharField::TotalClass)},
        {PentagonAxis::UpperLeft, db.character(ckey, CharField::ListenClass)},
        {PentagonAxis::LowerLeft, a},
        {PentagonAxis::LowerRight, db.character(ckey, CharField::Read1Class)},
        {PentagonAxis::UpperRight, db.character(ckey, CharField::Read2Class)},
    }};
    PentagonChart chart;
    for (size_t k = 0; k < order.size(); ++k) {
        chart.values[k] = order[k].value;
        chart.vertices[k] = db.ChartAxes(order[k].axis, order[k].value.toInt());
    }
    return chart;
}

CharDetail charDetail(const Tovak& t, int ckey)
{
    CharDetail d;
    d.title = charListTitle(t);
    d.nextShown = t.cno != t.maxcno;
    d.beforeShown = t.cno != 0;
    if (ckey < 1 || ckey > t.db.lastCharKey())
        return d; // ckey 0: nothing to show, no chart
    d.ckey = ckey;
    d.pinyin = displayPinyin(t.db.character(ckey, CharField::Readings));
    for (const QString& r : t.db.character(ckey, CharField::Readings).split(u',', Qt::SkipEmptyParts))
        d.readings << r.trimmed();
    d.listSize = QString::number(t.CurrentCharCount) + QStringLiteral("語中");
    d.rank = rankText(t.cno, false);
    const QString tkeys = t.db.character(ckey, CharField::TKeys);
    const QStringList related = tkeys.isEmpty() ? QStringList() : tkeys.split(u',');
    d.relatedCount = QString::number(related.size());
    for (const QString& item : related) {
        if (d.relatedGlyphs.size() == RelatedRows)
            break;
        const int tkey = item.toInt();
        const bool known = tkey >= 1 && tkey <= t.db.lastWordKey();
        if (known)
            d.relatedGlyphs.append(t.db.wordCKeys(tkey));
        else
            d.relatedGlyphs.append({NoChar, NoChar, NoChar, NoChar});
        d.relatedWords.append(known ? tkey : 0);
    }
    d.drillsShown = !related.isEmpty();
    d.chart = pentagonChart(t.db, ckey);
    return d;
}
