#include "drilldriver.h"

#include "core/pinyin.h"
#include "core/tovak.h"
#include "ui/drills/frmListP1.h"
#include "ui/drills/frmListP2.h"
#include "ui/drills/frmListR.h"
#include "ui/screenregistry.h"

#include <QLabel>
#include <QLineEdit>
#include <QtTest>

void openOn(Tovak& t, const QList<qint16>& words)
{
    t.CurrentWordList = words;
    t.CurrentWordCount = static_cast<qint16>(words.size());
    t.DrillMode = 1;
}

QList<qint16> firstWords(int n)
{
    QList<qint16> words;
    for (int k = 1; k <= n; ++k)
        words.append(static_cast<qint16>(k));
    return words;
}

DrillScreen& loadDrill(ScreenRegistry& screens, const QString& name)
{
    DrillScreen* d = nullptr;
    if (name == QLatin1String("frmListP2"))
        d = &screens.screen<frmListP2>();
    else if (name == QLatin1String("frmListP1"))
        d = &screens.screen<frmListP1>();
    else
        d = &screens.screen<frmListR>();
    d->init();
    return *d;
}

QLabel* labelOf(QWidget* screen, const QString& name)
{
    auto* l = screen->findChild<QLabel*>(name);
    if (!l)
        qFatal("no control %s", qPrintable(name));
    return l;
}

QLineEdit* boxOf(QWidget* screen, int row)
{
    auto* b = screen->findChild<QLineEdit*>(QStringLiteral("txtTerm(%1)").arg(row));
    if (!b)
        qFatal("no answer box %d", row);
    return b;
}

int pageSizeOf(const QWidget* screen)
{
    return screen->objectName() == QLatin1String("frmListR") ? 10 : 12;
}

void answerPage(QWidget* drill, Tovak& t, const RightAt& right)
{
    const int size = pageSizeOf(drill);
    const bool typed = size == 12;
    for (int r = 0; r < size; ++r) {
        const int p = (t.CurrentPage - 1) * size + r;
        if (p >= t.CurrentWordCount)
            break;
        const qint16 w = t.CurrentWordList[p];
        if (typed) {
            const QString& pinyin = t.db.word(w, WordField::Pinyin);
            const QString expected = drill->objectName() == QLatin1String("frmListP2") ? getToneDigits(pinyin) : pinyin;
            QLineEdit* box = boxOf(drill, r);
            box->setFocus();
            box->selectAll();
            QTest::keyClick(box, Qt::Key_Backspace);
            QTest::keyClicks(box, right(p) ? expected : QStringLiteral("x"));
        } else {
            const QString& own = t.db.word(w, WordField::Translation);
            const qsizetype at = t.ChoiceSets[p].indexOf(own);
            const qsizetype pick = right(p) ? at : (at + 1) % 4;
            QTest::mouseClick(labelOf(drill, QStringLiteral("lblJp%1(%2)").arg(pick + 1).arg(r)), Qt::LeftButton);
        }
    }
}

void answerAll(QWidget* drill, Tovak& t, const RightAt& right)
{
    answerPage(drill, t, right);
    while (t.CurrentPage < t.PageCount) {
        QTest::keyClick(drill, Qt::Key_PageDown);
        answerPage(drill, t, right);
    }
}

void clickButton(QWidget* screen, const QString& suffix)
{
    QTest::mouseClick(labelOf(screen, QStringLiteral("img") + suffix), Qt::LeftButton);
}

void passTime(QWidget* drill, qint64 ms)
{
    auto* d = qobject_cast<DrillScreen*>(drill);
    QVERIFY(d);
    const char* key = "testClockMs";
    if (!d->property(key).isValid()) {
        d->setProperty(key, d->now());
        d->setClock([d, key] { return d->property(key).toLongLong(); });
    }
    d->setProperty(key, d->property(key).toLongLong() + ms);
}
