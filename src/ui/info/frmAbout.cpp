#include "ui/info/frmAbout.h"

#include "core/version.h"
#include "data/provenance.h"
#include "ui/layout.h"
#include "ui/pictures.h"
#include "ui/screenregistry.h"
#include "ui/screenstyle.h"

#include <QKeyEvent>

namespace L = Layout::frmAbout;

frmAbout::frmAbout(ScreenRegistry& screens)
    : ScreenBase(screens, QStringLiteral("frmAbout"), Pictures::background(QStringLiteral("frmAbout")),
                 Layout::screenSize)
{
    const QColor ink = QColor::fromRgb(Layout::Palette::ink);
    const QColor heading = QColor::fromRgb(Layout::Palette::bamboo);
    const QString url = QString::fromUtf8(Maker::url);
    const struct {
        const char* name;
        QString text;
        QRect geometry;
        QColor colour;
        bool bold;
    } labels[] = {
        {"Label9", QStringLiteral("Ver1.0 ："), L::Label9, ink, false},
        {"Label8", QStringLiteral("2004年02月16日"), L::Label8, ink, false},
        {"Label7", QStringLiteral("【更新履歴】"), L::Label7, heading, true},
        {"Label4", QStringLiteral("【連絡先】"), L::Label4, heading, true},
        {"Label3", QStringLiteral("Web    ："), L::Label3, ink, false},
        {"lblURL", url, L::lblURL, QColor(0, 0, 255), false},
        {"Label2", QStringLiteral("E-mail ："), L::Label2, ink, false},
        {"Label1", QString::fromUtf8(Maker::mail), L::Label1, ink, false},
        {"lblDataTitle", QStringLiteral("【データについて】"), L::lblDataTitle, heading, true},
    };
    for (const auto& l : labels)
        makeLabel(this, QString::fromLatin1(l.name), l.text, l.geometry, l.colour, 15, l.bold);
    QLabel* note = makeLabel(this, QStringLiteral("lblDataNote"), dataEstimateNote(), L::lblDataNote, ink, 13, false,
                             Qt::AlignLeft | Qt::AlignTop);
    note->setWordWrap(true);

    // Beside the painted subtitle and in its face, so it reads as part of that line.
    QLabel* version =
        makeLabel(this, QStringLiteral("lblVersion"), QStringLiteral("Version ") + QString::fromLatin1(Version::number),
                  L::lblVersion, QColor::fromRgb(Layout::Palette::landscape), 18, true);
    QFont vf = version->font();
    vf.setFamily(QStringLiteral("Noto Sans CJK JP"));
    version->setFont(vf);

    QLabel* link = findChild<QLabel*>(QStringLiteral("lblURL"));
    QFont f = link->font();
    f.setUnderline(true);
    link->setFont(f);
    link->setCursor(Qt::PointingHandCursor);
    // The box stays open: the learner may want the address again.
    onClick(link, [this, url] { this->screens().openWebPage(url); });
}

void frmAbout::keyPressEvent(QKeyEvent* e)
{
    // A box that only informs: Enter dismisses it as Esc does.
    if (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) {
        e->accept();
        back();
        return;
    }
    ScreenBase::keyPressEvent(e);
}
