#include "core/info/helppages.h"

#include "data/provenance.h"

namespace {
// Pages that speak of the counts as analysed from past papers end with the note.
QString withNote(const QString& text)
{
    return text + QStringLiteral("\n\n") + dataEstimateNote();
}
} // namespace

QString helpContentsTitle()
{
    return QStringLiteral("ヘルプ目次");
}

// One page text to a line, so that each reads as one piece.
// clang-format off
std::array<HelpEntry, HelpPageCount> helpPages()
{
    return {{
        {QStringLiteral("ようこそ"), QString()},
        {QStringLiteral("1.はじめに"),
         withNote(QStringLiteral("ルメナをご利用いただき誠にありがとうございます。この単語集は効率的に中国語検定で必要になる重要単語を学習できるソフトウェアです。この単語集は主に3つのパートで構成されています。「漢字データベース」と「単語検索」と「問題」です。「漢字データベース」では、過去問をもとに分析した頻出度順のデータを見ることができるとともに、各漢字ごとの関連語句を解くことができます。「単語検索」では、様々な条件から単語を検索して解くことができます。「問題」は、「漢字データベース」の関連語句や「単語検索」の検索結果を実際にピンイン入力か、日本語訳選択で解くことができます。"))},
        {QStringLiteral("2.出る順（漢字データ）"),
         withNote(QStringLiteral("過去の中国語検定4級の問題を漢字単位に分析・統計することで実現した、頻出順の漢字データベースです。中検を「総合」「ヒアリング」「筆記単語」「筆記文」の4パートに分け、それぞれの重要漢字と関連した単語を解くことができます。各漢字の詳細を見るには、漢字をクリックしてください。各漢字データでは、チャートで漢字の重要度が10段階でわかるようになっています。たとえば、「ヒアリング」の重要度が5で「筆記文」の重要度が9の場合、ピンインよりも日本語訳を覚えることに専念した方がいいでしょう。このように、用途にあわせて単語集を使いこなしてください。"))},
        {QStringLiteral("3.単語総合検索"),
         QStringLiteral("様々な条件で単語を検索することができます。実力を試すには「ランダム検索」を、連想的に意味が関連している単語を覚えたいなら「ジャンル検索」を、同じピンインを使っている単語を調べたかったら「自由検索」を、というように用途にあわせて利用してください。特に、弱点検索では、実際に問題を解いた結果をもとに正答率が○○％以下のものを表示するので、やり込めばやり込むほど、貴方だけの正確な弱点問題集ができあがります。")},
        {QStringLiteral("4.ピンインの問題"),
         QStringLiteral("漢字に対してピンインを入力して解答する問題形式です。「声調を解答」と「ピンインを解答」の二種類があり、達成率が低いうちは「声調を解答」のみ選べます。声調の問題では声調の数字のみを、ピンインの問題では声調を含めたピンインを入力してください。また、軽音の場合は数字を何も入力しないでください。たとえば、「学校」の声調は「24」ピンインは「xue2xiao4」と入力します。また、「u」点点の文字は「v」を打ち込みます。たとえば、「女」は「nv3」となります。")},
        {QStringLiteral("5.日訳の問題"),
         QStringLiteral("日訳の問題では、単語の日本語訳の選択肢が4つ並んでいるので、その中から答えの訳を選んで解きます。各選択肢の訳にマウスカーソルを会わせて選択してください。")},
        {QStringLiteral("6.ショートカットキー"),
         QStringLiteral("「ルメナ」では便利なショートカットキーが使えます。ショートカットキーを使えばより効率的に問題を解くことができます。「次へ」は「PageDown」、「前へ」は「PageUp」、「戻る」は「Esc」、「採点」は「F5」で代用することができます。")},
        {QStringLiteral("7.その他"),
         withNote(QStringLiteral("各問題は「誤答再試験」機能により、現在解いた問題の中で間違えた問題のみ再度出題することができます。また、前回本試験の分析では、最新の本試験で出題された全ての漢字、その出現回数を参照することができ、必須単語を網羅的に潰すことができます。ルメナについてのご意見・ご感想・ご要望などがありましたらご連絡ください。このソフトウェアについてや、ホームページ、連絡先等につきましては、最初のページのパンダをクリックしてください。ちなみにパンダは網羅率の成績によって4種類に変わります。是非全部確かめてみてください。それでは、今後とも「ルメナ」をご愛顧いただきますようよろしくお願いいたします。"))},
    }};
}

std::array<QString, HelpTopicCount> helpContentsCaptions()
{
    return {
        QStringLiteral("１．はじめに"),
        QStringLiteral("２．出る順（漢字データベース）"),
        QStringLiteral("３．単語総合検索"),
        QStringLiteral("４．ピンインの問題"),
        QStringLiteral("５．日訳の問題"),
        QStringLiteral("６．ショートカットキー"),
        QStringLiteral("７．その他"),
    };
}
// clang-format on
