#include "core/exam/numberreadings.h"

#include <QDate>
#include <QList>
#include <QRegularExpression>

#include <optional>

using namespace Qt::Literals::StringLiterals;

namespace {

struct Token {
    QChar character;
    const char* letters;
    int tone = 0;
    // 一 whose tone follows the next syllable: a multiplier, or a whole amount.
    bool yiChanges = false;
};

const Token digitTokens[] = {
    {u'零', "ling", 2}, {u'一', "yi", 1},  {u'二', "er", 4}, {u'三', "san", 1}, {u'四', "si", 4},
    {u'五', "wu", 3},   {u'六', "liu", 4}, {u'七', "qi", 1}, {u'八', "ba", 1},  {u'九', "jiu", 3},
};
const Token liang{u'两', "liang", 3};
const Token shi{u'十', "shi", 2};
const Token bai{u'百', "bai", 3};
const Token qian{u'千', "qian", 1};
const Token wan{u'万', "wan", 4};

Token digit(int d)
{
    return digitTokens[d];
}

// One group of four digits, 1 to 9999. leading: it starts the number, so 10
// to 19 say 十 without 一.
void appendGroup(QList<Token>& out, int v, bool leading)
{
    const int digits[] = {v / 1000, v / 100 % 10, v / 10 % 10, v % 10};
    const Token* units[] = {&qian, &bai, &shi, nullptr};
    bool started = false;
    bool zero = false;
    for (int pos = 0; pos < 4; ++pos) {
        const int d = digits[pos];
        if (d == 0) {
            zero = started;
            continue;
        }
        if (zero)
            out.append(digit(0));
        zero = false;
        const bool tens = pos == 2;
        if (!(tens && d == 1 && leading && !started)) {
            Token t = pos == 0 && d == 2 ? liang : digit(d);
            // 一十 keeps yi1; 一千 and 一百 follow the unit.
            t.yiChanges = d == 1 && units[pos] != nullptr && !tens;
            out.append(t);
        }
        if (units[pos])
            out.append(*units[pos]);
        started = true;
    }
}

// The number as said; amount: a measure word follows, so 1 and 2 alone are 一
// with its changed tone and 两.
QList<Token> cardinal(qint64 n, bool amount)
{
    QList<Token> out;
    if (n == 0) {
        out.append(digit(0));
        return out;
    }
    const int high = static_cast<int>(n / 10000);
    const int low = static_cast<int>(n % 10000);
    if (high > 0) {
        appendGroup(out, high, true);
        if (high == 1)
            out.last().yiChanges = true;
        if (high == 2)
            out.last() = liang;
        out.append(wan);
        if (low > 0 && low < 1000)
            out.append(digit(0));
    }
    if (low > 0)
        appendGroup(out, low, high == 0);
    if (amount && n == 1)
        out.last().yiChanges = true;
    if (amount && n == 2)
        out.last() = liang;
    return out;
}

NumberReading reading(NumberKind kind, const QList<Token>& tokens, const QString& answer)
{
    NumberReading r;
    r.kind = kind;
    r.answer = answer;
    for (qsizetype i = 0; i < tokens.size(); ++i) {
        const Token& t = tokens[i];
        int tone = t.tone;
        if (t.yiChanges && i + 1 < tokens.size())
            tone = tokens[i + 1].tone == 4 ? 2 : 4;
        r.characters.append(t.character);
        if (!r.speech.isEmpty())
            r.speech.append(u' ');
        r.speech.append(QLatin1StringView(t.letters) + QString::number(tone));
    }
    return r;
}

// Blanks dropped, full-width forms folded to ASCII.
QString folded(const QString& text)
{
    QString out;
    for (QChar c : text) {
        if (c.isSpace())
            continue;
        if (c.unicode() >= 0xFF01 && c.unicode() <= 0xFF5E)
            c = QChar(static_cast<char16_t>(c.unicode() - 0xFEE0));
        out.append(c);
    }
    return out;
}

// The whole text's numbers, or nothing when it does not match.
std::optional<QList<int>> numbersIn(const QString& text, const QString& pattern)
{
    const QRegularExpression re(u'^' + pattern + u'$');
    const QRegularExpressionMatch m = re.match(text);
    if (!m.hasMatch())
        return std::nullopt;
    QList<int> out;
    for (int i = 1; i <= m.lastCapturedIndex(); ++i)
        out.append(m.captured(i).toInt());
    return out;
}

// A price in tenths of a yuan ("3.5" -> 35, "3.50" -> 35, ".5" -> 5); -1 for none.
int priceTenths(const QString& text)
{
    static const QRegularExpression re(u"^(\\d{0,6})(?:\\.(\\d)(0*))?$"_s);
    const QRegularExpressionMatch m = re.match(text);
    if (!m.hasMatch() || (m.captured(1).isEmpty() && m.captured(2).isEmpty()))
        return -1;
    return m.captured(1).toInt() * 10 + m.captured(2).toInt();
}

// randomInRange keeps to 16 bits; counts reach 99 999.
int uniform(Rng& rng, int lower, int upper)
{
    return std::uniform_int_distribution<int>(lower, upper)(rng);
}

} // namespace

NumberReading countReading(qint64 n)
{
    return reading(NumberKind::Count, cardinal(n, false), QString::number(n));
}

NumberReading priceReading(int yuan, int mao)
{
    QList<Token> tokens;
    if (yuan > 0)
        tokens = cardinal(yuan, true) + QList<Token>{{u'块', "kuai", 4}};
    if (mao > 0)
        tokens = tokens + cardinal(mao, true) + QList<Token>{{u'毛', "mao", 2}};
    const QString answer = QString::number(yuan) + (mao > 0 ? u'.' + QString::number(mao) : QString());
    return reading(NumberKind::Price, tokens, answer);
}

NumberReading timeReading(int hour, int minute, bool quarters)
{
    QList<Token> tokens = cardinal(hour, true) + QList<Token>{{u'点', "dian", 3}};
    if (minute == 30)
        tokens.append({u'半', "ban", 4});
    else if (quarters && (minute == 15 || minute == 45))
        tokens = tokens + cardinal(minute / 15, true) + QList<Token>{{u'刻', "ke", 4}};
    else if (minute > 0)
        tokens = tokens + (minute < 10 ? QList<Token>{digit(0)} : QList<Token>{}) + cardinal(minute, false) +
                 QList<Token>{{u'分', "fen", 1}};
    return reading(NumberKind::Time, tokens, u"%1:%2"_s.arg(hour).arg(minute, 2, 10, QChar(u'0')));
}

NumberReading dateReading(int month, int day)
{
    const QList<Token> tokens = cardinal(month, false) + QList<Token>{{u'月', "yue", 4}} + cardinal(day, false) +
                                QList<Token>{{u'号', "hao", 4}};
    return reading(NumberKind::Date, tokens, u"%1/%2"_s.arg(month).arg(day));
}

NumberReading weekdayReading(int weekday, bool sundayAsRi)
{
    QList<Token> tokens{{u'星', "xing", 1}, {u'期', "qi", 1}};
    if (weekday < 7)
        tokens.append(digit(weekday));
    else
        tokens.append(sundayAsRi ? Token{u'日', "ri", 4} : Token{u'天', "tian", 1});
    return reading(NumberKind::Weekday, tokens, QString::number(weekday));
}

NumberReading ageReading(int years)
{
    return reading(NumberKind::Age, cardinal(years, true) + QList<Token>{{u'岁', "sui", 4}}, QString::number(years));
}

NumberReading randomReading(Rng& rng, NumberKind kind)
{
    switch (kind) {
    case NumberKind::Count: {
        // Every size equally often: below a hundred, hundreds, thousands, ten-thousands.
        const int size = uniform(rng, 0, 3);
        const int lower = size == 0 ? 0 : (size == 1 ? 100 : (size == 2 ? 1000 : 10000));
        return countReading(uniform(rng, lower, lower == 0 ? 99 : lower * 10 - 1));
    }
    case NumberKind::Price: {
        const int size = uniform(rng, 0, 9);
        if (size == 0)
            return priceReading(0, uniform(rng, 1, 9));
        return priceReading(size < 8 ? uniform(rng, 1, 99) : uniform(rng, 100, 999), uniform(rng, 0, 9));
    }
    case NumberKind::Time: {
        const int hour = uniform(rng, 1, 12);
        const int style = uniform(rng, 0, 2);
        const int minute =
            style == 0 ? uniform(rng, 0, 3) * 15 : (style == 1 ? uniform(rng, 0, 11) * 5 : uniform(rng, 0, 59));
        return timeReading(hour, minute, uniform(rng, 0, 1) == 1);
    }
    case NumberKind::Date: {
        const int month = uniform(rng, 1, 12);
        return dateReading(month, uniform(rng, 1, QDate(2024, month, 1).daysInMonth()));
    }
    case NumberKind::Weekday:
        return weekdayReading(uniform(rng, 1, 7), uniform(rng, 0, 1) == 1);
    case NumberKind::Age:
        return ageReading(uniform(rng, 1, 99));
    }
    return countReading(0);
}

QString numberInstruction(NumberKind kind)
{
    // In the order of NumberKind.
    static const char16_t* const instructions[] = {
        u"読み上げられた数を算用数字で入力しなさい（例：105）", u"値段を元の単位で入力しなさい（例：3元5角なら 3.5）",
        u"時刻を「時:分」の形で入力しなさい（例：8:15）",       u"日付を「月/日」の形で入力しなさい（例：3/15）",
        u"曜日を数字で入力しなさい（月曜日は 1、日曜日は 7）",  u"年齢を算用数字で入力しなさい（例：22）",
    };
    return QString::fromUtf16(instructions[static_cast<int>(kind)]);
}

bool isNumberAnswerRight(const NumberReading& reading, const QString& typed)
{
    QString text = folded(typed);
    const QString& answer = reading.answer;
    switch (reading.kind) {
    case NumberKind::Count:
        text.remove(u',');
        [[fallthrough]];
    case NumberKind::Weekday:
    case NumberKind::Age: {
        const std::optional<QList<int>> n = numbersIn(text, u"(\\d{1,9})"_s);
        return n && (*n)[0] == answer.toInt();
    }
    case NumberKind::Price: {
        const int given = priceTenths(text);
        return given >= 0 && given == priceTenths(answer);
    }
    case NumberKind::Time: {
        const std::optional<QList<int>> given = numbersIn(text, u"(\\d{1,2}):(\\d{1,2})"_s);
        const std::optional<QList<int>> right = numbersIn(answer, u"(\\d{1,2}):(\\d{1,2})"_s);
        return given && right && (*given)[1] == (*right)[1] &&
               ((*given)[0] == (*right)[0] || (*given)[0] == (*right)[0] + 12 ||
                ((*right)[0] == 12 && (*given)[0] == 0));
    }
    case NumberKind::Date: {
        const std::optional<QList<int>> given = numbersIn(text, u"(\\d{1,2})/(\\d{1,2})"_s);
        return given && *given == *numbersIn(answer, u"(\\d{1,2})/(\\d{1,2})"_s);
    }
    }
    return false;
}
