#include "ui/drills/pagedscreen.h"

#include "core/paging.h"
#include "ui/layout.h"
#include "ui/pictures.h"
#include "ui/screenstyle.h"

namespace L = Layout::TypedRows;

PagedScreen::PagedScreen(ScreenRegistry& screens, const QString& name, qint16 helpPage)
    : ScreenBase(screens, name, Pictures::background(name), Layout::screenSize)
{
    const QColor ink = QColor::fromRgb(Layout::Palette::ink);
    lblCount_ = makeLabel(this, QStringLiteral("lblCount"), QString(), L::lblCount, ink, 16, true, Qt::AlignCenter);
    lblCPagenum_ = makeLabel(this, QStringLiteral("lblCPagenum"), QString(), L::lblCPagenum, ink, 16, true,
                             Qt::AlignRight | Qt::AlignVCenter);
    lblTPagenum_ = makeLabel(this, QStringLiteral("lblTPagenum"), QString(), L::lblTPagenum, ink, 16);
    makeLabel(this, QStringLiteral("lblPage"), QStringLiteral("page"), L::lblPage,
              QColor::fromRgb(Layout::Palette::softInk), 14);

    addPageButtons([this] { turn(false); }, [this] { turn(true); });
    before_ = button(QStringLiteral("Before"));
    next_ = button(QStringLiteral("Next"));
    addBackHelpExit(helpPage);
}

void PagedScreen::refresh()
{
    lblCount_->setText(pages_->wordCountText());
    lblCPagenum_->setText(pages_->pageText());
    lblTPagenum_->setText(pages_->pageCountText());
    const PageButtons shown = pages_->pageButtons();
    next_->setVisible(shown.next);
    before_->setVisible(shown.before);
    drawRows();
}

void PagedScreen::turn(bool forward)
{
    if (forward ? pages_->nextPage() : pages_->previousPage()) {
        refresh();
        pageTurned();
    }
}

void PagedScreen::pageDownKey()
{
    turn(true);
}

void PagedScreen::pageUpKey()
{
    turn(false);
}
