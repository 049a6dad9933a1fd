#include "core/progress/progress.h"

#include "core/progress/readiness.h"

#include <algorithm>

qint32 figuresSince(qint32 today)
{
    return today - std::max(FigureDays, 7 * FigureWeeks) + 1;
}

ProgressFigures progressFigures(const LogExtract& log, const ReviewTable& reviews, const DB& db, qint32 today)
{
    ProgressFigures f;
    f.answers = log.total;
    f.perDay = answersPerDay(log.recent, today, FigureDays);
    f.perWeek = retentionPerWeek(log.recent, log.firstDay, today, FigureWeeks);
    f.forecast = dueForecast(reviews, today, FigureDays);
    f.confusions = toneConfusions(log.wrongTyped, db);
    return f;
}
