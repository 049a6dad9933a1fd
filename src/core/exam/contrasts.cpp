#include "core/exam/contrasts.h"

#include "core/pinyin.h"

#include <array>

using namespace Qt::Literals::StringLiterals;

namespace {

struct ContrastInfo {
    const char* id;
    const char16_t* name;
    const char* a; // initials swapped, for the contrasts of initials
    const char* b;
};

constexpr std::array<ContrastInfo, ContrastCount> infos = {{
    {"B_P", u"有気音・無気音（b と p）", "b", "p"},
    {"D_T", u"有気音・無気音（d と t）", "d", "t"},
    {"G_K", u"有気音・無気音（g と k）", "g", "k"},
    {"J_Q", u"有気音・無気音（j と q）", "j", "q"},
    {"Z_C", u"有気音・無気音（z と c）", "z", "c"},
    {"ZH_CH", u"有気音・無気音（zh と ch）", "zh", "ch"},
    {"ZH_Z", u"そり舌音（zh と z）", "zh", "z"},
    {"CH_C", u"そり舌音（ch と c）", "ch", "c"},
    {"SH_S", u"そり舌音（sh と s）", "sh", "s"},
    {"ZH_J", u"そり舌音（zh と j）", "zh", "j"},
    {"CH_Q", u"そり舌音（ch と q）", "ch", "q"},
    {"SH_X", u"そり舌音（sh と x）", "sh", "x"},
    {"H_F", u"h と f", "h", "f"},
    {"H_K", u"h と k", "h", "k"},
    {"W_M", u"w と m", "w", "m"},
    {"N_M", u"n と m", "n", "m"},
    {"N_L", u"n と l", "n", "l"},
    {"N_NG", u"-n と -ng", nullptr, nullptr},
    {"IAN_EN", u"ian と en", nullptr, nullptr},
    {"IANG_ANG", u"iang と ang", nullptr, nullptr},
    {"IAO_AO", u"iao と ao", nullptr, nullptr},
    {"IU_V", u"iu と ü", nullptr, nullptr},
    {"OU_U", u"ou と u", nullptr, nullptr},
    {"UO_U", u"uo と u", nullptr, nullptr},
    {"EI_I", u"ei と i", nullptr, nullptr},
    {"E_A", u"e と a", nullptr, nullptr},
    {"TONE", u"声調", nullptr, nullptr},
}};

const ContrastInfo& info(Contrast c)
{
    return infos[static_cast<size_t>(c)];
}

// The written initial: zh, ch, sh, a consonant, y or w; empty before a, o, e.
QString initialOf(const QString& s)
{
    for (const QStringView two : {u"zh", u"ch", u"sh"}) {
        if (s.startsWith(two))
            return two.toString();
    }
    if (!s.isEmpty() && QStringView(u"bpmfdtnlgkhjqxrzcsyw").contains(s[0]))
        return s.left(1);
    return {};
}

bool isOneOf(const QString& s, QStringView letters)
{
    return s.size() == 1 && letters.contains(s[0]);
}

// A pair read either way (finals, or whole syllables such as "you" and "yu"); empty for neither.
QString swapped(const QString& rest, QStringView x, QStringView y)
{
    if (rest == x)
        return y.toString();
    if (rest == y)
        return x.toString();
    return {};
}

// The counterpart under a contrast of finals; empty where it does not apply.
QString finalCounterpart(Contrast c, const QString& s)
{
    const QString ini = initialOf(s);
    const QString rest = s.mid(ini.size());
    // A consonant initial: not the y or w that stand for a medial, not none.
    const bool consonant = !ini.isEmpty() && ini != u"y" && ini != u"w";
    const bool palatal = isOneOf(ini, u"jqx");
    const auto medial = [&](QStringView zeroWith, QStringView zeroWithout, QStringView with,
                            QStringView without) -> QString {
        if (const QString w = swapped(s, zeroWith, zeroWithout); !w.isEmpty())
            return w;
        if (!consonant)
            return {};
        const QString r = swapped(rest, with, without);
        return r.isEmpty() ? QString() : ini + r;
    };
    switch (c) {
    case Contrast::NNg:
        if (s.endsWith(u"ng"))
            return s.chopped(1);
        return s.endsWith(u'n') ? s + u'g' : QString();
    case Contrast::IanEn:
        return medial(u"yan", u"en", u"ian", u"en");
    case Contrast::IangAng:
        return medial(u"yang", u"ang", u"iang", u"ang");
    case Contrast::IaoAo:
        return medial(u"yao", u"ao", u"iao", u"ao");
    case Contrast::IuV: {
        if (const QString w = swapped(s, u"you", u"yu"); !w.isEmpty())
            return w;
        // ü is written u after j, q and x, and v (ü) after n and l.
        const QStringView u = palatal ? u"u" : u"v";
        if (!palatal && !isOneOf(ini, u"nl"))
            return {};
        const QString r = swapped(rest, u"iu", u);
        return r.isEmpty() ? QString() : ini + r;
    }
    case Contrast::OuU:
    case Contrast::UoU: {
        const QStringView other = c == Contrast::OuU ? u"ou" : u"uo";
        if (const QString w = swapped(s, c == Contrast::OuU ? u"ou" : u"wo", u"wu"); !w.isEmpty())
            return w;
        if (!consonant || palatal)
            return {};
        const QString r = swapped(rest, other, u"u");
        return r.isEmpty() ? QString() : ini + r;
    }
    case Contrast::EiI: {
        if (!consonant)
            return {};
        const QString r = swapped(rest, u"ei", u"i");
        return r.isEmpty() ? QString() : ini + r;
    }
    case Contrast::EA:
        for (const auto& [e, a] : {std::pair{u"e", u"a"}, std::pair{u"ie", u"ia"}, std::pair{u"en", u"an"},
                                   std::pair{u"eng", u"ang"}, std::pair{u"ei", u"ai"}}) {
            if (const QString r = swapped(rest, e, a); !r.isEmpty())
                return ini + r;
        }
        return {};
    default:
        return {};
    }
}

} // namespace

QString contrastName(Contrast c)
{
    return QString::fromUtf16(info(c).name);
}

QByteArray contrastId(Contrast c)
{
    return QByteArray(info(c).id);
}

std::optional<Contrast> contrastFromId(QByteArrayView id)
{
    for (int i = 0; i < ContrastCount; ++i) {
        if (id == QByteArrayView(infos[static_cast<size_t>(i)].id))
            return static_cast<Contrast>(i);
    }
    return std::nullopt;
}

bool changesInitial(Contrast c)
{
    return info(c).a != nullptr;
}

std::optional<QString> contrasted(Contrast c, const QString& letters)
{
    QString out;
    if (changesInitial(c)) {
        const QString ini = initialOf(letters);
        const QString a = QString::fromLatin1(info(c).a);
        const QString b = QString::fromLatin1(info(c).b);
        if (ini == a)
            out = b + letters.mid(ini.size());
        else if (ini == b)
            out = a + letters.mid(ini.size());
    } else {
        out = finalCounterpart(c, letters);
    }
    if (out.isEmpty() || out == letters || !isMandarinSyllable(out))
        return std::nullopt;
    return out;
}
