#pragma once

#include <QString>

// Pinyin as print shows it, with tone marks: "zuo4ye4" -> "zuòyè", "lu:3you2" ->
// "lǚyóu", "Shang4hai3" -> "Shànghǎi", "yi4si" -> "yìsi". The mark goes on a or e,
// else on the o of "ou", else on the last vowel; ü keeps its dots; a neutral
// syllable has none. A syllable that starts with a, o or e right after another
// is set off by an apostrophe ("na3er" -> "nǎ'er"). Blanks and letter case stay;
// text that does not split into syllables is marked run by run.
QString toneMarked(const QString& pinyin);

// One syllable's letters ("ü", "v" or "u:" for ü; any case) with tone 0 to 4.
QString toneMarkedSyllable(const QString& letters, int tone);
