#include "ui/browse/frmListC.h"

#include "core/info/helppages.h"
#include "core/tovak.h"
#include "ui/layout.h"
#include "ui/screenstyle.h"

namespace L = Layout::frmListC;

frmListC::frmListC(ScreenRegistry& screens)
    : CharListScreen(screens, QStringLiteral("frmListC"), CharListStyle::Ranking, HelpRankings)
{
    const QColor ink = QColor::fromRgb(Layout::Palette::ink);
    const Qt::Alignment right = Qt::AlignRight | Qt::AlignVCenter;
    makeLabel(this, QStringLiteral("lblCountPrefix"), QStringLiteral("総漢字数："), L::lblCountPrefix, ink, 14);
    lblCount_ = makeLabel(this, QStringLiteral("lblCount"), QString(), L::lblCount, ink, 14, true, right);
    makeLabel(this, QStringLiteral("lblCountSuffix"), QStringLiteral("問"), L::lblCountSuffix, ink, 14);
    makeLabel(this, QStringLiteral("lblPage"), QStringLiteral("page"), L::lblPage, ink, 14);
    lblCPagenum_ = makeLabel(this, QStringLiteral("lblCPagenum"), QString(), L::lblCPagenum, ink, 14, true, right);
    lblTPagenum_ = makeLabel(this, QStringLiteral("lblTPagenum"), QString(), L::lblTPagenum, ink, 14);
}

void frmListC::init()
{
    lblType_->setText(charListTitle(tovak()));
    lblCount_->setText(QString::number(tovak().CurrentCharCount));
    CharListScreen::init();
    lblTPagenum_->setText(u'/' + QString::number(pages().listPageCount()));
}

void frmListC::pageShown()
{
    lblCPagenum_->setText(QString::number(pages().listPage()));
}
