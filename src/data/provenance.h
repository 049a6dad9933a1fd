#pragma once

#include <QString>

// The occurrence counts, classes and latest-exam lists are estimates, not tallies of
// past papers; every place that presents them as an analysis of the papers says so.
QString dataEstimateNote();
