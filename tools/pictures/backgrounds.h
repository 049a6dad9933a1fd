#pragma once

#include <QImage>
#include <QString>
#include <QStringList>

// Screens that have a background of their own, in the order of the contact sheet.
QStringList backgroundScreens();
QImage renderBackground(const QString& screen, int scale);
// Hover faces of the menu items, drawn with the same card as the background.
QImage renderMenuHighlight(const QString& screen, int item, int scale);
int menuItemCount(const QString& screen);
QImage renderSearchMask(int scale);
// The main menu's speech switches: 1 音声：オン, 2 音声：オフ, 3 ゆっくり：オン, 4 ゆっくり：オフ;
// 5 to 8 the same under the mouse.
QImage renderSpeechSwitch(int n, int scale);
// The review line of the main menu: at rest, or under the mouse.
QImage renderReviewPlate(bool hovered, int scale);
// The main menu's countdown words: 1 試験まであと, 2 日 (the number between them is a label), 3 試験は今日です.
QImage renderCountdown(int n, int scale);
