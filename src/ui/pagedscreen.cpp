#include "ui/pagedscreen.h"

#include "drills/drillsession.h"
#include "ui/layout.h"
#include "ui/pictures.h"
#include "ui/screenregistry.h"
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

    before_ = addButton(QStringLiteral("Before"), Pictures::btn(3), Pictures::btn(4), L::imgBefore);
    styleCaption(before_->addCaption(QStringLiteral("前へ"), L::lblBefore));
    next_ = addButton(QStringLiteral("Next"), Pictures::btn(1), Pictures::btn(2), L::imgNext);
    styleCaption(next_->addCaption(QStringLiteral("次へ"), L::lblNext));
    ImageButton* back = addButton(QStringLiteral("Back"), Pictures::btn(1), Pictures::btn(2), L::imgBack);
    styleCaption(back->addCaption(QStringLiteral("戻る"), L::lblBack));
    ImageButton* help = addButton(QStringLiteral("Help"), Pictures::btn(7), Pictures::btn(8), L::imgHelp);
    ImageButton* exit = addButton(
        QStringLiteral("Exit"), QPixmap(), [] { return Pictures::btn(6); }, L::imgExit);

    connect(next_, &ImageButton::clicked, this, [this] { turn(true); });
    connect(before_, &ImageButton::clicked, this, [this] { turn(false); });
    connect(back, &ImageButton::clicked, this, [this] { this->back(); });
    connect(help, &ImageButton::clicked, this, [this, helpPage] { (void)this->screens().showHelp(helpPage, this); });
    connect(exit, &ImageButton::clicked, this, [this] { this->screens().confirmExit(this); });
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
