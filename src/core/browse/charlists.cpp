#include "core/browse/charlists.h"

#include "core/listutil.h"
#include "data/provenance.h"

namespace {
QString titleOf(const std::array<const char16_t*, 4>& titles, int kind)
{
    return kind >= 1 && kind <= 4 && titles[static_cast<size_t>(kind - 1)]
               ? QString::fromUtf16(titles[static_cast<size_t>(kind - 1)])
               : QString();
}
} // namespace

QString rankingTitle(int kind)
{
    return titleOf({u"総合出る順", u"ヒアリング出る順", u"筆記単語出る順", u"筆記文出る順"}, kind);
}

QString examListTitle(int kind)
{
    return titleOf({u"出現漢字完全網羅", u"ヒアリング漢字網羅", u"筆記漢字網羅", nullptr}, kind);
}

QString charListTitle(const Tovak& t)
{
    return t.examListShown != 0 ? examListTitle(t.examListShown) : rankingTitle(t.RankingKind);
}

const std::array<QString, 4>& examMenuTexts()
{
    static const std::array<QString, 4> texts = {
        QStringLiteral("2003年11月16日に行われた第51回中国語検定試験四級を分析しました。"
                       "本試験に登場した漢字が何回出現したかも網羅しているので、出る順で効率よく勉強できます！"
                       "\n") +
            dataEstimateNote(), // the counts are modelled, and the introduction must not claim otherwise
        QStringLiteral("本試験に登場した全ての漢字です。各漢字ごとにヒアリング・筆記合計の出現回数を表示しています。"
                       "漢字の重要度をチェックすることでメリハリをつけて学習しましょう！"),
        QStringLiteral("ヒアリングで登場した全ての漢字です。各漢字ごとにヒアリングでの出現回数を表示しています。"
                       "特にピンイン問題は完璧になるまで解きましょう。"),
        QStringLiteral("筆記で登場した全ての漢字です。各漢字ごとに筆記での出現回数を表示しています。"
                       "特に日本語訳問題は完璧になるまで解きましょう。"),
    };
    return texts;
}

QString rankText(int position, bool fullStop)
{
    QString text = u'第' + QString::number(position + 1) + u'位';
    if (fullStop)
        text += u'.';
    return text;
}

void CharListPages::init()
{
    listPage_ = 1;
    listPageCount_ = pagesFor(t_.CurrentCharCount, PageSize);
}

bool CharListPages::nextPage()
{
    if (listPage_ >= listPageCount_)
        return false;
    ++listPage_;
    return true;
}

bool CharListPages::previousPage()
{
    if (listPage_ <= 1)
        return false;
    --listPage_;
    return true;
}

CharListRow CharListPages::row(int r) const
{
    CharListRow row;
    const int p = positionOf(r);
    if (r < 0 || r >= PageSize || p >= t_.CurrentCharCount)
        return row;
    const int c = t_.CurrentCharList[p];
    row.shown = true;
    row.ckey = c;
    const bool ranking = style_ == CharListStyle::Ranking;
    row.no = rankText(p, ranking);
    // The ranking shows the stored digits of the ranked field as they are.
    if (!ranking)
        row.latter = QString::number(t_.examCounts[p]) + u'回';
    else if (t_.RankingKind >= 1 && t_.RankingKind <= 4)
        row.latter = t_.db.characterAt(c, t_.RankingKind);
    row.termNum = QString::number(countListItems(t_.db.character(c, CharField::TKeys))) + u'個';
    return row;
}
