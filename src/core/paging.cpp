#include "core/paging.h"

using namespace Qt::Literals::StringLiterals;

namespace {

QString rowNumber(int position)
{
    return QString::number(position + 1) + u'.';
}

} // namespace

PageButtons pageButtonsFor(int page, int pageCount)
{
    if (pageCount <= 1)
        return {false, false};
    if (page <= 1)
        return {true, false};
    if (page >= pageCount)
        return {false, true};
    return {true, true};
}

qint16 pagesFor(int count, int size)
{
    return static_cast<qint16>(count <= 0 ? 0 : (count + size - 1) / size);
}

// ------------------------------------------------------------------- WordPages

WordPages::WordPages(Tovak& t, int pageSize) : t_(t), pageSize_(pageSize)
{
}

bool WordPages::nextPage()
{
    if (t_.CurrentPage >= t_.PageCount)
        return false;
    savePage();
    ++t_.CurrentPage;
    showPage();
    return true;
}

bool WordPages::previousPage()
{
    if (t_.CurrentPage <= 1)
        return false;
    savePage();
    --t_.CurrentPage;
    showPage();
    return true;
}

void WordPages::startPaging()
{
    t_.CurrentPage = 1;
    t_.PageCount = pagesFor(t_.CurrentWordCount, pageSize_);
}

void WordPages::fillWordRow(WordRow& row, int position) const
{
    const qint16 w = t_.CurrentWordList[position];
    row.hasWord = true;
    row.tkey = w;
    row.number = rowNumber(position);
    row.glyphs = t_.db.wordCKeys(w);
}

QString WordPages::indentedTranslation(qint16 tkey) const
{
    return u"　"_s + t_.db.word(tkey, WordField::Translation);
}
