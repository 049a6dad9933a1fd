#pragma once

#include <QString>

// The tone digits 1 to 4 of a stored pinyin, in order ("xue2xiao4" -> "24").
QString getToneDigits(const QString& pinyin);
// The stored pinyin with every tone digit replaced by one blank.
QString getBareSyllables(const QString& pinyin);

// Exact comparison: no trimming, no case folding, no width folding.
bool isToneAnswerCorrect(const QString& typed, const QString& pinyin);
// Exact too, except that a typed "v" stands for the "u:" of the stored pinyin,
// as the help page tells learners to type it.
bool isPinyinAnswerCorrect(const QString& typed, const QString& pinyin);
