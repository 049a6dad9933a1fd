#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <optional>

// The sound contrasts the examination's pinyin questions are built on: a wrong
// spelling changes a syllable in one of them. The order is the order of conf.ini.
enum class Contrast : int {
    // Aspiration
    BP,
    DT,
    GK,
    JQ,
    ZC,
    ZhCh,
    // Retroflex against dental or palatal
    ZhZ,
    ChC,
    ShS,
    ZhJ,
    ChQ,
    ShX,
    // Other initials
    HF,
    HK,
    WM,
    NM,
    NL,
    // Finals
    NNg,
    IanEn,
    IangAng,
    IaoAo,
    IuV,
    OuU,
    UoU,
    EiI,
    EA,
    Tone,
};
constexpr int ContrastCount = static_cast<int>(Contrast::Tone) + 1;

// Japanese, as the learner reads it after grading: 「有気音・無気音（b と p）」.
QString contrastName(Contrast c);
// ASCII, as conf.ini keeps it: "B_P".
QByteArray contrastId(Contrast c);
std::optional<Contrast> contrastFromId(QByteArrayView id);
bool changesInitial(Contrast c);

// The syllable on the other side of a contrast of spelling (every one but
// Tone): letters in lower case with "v" for "ü". Nothing when the contrast does
// not touch the syllable or its counterpart is no Mandarin syllable.
std::optional<QString> contrasted(Contrast c, const QString& letters);
