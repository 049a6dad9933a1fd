#include "data/provenance.h"

QString dataEstimateNote()
{
    return QStringLiteral("※出現回数は過去問の集計ではなく、中国語の使用頻度から試験の統計に合わせて推計した値です。");
}
