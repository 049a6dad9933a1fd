#include "ui/drills/frmListDui.h"

#include "core/info/helppages.h"
#include "ui/layout.h"
#include "ui/screenregistry.h"

frmListDui::frmListDui(ScreenRegistry& screens)
    : PagedScreen(screens, QStringLiteral("frmListDui"), HelpContents), list_(screens.tovak())
{
    setPages(list_);
    for (size_t r = 0; r < rows_.size(); ++r)
        rows_[r].emplace(this, screens.tovak().db, static_cast<int>(r), QColor::fromRgb(Layout::Palette::bamboo));
    setFramedReadingOrder({});
}

void frmListDui::load()
{
    list_.load();
    refresh();
}

void frmListDui::drawRows()
{
    for (size_t r = 0; r < rows_.size(); ++r) {
        const AnswerRow content = list_.row(static_cast<int>(r));
        rows_[r]->show(content);
        rows_[r]->showTexts(content.translation, content.pinyin, content.hasWord);
    }
}
