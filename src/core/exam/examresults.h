#pragma once

#include "core/exam/contrasts.h"
#include "core/exam/examitems.h"
#include "core/exam/examsession.h"

#include <QList>
#include <QString>

#include <array>

class IniFile;

struct ExamScore {
    qint32 day = 0; // a Julian day number, as the review schedule keeps days
    int score = 0;
    bool operator==(const ExamScore&) const = default;
};

// The exam practice's results: each section's last scores with their day and
// how often each contrast was missed. They live in the [EXAM] section of
// conf.ini, kept through the program's own INI code as the statistics are:
//   WRITTEN=2025-03-01:16,2025-03-02:18   (oldest first, the last ten)
//   LISTENING=2025-03-02:35
//   MISSES=B_P:2,N_NG:5                    (contrasts missed at least once)
// An item that is not what the program writes (a day that is no date, a score
// a section cannot give, an unknown contrast, a count that is no small number)
// reads as nothing, and so does a value longer than the program ever writes.
class ExamResults {
  public:
    static constexpr int KeptScores = 10;

    const QList<ExamScore>& scores(ExamSectionKind kind) const { return scores_[static_cast<size_t>(kind)]; }
    int misses(Contrast c) const { return misses_[static_cast<size_t>(c)]; }
    // The contrasts missed at least once, most missed first, ties in the order of Contrast.
    QList<Contrast> mostMissed(int count) const;

    // A graded sitting of day today: its score, and a miss for every contrast
    // the chosen wrong spellings got wrong.
    void record(ExamSectionKind kind, const ExamGrade& grade, qint32 today);

    static ExamResults fromIni(const IniFile& ini);
    void toIni(IniFile& ini) const;
    // The results of path; none when it is missing or cannot be read.
    static ExamResults load(const QString& path);
    // Re-reads path and replaces it with the section's three keys changed,
    // every other byte kept. False on any error, and then the file is as it
    // was; a file that exists but cannot be read is left alone.
    bool save(const QString& path) const;

    bool operator==(const ExamResults&) const = default;

  private:
    std::array<QList<ExamScore>, 2> scores_;
    std::array<int, ContrastCount> misses_{};
};
