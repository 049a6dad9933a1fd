#include "ui/info/frmHelp.h"

#include "core/tovak.h"
#include "ui/layout.h"
#include "ui/pictures.h"
#include "ui/screenregistry.h"
#include "ui/screenstyle.h"

#include <algorithm>

namespace L = Layout::frmHelp;

namespace {
const QColor entryColour(0, 0, 255);
const QColor hoveredEntryColour(255, 0, 0);
} // namespace

frmHelp::frmHelp(ScreenRegistry& screens)
    : ScreenBase(screens, QStringLiteral("frmHelp"), Pictures::background(QStringLiteral("frmHelp")), Layout::helpSize)
{
    const QColor ink = QColor::fromRgb(Layout::Palette::ink);
    lblType_ = makeLabel(this, QStringLiteral("lblType"), QString(), L::lblType,
                         QColor::fromRgb(Layout::Palette::headerInk), 20, true);

    const auto captions = helpContentsCaptions();
    // The entries share the paper's height; seven stood 40 px apart.
    const int pitch = std::min(40, (L::paper.height() - 20) / HelpTopicCount);
    for (int k = 0; k < HelpTopicCount; ++k) {
        QLabel* entry = makeLabel(this, QStringLiteral("lblContents(%1)").arg(k), captions[static_cast<size_t>(k)],
                                  L::lblContents(k, pitch), entryColour, 17);
        entry->setCursor(Qt::PointingHandCursor);
        lblContents_[static_cast<size_t>(k)] = entry;
        onEnter(entry, [this, k] { highlightEntry(k); });
        onClick(entry, [this, k] { turnTo(k + 1); });
    }

    lblComment_ = makeLabel(this, QStringLiteral("lblComment"), QString(), L::lblComment, ink, 15, false,
                            Qt::AlignLeft | Qt::AlignTop);
    lblComment_->setWordWrap(true);

    ImageButton* next = addButton(QStringLiteral("Next"), Pictures::btn(1), Pictures::btn(2), L::imgNext);
    next->addCaption(QStringLiteral("次へ"), L::lblNext);
    ImageButton* before = addButton(QStringLiteral("Before"), Pictures::btn(3), Pictures::btn(4), L::imgBefore);
    before->addCaption(QStringLiteral("前へ"), L::lblBefore);
    ImageButton* back = addButton(QStringLiteral("Back"), Pictures::btn(1), Pictures::btn(2), L::imgBack);
    back->addCaption(QStringLiteral("閉じる"), L::lblBack);
    ImageButton* exit = addButton(QStringLiteral("Exit"), QPixmap(), Pictures::btn(6), L::imgExit);
    for (ImageButton* b : {next, before, back}) {
        QFont f = b->caption()->font();
        f.setPixelSize(14);
        b->caption()->setFont(f);
        setTextColour(b->caption(), QColor::fromRgb(Layout::Palette::ink));
    }

    connect(next, &ImageButton::clicked, this, [this] { turnTo(tovak().HelpPage + 1); });
    connect(before, &ImageButton::clicked, this, [this] { turnTo(tovak().HelpPage - 1); });
    connect(back, &ImageButton::clicked, this, &frmHelp::back);
    connect(exit, &ImageButton::clicked, this, [this] { this->screens().confirmExit(this); });

    QList<QWidget*> order = {exit->picture()};
    for (QLabel* entry : lblContents_)
        order << entry;
    setReadingOrder(order << before->picture() << next->picture() << back->picture());
}

void frmHelp::load()
{
    HelpPages = helpPages();
}

void frmHelp::setHelp(qint16 page)
{
    const bool contents = page == 0;
    for (QLabel* entry : lblContents_)
        entry->setVisible(contents);
    lblComment_->setVisible(!contents);
    if (contents) {
        lblType_->setText(helpContentsTitle());
    } else {
        const HelpEntry& e = HelpPages[static_cast<size_t>(page)];
        lblType_->setText(e.title);
        lblComment_->setText(e.text);
    }
    button(QStringLiteral("Before"))->setVisible(page != 0);
    button(QStringLiteral("Next"))->setVisible(page != LastHelpPage);
}

void frmHelp::turnTo(int page)
{
    if (page < 0 || page > LastHelpPage)
        return;
    tovak().HelpPage = static_cast<qint16>(page);
    setHelp(tovak().HelpPage);
}

void frmHelp::pageDownKey()
{
    if (tovak().HelpPage < LastHelpPage)
        turnTo(tovak().HelpPage + 1);
}

void frmHelp::pageUpKey()
{
    if (tovak().HelpPage > 0)
        turnTo(tovak().HelpPage - 1);
}

void frmHelp::highlightEntry(int k)
{
    for (int i = 0; i < HelpTopicCount; ++i)
        setTextColour(lblContents_[static_cast<size_t>(i)], i == k ? hoveredEntryColour : entryColour);
}

void frmHelp::resetHover()
{
    ScreenBase::resetHover();
    highlightEntry(-1);
}
