#include "core/pinyin.h"

#include "data/db.h"

#include <QList>
#include <QSet>

#include <optional>

using namespace Qt::Literals::StringLiterals;

namespace {

// Keys of the characters whose tone follows the next syllable, and of erhua 儿.
constexpr int YiKey = 6;
constexpr int BuKey = 11;
constexpr int ErKey = 15;

constexpr int Neutral = 0;

bool isToneDigit(QChar c)
{
    return c >= u'1' && c <= u'4';
}

// Many textbooks, input methods and the voice itself write the neutral tone as 5.
constexpr QChar NeutralDigit = u'5';

bool isAsciiLetter(QChar c)
{
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
}

// Every Mandarin syllable, "v" standing for "ü".
const QSet<QString>& syllableInventory()
{
    static const QSet<QString> inventory = [] {
        static const char* const rows[] = {
            "a o e ai ei ao ou an en ang eng er",
            "yi ya yo ye yao you yan yin yang ying yong yu yue yuan yun",
            "wu wa wo wai wei wan wen wang weng",
            "ba bo bai bei bao ban ben bang beng bi bie biao bian bin bing bu",
            "pa po pai pei pao pou pan pen pang peng pi pie piao pian pin ping pu",
            "ma mo me mai mei mao mou man men mang meng mi mie miao miu mian min ming mu",
            "fa fo fei fou fan fen fang feng fu",
            "da de dai dei dao dou dan den dang deng dong di dia die diao diu dian ding du duo dui duan dun",
            "ta te tai tao tou tan tang teng tong ti tie tiao tian ting tu tuo tui tuan tun",
            "na ne nai nei nao nou nan nen nang neng nong ni nie niao niu nian nin niang ning nu nuo nuan nv nve",
            "la lo le lai lei lao lou lan lang leng long li lia lie liao liu lian lin liang ling lu luo luan lun lv "
            "lve",
            "ga ge gai gei gao gou gan gen gang geng gong gu gua guo guai gui guan gun guang",
            "ka ke kai kei kao kou kan ken kang keng kong ku kua kuo kuai kui kuan kun kuang",
            "ha he hai hei hao hou han hen hang heng hong hu hua huo huai hui huan hun huang",
            "ji jia jie jiao jiu jian jin jiang jing jiong ju jue juan jun",
            "qi qia qie qiao qiu qian qin qiang qing qiong qu que quan qun",
            "xi xia xie xiao xiu xian xin xiang xing xiong xu xue xuan xun",
            "zha zhe zhi zhai zhei zhao zhou zhan zhen zhang zheng zhong zhu zhua zhuo zhuai zhui zhuan zhun zhuang",
            "cha che chi chai chao chou chan chen chang cheng chong chu chua chuo chuai chui chuan chun chuang",
            "sha she shi shai shei shao shou shan shen shang sheng shu shua shuo shuai shui shuan shun shuang",
            "re ri rao rou ran ren rang reng rong ru rua ruo rui ruan run",
            "za ze zi zai zei zao zou zan zen zang zeng zong zu zuo zui zuan zun",
            "ca ce ci cai cao cou can cen cang ceng cong cu cuo cui cuan cun",
            "sa se si sai sao sou san sen sang seng song su suo sui suan sun",
        };
        QSet<QString> set;
        for (const char* row : rows) {
            for (const QString& s : QString::fromLatin1(row).split(u' '))
                set.insert(s);
        }
        return set;
    }();
    return inventory;
}

constexpr qsizetype LongestSyllable = 6; // zhuang, chuang, shuang

struct Syllable {
    QString letters; // lower case, "v" for "ü"
    bool erhua = false;
    int tone = Neutral;
};
using Syllables = QList<Syllable>;

// Blanks dropped, full width folded to ASCII, lower case.
QString foldText(const QString& text)
{
    QString out;
    out.reserve(text.size());
    for (QChar c : text) {
        if (c.isSpace())
            continue;
        if (c.unicode() >= 0xFF01 && c.unicode() <= 0xFF5E)
            c = QChar(static_cast<char16_t>(c.unicode() - 0xFEE0));
        out.append(c.toLower());
    }
    return out;
}

// "u:" and "ü" as "v"; expects folded text.
QString foldU(const QString& folded)
{
    QString out = folded;
    out.replace(u"u:"_s, u"v"_s);
    out.replace(u'ü', u'v');
    return out;
}

// Splits a run of letters without digits into syllables, longest first, such
// that the rest still splits. An "r" closing the run is the erhua of the last
// syllable (neutral erhua words end their run; toned ones stand before a digit).
bool splitRun(QStringView run, Syllables& out)
{
    if (run.isEmpty())
        return true;
    const QSet<QString>& inventory = syllableInventory();
    for (qsizetype len = qMin(LongestSyllable, run.size()); len >= 1; --len) {
        const QString head = run.left(len).toString();
        if (!inventory.contains(head))
            continue;
        const QStringView rest = run.mid(len);
        if (rest == u"r" && head != u"er") {
            out.append(Syllable{head, true, Neutral});
            return true;
        }
        const qsizetype mark = out.size();
        out.append(Syllable{head, false, Neutral});
        if (splitRun(rest, out))
            return true;
        out.resize(mark);
    }
    return false;
}

bool isLetterRunStart(QChar c)
{
    return isAsciiLetter(c) || c == u'ü';
}

// The syllables of a folded text (see foldText and foldU), each with its
// tone; nullopt when the text is not a row of valid syllables and digits 1-4.
std::optional<Syllables> splitSyllables(const QString& text)
{
    Syllables out;
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n) {
        if (text[i] == u'\'') { // syllable boundary, as in "xi'an"
            ++i;
            continue;
        }
        if (!isLetterRunStart(text[i]))
            return std::nullopt;
        qsizetype j = i;
        while (j < n && isLetterRunStart(text[j]))
            ++j;
        const qsizetype first = out.size();
        if (!splitRun(QStringView(text).mid(i, j - i), out) || out.size() == first)
            return std::nullopt;
        if (j < n && (isToneDigit(text[j]) || text[j] == NeutralDigit)) {
            out.last().tone = text[j] == NeutralDigit ? Neutral : text[j].digitValue();
            ++j;
            // An erhua "r" typed after its digit ("dian3r"), when the letters
            // from the "r" on make no syllables but those after it do.
            if (j < n && text[j] == u'r' && !out.last().erhua) {
                qsizetype k = j + 1;
                while (k < n && isLetterRunStart(text[k]))
                    ++k;
                Syllables probe;
                const QStringView withR = QStringView(text).mid(j, k - j);
                if (!splitRun(withR, probe) && splitRun(withR.mid(1), probe)) {
                    out.last().erhua = true;
                    ++j;
                }
            }
        }
        i = j;
    }
    return out;
}

std::optional<Syllables> splitPinyin(const QString& text)
{
    return splitSyllables(foldU(foldText(text)));
}

// The character key behind each syllable, or none at all when the two cannot
// be matched up. An erhua syllable may stand for its character and a 儿.
QList<int> charKeysOfSyllables(const Syllables& syllables, const std::array<int, 4>& ckeys)
{
    QList<int> chars;
    for (int k : ckeys) {
        if (k >= 1 && k <= LastCharKey)
            chars.append(k);
    }
    QList<int> out;
    qsizetype c = 0;
    for (const Syllable& s : syllables) {
        if (c >= chars.size())
            return {};
        out.append(chars[c]);
        const bool spansEr =
            s.erhua && syllables.size() < chars.size() && c + 1 < chars.size() && chars[c + 1] == ErKey;
        c += spansEr ? 2 : 1;
    }
    return c == chars.size() ? out : QList<int>{};
}

// The tone 一 or 不 takes before a syllable of tone next; Neutral for none.
int changedTone(int ckey, int next)
{
    if (ckey == YiKey && next == 4)
        return 2;
    if (ckey == YiKey && next >= 1 && next <= 3)
        return 4;
    if (ckey == BuKey && next == 4)
        return 2;
    return Neutral;
}

// The changed tone of each syllable, Neutral where it keeps its own.
QList<int> changedTones(const Syllables& syllables, const std::array<int, 4>& ckeys)
{
    QList<int> out(syllables.size(), Neutral);
    const QList<int> keys = charKeysOfSyllables(syllables, ckeys);
    if (keys.isEmpty())
        return out;
    for (qsizetype i = 0; i + 1 < syllables.size(); ++i)
        out[i] = changedTone(keys[i], syllables[i + 1].tone);
    return out;
}

bool toneAllowed(int typed, const Syllable& stored, int changed)
{
    return typed == stored.tone || (changed != Neutral && typed == changed);
}

// Matches typed digits against the syllables from index s on; neutral
// syllables take no digit or a 5, a changed tone may stand for the stored one.
bool digitsMatch(QStringView digits, const Syllables& syllables, const QList<int>& changed, qsizetype s)
{
    if (s == syllables.size())
        return digits.isEmpty();
    if (syllables[s].tone == Neutral) {
        if (digitsMatch(digits, syllables, changed, s + 1))
            return true;
        if (!digits.isEmpty() && digits[0] == NeutralDigit && digitsMatch(digits.mid(1), syllables, changed, s + 1))
            return true;
    }
    if (digits.isEmpty() || !isToneDigit(digits[0]))
        return false;
    return toneAllowed(digits[0].digitValue(), syllables[s], changed[s]) &&
           digitsMatch(digits.mid(1), syllables, changed, s + 1);
}

QString speechOf(const Syllables& syllables, const QList<int>& changed)
{
    QString out;
    for (qsizetype i = 0; i < syllables.size(); ++i) {
        const Syllable& s = syllables[i];
        if (i > 0)
            out.append(u' ');
        out.append(s.letters);
        const int tone = changed[i] != Neutral ? changed[i] : s.tone;
        out.append(QChar(u'0' + (tone == Neutral ? 5 : tone)));
        if (s.erhua)
            out.append(u'r');
    }
    return out;
}

// Whatever could not be split still reaches the voice as plain letters and digits.
QString speechFallback(const QString& text)
{
    QString out;
    for (QChar c : foldU(foldText(text)))
        out.append((c >= u'a' && c <= u'z') || (c >= u'0' && c <= u'9') ? c : u' ');
    return out.simplified();
}

QString withoutToneDigits(const QString& text)
{
    QString out;
    out.reserve(text.size());
    for (QChar c : text) {
        if (!isToneDigit(c))
            out.append(c);
    }
    return out;
}

} // namespace

QString getToneDigits(const QString& pinyin)
{
    QString digits;
    for (const QChar c : pinyin) {
        if (isToneDigit(c))
            digits.append(c);
    }
    return digits;
}

QString getBareSyllables(const QString& pinyin)
{
    QString bare = pinyin;
    for (QChar& c : bare) {
        if (isToneDigit(c))
            c = u' ';
    }
    return bare;
}

bool isToneAnswerCorrect(const QString& typed, const QString& pinyin, const std::array<int, 4>& ckeys)
{
    const QString digits = foldText(typed);
    const std::optional<Syllables> stored = splitPinyin(pinyin);
    if (!stored)
        return digits == getToneDigits(pinyin);
    return digitsMatch(digits, *stored, changedTones(*stored, ckeys), 0);
}

bool isPinyinAnswerCorrect(const QString& typed, const QString& pinyin, const std::array<int, 4>& ckeys)
{
    const QString folded = foldU(foldText(typed));
    const std::optional<Syllables> stored = splitPinyin(pinyin);
    const std::optional<Syllables> given = splitSyllables(folded);
    if (!stored || !given)
        return folded == foldU(foldText(pinyin));
    if (given->size() != stored->size())
        return false;
    const QList<int> changed = changedTones(*stored, ckeys);
    for (qsizetype i = 0; i < stored->size(); ++i) {
        const Syllable& g = (*given)[i];
        const Syllable& s = (*stored)[i];
        if (g.letters != s.letters || g.erhua != s.erhua || !toneAllowed(g.tone, s, changed[i]))
            return false;
    }
    return true;
}

bool freeSearchMatches(const QString& query, const QString& pinyin, const QString& translation,
                       const QString& characters)
{
    const QString q = foldText(query);
    const QString qu = foldU(q);
    const QString p = foldText(pinyin);
    const QString pu = foldU(p);
    // The pinyin as stored ("lu:") and with "ü" as one letter ("lv") both count,
    // so a query for the stored spelling finds what it always found.
    return p.contains(q) || pu.contains(qu) || withoutToneDigits(pu).contains(qu) ||
           foldText(translation).contains(q) || foldText(characters).contains(q);
}

QString displayPinyin(const QString& stored)
{
    QString out = stored;
    out.replace(u"u:"_s, u"ü"_s);
    out.replace(u"U:"_s, u"Ü"_s);
    return out;
}

QString speechPinyin(const QString& pinyin, const std::array<int, 4>& ckeys)
{
    const std::optional<Syllables> syllables = splitPinyin(pinyin);
    if (!syllables)
        return speechFallback(pinyin);
    return speechOf(*syllables, changedTones(*syllables, ckeys));
}

QString speechReading(const QString& reading)
{
    const std::optional<Syllables> syllables = splitPinyin(reading);
    if (!syllables)
        return speechFallback(reading);
    return speechOf(*syllables, QList<int>(syllables->size(), Neutral));
}

int syllableCount(const QString& pinyin)
{
    const std::optional<Syllables> syllables = splitPinyin(pinyin);
    return syllables ? static_cast<int>(syllables->size()) : -1;
}

QList<PinyinSyllable> pinyinSyllables(const QString& pinyin)
{
    const std::optional<Syllables> syllables = splitPinyin(pinyin);
    QList<PinyinSyllable> out;
    if (!syllables)
        return out;
    out.reserve(syllables->size());
    for (const Syllable& s : *syllables)
        out.append(PinyinSyllable{s.letters, s.tone, s.erhua});
    return out;
}

bool isMandarinSyllable(const QString& letters)
{
    return syllableInventory().contains(letters);
}
QList<SyllableTone> syllableTones(const QString& pinyin, const std::array<int, 4>& ckeys)
{
    const std::optional<Syllables> syllables = splitPinyin(pinyin);
    if (!syllables)
        return {};
    const QList<int> changed = changedTones(*syllables, ckeys);
    QList<SyllableTone> out;
    out.reserve(syllables->size());
    for (qsizetype i = 0; i < syllables->size(); ++i)
        out.append({(*syllables)[i].tone, changed[i]});
    return out;
}
