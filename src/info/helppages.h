#pragma once

#include <QString>

#include <array>

// The help viewer's eight pages: page 0 is the table of contents, 1 to 7 topics.
struct HelpEntry {
    QString title;
    QString text;
};

constexpr int HelpPageCount = 8;
constexpr int LastHelpPage = HelpPageCount - 1;
constexpr int HelpTopicCount = 7;

// The occurrence counts, classes and latest-exam lists are estimates, not tallies of
// past papers; every place that presents them as an analysis of the papers says so.
QString dataEstimateNote();

// Title shown on page 0 in place of entry 0's own title.
QString helpContentsTitle();
std::array<HelpEntry, HelpPageCount> helpPages();
// Table of contents: entry k leads to page k + 1. Its captions differ from the
// page titles (full-width digits, and entry 1 reads differently).
std::array<QString, HelpTopicCount> helpContentsCaptions();
