#pragma once

#include <QString>

#include <array>

// The help viewer's pages: page 0 is the table of contents, the others topics.
struct HelpEntry {
    QString title;
    QString text;
};

// The pages by topic; screens open help at the page of their topic.
enum HelpTopic : qint16 {
    HelpContents = 0,
    HelpIntroduction = 1,
    HelpRankings = 2,
    HelpWordSearch = 3,
    HelpPinyinDrills = 4,
    HelpTranslationDrill = 5,
    HelpShortcutKeys = 6,
    HelpOther = 7,
    HelpSoundAndReview = 8,
    HelpProgress = 9,
    HelpMockExam = 10,
};

constexpr int HelpPageCount = 11;
constexpr int LastHelpPage = HelpPageCount - 1;
constexpr int HelpTopicCount = HelpPageCount - 1;

// Title shown on page 0 in place of entry 0's own title.
QString helpContentsTitle();
std::array<HelpEntry, HelpPageCount> helpPages();
// Table of contents: entry k leads to page k + 1. Its captions differ from the
// page titles (full-width digits, and entry 1 reads differently).
std::array<QString, HelpTopicCount> helpContentsCaptions();
