#include "ui/browse/frmExamTOC.h"

#include "core/browse/charlists.h"
#include "core/info/helppages.h"
#include "core/tovak.h"
#include "ui/browse/frmExamListC.h"
#include "ui/layout.h"
#include "ui/pictures.h"
#include "ui/screenregistry.h"
#include "ui/screenstyle.h"

#include <QLabel>

namespace L = Layout::frmExamTOC;

frmExamTOC::frmExamTOC(ScreenRegistry& screens)
    : ScreenBase(screens, QStringLiteral("frmExamTOC"), Pictures::background(QStringLiteral("frmExamTOC")),
                 Layout::screenSize)
{
    makeLabel(this, QStringLiteral("lblType"), QStringLiteral("第51回試験必勝分析"), L::lblType,
              QColor::fromRgb(Layout::Palette::headerInk), 22, true);
    // The title art is part of the background.
    auto* title = new QLabel(this);
    title->setObjectName(QStringLiteral("imgTitle"));
    title->setGeometry(L::imgTitle);

    for (int k = 1; k <= 3; ++k) {
        ImageButton* item = addButton(
            QStringLiteral("Contents(%1)").arg(k), QPixmap(),
            [k] { return Pictures::contents(QStringLiteral("frmExamTOC"), k); }, L::imgContents(k));
        // Named as the picture reads; the comment the mouse would bring up explains it.
        item->setAccessibleName(examListTitle(k));
        item->picture()->setAccessibleDescription(examMenuTexts()[static_cast<size_t>(k)]);
        connect(item, &ImageButton::entered, this, [this, k] { showComment(k); });
        connect(item, &ImageButton::clicked, this, [this, k] { openList(k); });
    }

    lblPandaComment_ = makeLabel(this, QStringLiteral("lblPandaComment"), QString(), L::lblPandaComment,
                                 QColor::fromRgb(Layout::Palette::ink), 15, false, Qt::AlignLeft | Qt::AlignTop);
    lblPandaComment_->setWordWrap(true);

    addBackHelpExit(HelpOther);
    QList<QWidget*> items;
    for (int k = 1; k <= 3; ++k)
        items << button(QStringLiteral("Contents(%1)").arg(k))->picture();
    setFramedReadingOrder(items);
}

void frmExamTOC::load()
{
    tovak().stats.loadStatistics();
    showComment(0);
}

void frmExamTOC::resetHover()
{
    ScreenBase::resetHover();
    showComment(0);
}

void frmExamTOC::showComment(int index)
{
    lblPandaComment_->setText(examMenuTexts()[static_cast<size_t>(index)]);
}

void frmExamTOC::openList(int k)
{
    auto& list = screens().screen<frmExamListC>();
    list.setInit(static_cast<ExamListKind>(k));
    list.init();
    (void)screens().exec(list, this);
}
