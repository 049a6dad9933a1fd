#include "ui/drills/frmListP2.h"

#include "ui/layout.h"

frmListP2::frmListP2(ScreenRegistry& screens)
    : TypedDrillScreen(screens, QStringLiteral("frmListP2"), DrillKind::ToneDrill, Layout::frmListP2::txtTerm)
{
}
