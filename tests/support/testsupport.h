#pragma once

#include "core/audiooutput.h"

#include "app/startup.h"
#include "core/tovak.h"

#include <QObject>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <memory>

// A fresh shared state with the tables loaded, a fixed seed and a statistics
// file in a temporary folder of its own.
struct TestState {
    explicit TestState(quint32 seed = 12345, bool loadTables = true);
    QString iniPath() const { return dir.filePath(QStringLiteral("conf.ini")); }

    QTemporaryDir dir;
    std::unique_ptr<Tovak> tovak;
};

// Writes a conf.ini that holds only the review lists of reviews.
bool writeReviewIni(const QString& path, const ReviewTable& reviews);
// A state last graded on lastDay with that stability (difficulty 5).
WordReview reviewState(qint32 lastDay, double stability);

// A WAV header as espeak-ng writes it to a pipe, both length fields far too
// large: for stand-ins of the synthesizer.
QByteArray wavHeader(quint16 format, quint16 channels, quint32 rate, quint16 bits);

class QTimer;
class QWidget;
class ScreenRegistry;
class frmTOC;

// The main menu once start-up has shown it, else null.
frmTOC* shownMainMenu(ScreenRegistry& screens);

// Screenshot tests: the folder named by RUMENA_SCREENSHOTS, made when missing;
// empty when the variable is not set (the test then skips).
QString screenshotFolder();
// Shows w and writes what it looks like to folder/name.png; false on failure.
bool saveScreenshot(QWidget& w, const QString& folder, const QString& name);

// What every screen test starts from: a registry over a fresh state, whose
// program end is only counted and whose web links are only recorded, with the
// message-box record cleared. Test classes inherit it and call setUp/tearDown
// from their init and cleanup slots.
//
// A watchdog ends every open screen (as the program's end does) when a test
// has run for longer than any test should, so a screen left open never
// blocks the run; the test then fails on quits.
// An audio output that plays nothing and tells that it played.
class SilentOutput : public AudioOutput {
  public:
    ~SilentOutput() override;
    void play(const QByteArray& pcm, int sampleRate, Events events) override;
    void stop() override;
    void prepare() override {}
    bool probe(int) override { return !failing_; }
    // Failing, it opens nothing: every word fails as an output without a server does.
    void setFailing(bool failing) { failing_ = failing; }

  private:
    QObject context_; // its timers end with the output
    quint64 word_ = 0;
    bool failing_ = false;
};

struct ScreenFixture {
    ScreenFixture();
    ~ScreenFixture();
    // loadTables: the study tables too, for screens that show words.
    void setUp(bool loadTables = false);
    void tearDown();
    // Loads the tables and shows the main menu, as start-up does.
    frmTOC& shownMenu();

    std::unique_ptr<TestState> state;
    std::unique_ptr<ScreenRegistry> screens;
    int quits = 0;
    QStringList opened;
    std::unique_ptr<QTimer> watchdog;
};

class QWidget;

// What a screen reader would find wrong on a shown screen: every control made
// clickable (onClick) or showing the pointing hand must be a push button with a
// name and a press action. One line per fault, naming the control; empty when
// there is none.
QStringList accessibilityFaults(QWidget* screen);

// The objectNames of the controls Tab visits on a shown screen, once round,
// starting after the control that has the focus.
QStringList tabOrder(QWidget* screen);
