#pragma once

#include "core/reviewlog.h"

#include <QByteArray>
#include <QList>

// The log in the review-log format of the FSRS optimizer: card_id (the word),
// review_time (UTC milliseconds), review_rating (3 right, 1 wrong, as the
// schedule grades), review_state (0 new, 1 learning on the word's first day,
// 2 review, 3 relearning after a wrong answer that day), review_duration in
// milliseconds where known, else empty. Oldest first, one header line.
QByteArray fsrsCsv(const QList<LoggedAnswer>& log);
