#pragma once

#include "core/progress/logfigures.h"
#include "core/reviewschedule.h"

#include <QList>

class DB;

// Everything the progress screen draws from the log and the review states.
struct ProgressFigures {
    qsizetype answers = 0;
    QList<DayCount> perDay;       // the last 30 days
    QList<WeekRetention> perWeek; // the last 12 weeks
    QList<int> forecast;          // the next 30 days
    ToneConfusions confusions;
};
constexpr int FigureDays = 30;
constexpr int FigureWeeks = 12;
// The first day the figures read of the log.
qint32 figuresSince(qint32 today);
ProgressFigures progressFigures(const LogExtract& log, const ReviewTable& reviews, const DB& db, qint32 today);
