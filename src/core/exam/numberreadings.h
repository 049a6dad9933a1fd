#pragma once

#include "core/listutil.h"

#include <QString>

// What the listening items ask to be typed in digits.
enum class NumberKind : int { Count, Price, Time, Date, Weekday, Age };

// A number as the voice says it and as the learner types it.
struct NumberReading {
    NumberKind kind = NumberKind::Count;
    // "一百零五块": for checks and notes only; characters are shown as pictures, never typeset.
    QString characters;
    // The prepared pinyin the voice speaks: "yi4 bai3 ling2 wu3 kuai4".
    QString speech;
    // The answer in the form numberInstruction states: "105", "3.5", "8:15", "3/15", "1", "22".
    QString answer;
    bool operator==(const NumberReading&) const = default;
};

// The spoken forms follow the rules of counting aloud: 一 is yi4 before tones 1
// to 3 and yi2 before tone 4 as a multiplier (一百, 一千, 一万) and as a whole
// amount before its measure word (一块, 一点, 一岁), yi1 otherwise (alone, as the
// last digit, in 一十, months, days and weekdays); 两 for 2 before a measure word
// and in 两千, 两万, 二 elsewhere (十二, 二十, 二百, 二月); one 零 for zeros inside
// a number (一百零五, 一万零五十); 一十 inside a larger number (一百一十).
NumberReading countReading(qint64 n);          // 0 to 99 999 999
NumberReading priceReading(int yuan, int mao); // …块…毛; yuan 0 to 9999, mao 0 to 9, not both 0
// …点…分; 半 for 30, and with quarters 一刻, 三刻 for 15 and 45. hour 1 to 12.
NumberReading timeReading(int hour, int minute, bool quarters);
NumberReading dateReading(int month, int day);              // …月…号
NumberReading weekdayReading(int weekday, bool sundayAsRi); // 星期一 = 1 … 星期天 (or 星期日) = 7
NumberReading ageReading(int years);                        // …岁

// A reading of the kind with values a listening paper would use.
NumberReading randomReading(Rng& rng, NumberKind kind);
// The instruction above the answer box, with the form to type and an example.
QString numberInstruction(NumberKind kind);
// Whether typed says the reading's answer: blanks, full-width forms and (for
// counts) thousands commas carry nothing; a price may end in zeros ("3.50");
// an hour may be typed on the 24-hour clock ("14:30" for 两点半).
bool isNumberAnswerRight(const NumberReading& reading, const QString& typed);
