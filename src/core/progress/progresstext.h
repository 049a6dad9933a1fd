#pragma once

#include "core/progress/progress.h"
#include "core/progress/readiness.h"

#include <QDate>
#include <QString>

#include <optional>

// What the progress screen says in words: each chart's figures as text for a
// screen reader, and the sentences beside the charts.

// 「6月28日」
QString shortDate(qint32 day);
// 「2026年6月28日（日）」
QString longDate(QDate date);

// The one sentence an empty log shows over its empty charts.
QString emptyLogSentence();

QString describeAnswersPerDay(const QList<DayCount>& days);
QString describeRetention(const QList<WeekRetention>& weeks);
QString describeForecast(const QList<int>& forecast, qint32 today);
QString describeConfusions(const ToneConfusions& confusions);

// 「試験日の想定記憶率：63%」 and the sentence that it estimates the vocabulary only.
QString readinessCaption(double readiness);
QString readinessNote();
// What the plan asks for, in one sentence.
QString planSentence(const StudyPlan& plan);
