#include "core/progress/progresstext.h"

#include <QStringList>

#include <cmath>
#include <numeric>

using namespace Qt::Literals::StringLiterals;

namespace {

QString percent(double share)
{
    return QString::number(std::lround(share * 100)) + u"%"_s;
}

} // namespace

QString shortDate(qint32 day)
{
    const QDate d = QDate::fromJulianDay(day);
    return u"%1月%2日"_s.arg(d.month()).arg(d.day());
}

QString longDate(QDate date)
{
    static const char16_t* const weekdays[] = {u"月", u"火", u"水", u"木", u"金", u"土", u"日"};
    if (!date.isValid())
        return {};
    return u"%1年%2月%3日（%4）"_s.arg(date.year())
        .arg(date.month())
        .arg(date.day())
        .arg(QString::fromUtf16(weekdays[date.dayOfWeek() - 1]));
}

QString emptyLogSentence()
{
    return u"問題を解くと、ここに解答の記録が表示されます。"_s;
}

QString describeAnswersPerDay(const QList<DayCount>& days)
{
    int right = 0, wrong = 0;
    QStringList items;
    for (const DayCount& d : days) {
        right += d.right;
        wrong += d.wrong;
        if (d.right + d.wrong > 0)
            items << u"%1 正解%2・不正解%3"_s.arg(shortDate(d.day)).arg(d.right).arg(d.wrong);
    }
    if (items.isEmpty())
        return u"過去%1日の解答はありません。"_s.arg(days.size());
    return u"過去%1日の解答：正解%2問、不正解%3問。%4。"_s.arg(days.size())
        .arg(right)
        .arg(wrong)
        .arg(items.join(u"、"));
}

QString describeRetention(const QList<WeekRetention>& weeks)
{
    QStringList items;
    for (const WeekRetention& w : weeks) {
        if (w.reviews > 0)
            items << u"%1からの週 %2（%3問中%4問）"_s.arg(shortDate(w.firstDay), percent(double(w.right) / w.reviews))
                         .arg(w.reviews)
                         .arg(w.right);
    }
    if (items.isEmpty())
        return u"週ごとの復習の正答率：まだ復習がありません（目標は90%）。"_s;
    return u"週ごとの復習の正答率（目標は90%）：%1。"_s.arg(items.join(u"、"));
}

QString describeForecast(const QList<int>& forecast, qint32 today)
{
    QStringList items;
    for (qsizetype i = 0; i < forecast.size(); ++i) {
        if (forecast[i] > 0)
            items << u"%1 %2語"_s.arg(i == 0 ? u"今日"_s : shortDate(today + static_cast<qint32>(i))).arg(forecast[i]);
    }
    const int total = std::accumulate(forecast.begin(), forecast.end(), 0);
    if (items.isEmpty())
        return u"今後%1日の復習予定はありません。"_s.arg(forecast.size());
    return u"今後%1日の復習予定：合計%2回。%3。"_s.arg(forecast.size()).arg(total).arg(items.join(u"、"));
}

QString describeConfusions(const ToneConfusions& confusions)
{
    const QList<ToneConfusion> top = confusions.mostFrequent();
    if (top.isEmpty())
        return u"声調の取り違え：まだありません。"_s;
    QStringList items;
    for (const ToneConfusion& c : top)
        items << confusionSentence(c);
    return u"声調の取り違え（合計%1音節）：%2。"_s.arg(confusions.total()).arg(items.join(u"、"));
}

QString readinessCaption(double readiness)
{
    return u"試験日の想定記憶率：%1"_s.arg(percent(readiness));
}

QString readinessNote()
{
    return u"出題の多さで重み付けした単語の記憶の見積もりで、語彙だけを表します。"_s;
}

QString planSentence(const StudyPlan& plan)
{
    if (!plan.possible)
        return {};
    if (plan.reachable && plan.newPerDay == 0)
        return u"今の単語の復習を毎日続ければ、試験日に90%に届く見込みです（復習は1日平均%1回）。"_s.arg(
            plan.reviewsPerDay, 0, 'f', 1);
    if (plan.reachable)
        return u"試験日に90%に届くには、新しい単語を1日%1語ずつ覚え、復習を1日平均%2回続けます。"_s.arg(plan.newPerDay)
            .arg(plan.reviewsPerDay, 0, 'f', 1);
    return u"試験日までに90%には届きませんが、1日%1語ずつ覚えると%2まで上がります。"_s.arg(plan.newPerDay)
        .arg(percent(plan.reached));
}
