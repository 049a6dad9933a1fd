#include "ui/browse/charlistscreen.h"

#include "core/tovak.h"
#include "ui/browse/frmChar.h"
#include "ui/layout.h"
#include "ui/pictures.h"
#include "ui/screenregistry.h"
#include "ui/screenstyle.h"

#include <QLabel>

namespace L = Layout::CharRows;

namespace {
// The glyph label is one pixel larger than the glyph on every side, so the
// border goes round the glyph without covering it.
QRect glyphBox(int r)
{
    return L::imgTovak(r).adjusted(-1, -1, 1, 1);
}
} // namespace

CharListScreen::CharListScreen(ScreenRegistry& screens, const QString& name, CharListStyle style, qint16 helpPage)
    : ScreenBase(screens, name, Pictures::background(name), Layout::screenSize), pages_(screens.tovak(), style)
{
    const QColor ink = QColor::fromRgb(Layout::Palette::ink);
    lblType_ = makeLabel(this, QStringLiteral("lblType"), QString(), Layout::lblTypeTitle,
                         QColor::fromRgb(Layout::Palette::headerInk), 22, true);
    for (int r = 0; r < CharListPages::PageSize; ++r) {
        const auto i = static_cast<size_t>(r);
        lblNo_[i] = makeLabel(this, QStringLiteral("lblNo(%1)").arg(r), QString(), L::lblNo(r), ink, 14, false,
                              Qt::AlignCenter);
        lblLatter_[i] = makeLabel(this, QStringLiteral("lblLatter(%1)").arg(r), QString(), L::lblLatter(r), ink, 14,
                                  false, Qt::AlignCenter);
        lblTermNum_[i] = makeLabel(this, QStringLiteral("lblTermNum(%1)").arg(r), QString(), L::lblTermNum(r), ink, 14,
                                   false, Qt::AlignCenter);
        auto* glyph = new QLabel(this);
        glyph->setObjectName(QStringLiteral("imgTovak(%1)").arg(r));
        glyph->setGeometry(glyphBox(r));
        glyph->setAlignment(Qt::AlignCenter);
        glyph->setFrameShadow(QFrame::Plain);
        setTextColour(glyph, ink); // the border's colour
        glyph->setCursor(Qt::PointingHandCursor);
        glyph->hide();
        onEnter(glyph, [this, r] { setBorder(r, true); });
        onClick(glyph, [this, r] { openCharacter(r); });
        imgTovak_[i] = glyph;
    }

    addPageButtons(
        [this] {
            if (pages_.previousPage())
                showPage();
        },
        [this] {
            if (pages_.nextPage())
                showPage();
        });
    addBackHelpExit(helpPage);
    setFramedReadingOrder({imgTovak_.begin(), imgTovak_.end()});
}

void CharListScreen::init()
{
    pages_.init();
    showPage();
}

void CharListScreen::showPage()
{
    const PageButtons shown = pages_.pageButtons();
    button(QStringLiteral("Next"))->setVisible(shown.next);
    button(QStringLiteral("Before"))->setVisible(shown.before);
    for (int r = 0; r < CharListPages::PageSize; ++r) {
        const auto i = static_cast<size_t>(r);
        const CharListRow row = pages_.row(r);
        lblNo_[i]->setText(row.no);
        lblLatter_[i]->setText(row.latter);
        lblTermNum_[i]->setText(row.termNum);
        showGlyph(imgTovak_[i], tovak().db, row.shown ? row.ckey : 0);
        imgTovak_[i]->setVisible(row.shown);
    }
    pageShown();
}

void CharListScreen::resetHover()
{
    ScreenBase::resetHover();
    for (int r = 0; r < CharListPages::PageSize; ++r)
        setBorder(r, false);
}

bool CharListScreen::glyphBordered(int row) const
{
    return imgTovak_[static_cast<size_t>(row)]->frameShape() == QFrame::Box;
}

void CharListScreen::setBorder(int row, bool on)
{
    imgTovak_[static_cast<size_t>(row)]->setFrameShape(on ? QFrame::Box : QFrame::NoFrame);
}

void CharListScreen::pageDownKey()
{
    if (pages_.listPage() < pages_.listPageCount())
        button(QStringLiteral("Next"))->click();
}

void CharListScreen::pageUpKey()
{
    if (pages_.listPage() > 1)
        button(QStringLiteral("Before"))->click();
}

void CharListScreen::openCharacter(int row)
{
    Tovak& t = tovak();
    t.cno = static_cast<qint16>(pages_.positionOf(row));
    auto& detail = screens().screen<frmChar>();
    detail.setFrmChar(t.CurrentCharList[t.cno]);
    (void)screens().exec(detail, this);
}
