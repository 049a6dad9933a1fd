#include "ui/drills/frmListDui.h"

#include "core/info/helppages.h"
#include "ui/layout.h"
#include "ui/screenregistry.h"

frmListDui::frmListDui(ScreenRegistry& screens)
    : PagedScreen(screens, QStringLiteral("frmListDui"), HelpContents), list_(screens.tovak())
{
    setPages(list_);
    QList<QWidget*> order;
    for (size_t r = 0; r < rows_.size(); ++r) {
        const int row = static_cast<int>(r);
        rows_[r].emplace(this, screens.tovak().db, row, QColor::fromRgb(Layout::Palette::bamboo));
        speakers_[r] = new SpeakerButton(screens.voice(), screens.tovak().db, this,
                                         QStringLiteral("imgSpeaker(%1)").arg(row), Layout::TypedRows::imgSpeaker(row));
        order << speakers_[r];
    }
    setFramedReadingOrder(order);
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
        speakers_[r]->setWord(content.hasWord ? content.tkey : 0);
    }
}

void frmListDui::replayKey()
{
    for (SpeakerButton* s : speakers_) {
        if (s->hasFocus())
            s->play();
    }
}
