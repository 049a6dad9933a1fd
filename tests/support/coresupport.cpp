#include "coresupport.h"

#include <QFile>

const DB& studyTables()
{
    static const DB db = [] {
        DB d;
        d.initCharTable();
        d.initWordTable();
        return d;
    }();
    return db;
}

QByteArray readBytes(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool writeBytes(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}
