#pragma once

#include <QImage>
#include <QList>
#include <QPair>
#include <QString>

QList<QPair<QString, QImage>> renderMockups(const QList<QString>& chars);
