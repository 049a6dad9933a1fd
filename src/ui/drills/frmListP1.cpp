#include "ui/drills/frmListP1.h"

#include "ui/layout.h"

frmListP1::frmListP1(ScreenRegistry& screens)
    : TypedDrillScreen(screens, QStringLiteral("frmListP1"), DrillKind::PinyinDrill, Layout::frmListP1::txtTerm)
{
}
