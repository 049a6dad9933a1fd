#pragma once

// The program's pictures, compiled in as resources under ":/pictures". Lists are
// numbered from 1; each picture is decoded the first time it is asked for and kept.
// On a high-DPI screen the @2x file is decoded instead, at device pixel ratio 2.

#include <QIcon>
#include <QPixmap>
#include <QString>

namespace Pictures {
QPixmap btn(int n);                             // ilBtn 1..8, 9 a launcher not offered now
QPixmap panda(int n);                           // ilPanda 1..4, smallest to fully grown
QPixmap contents(const QString& screen, int n); // "frmTOC" 1..contentsCount or "frmExamTOC" 1..3
QPixmap maruBatu(int n);                        // 1 correct, 2 wrong
QPixmap smallMark(int n);                       // ilMaruBatuS, the exam paper's: 1 correct, 2 wrong
// ilSwitch 1 音声：オン, 2 音声：オフ, 3 ゆっくり：オン, 4 ゆっくり：オフ, 5..8 the same under the
// mouse, 9 the review line's ground, 10 under the mouse
QPixmap speechSwitch(int n);
QPixmap speaker(int n);                    // ilSpeaker 1 normal, 2 hover, 3 speech unavailable
QPixmap countdown(int n);                  // ilCountdown 1 試験まであと, 2 日, 3 試験は今日です
QPixmap background(const QString& screen); // frmListP1, frmListP2, frmListDui share one
// Start-up: decodes on a second thread what the main menu shows first and the
// window icon, while the splash screen's timer runs; asking for one of them
// then waits for it.
void prefetchMainMenu();
// Lets go of a background no screen will show again (the splash screen's).
void releaseBackground(const QString& screen);
QPixmap searchMask(); // covers the launch buttons of the word search
QIcon appIcon();
// The program's icon comes in the sizes a desktop's icon theme asks for; the
// window icon carries those up to largestWindowIcon.
inline constexpr int iconSizes[] = {16, 32, 48, 64, 128, 256};
inline constexpr int largestWindowIcon = 64;
} // namespace Pictures

// GlyphSet: glyph of a character key, 1..804; 804 (no character) is blank.
QPixmap loadGlyph(int ckey);

class DB;
class QLabel;
// Shows the glyph of ckey in picture and names the picture by its character,
// so a screen reader reads the character the learner sees; 0 clears both.
void showGlyph(QLabel* picture, const DB& db, int ckey);
