#pragma once
// Files a test lays out on disk and reads back.

#include <gtest/gtest.h>

#include <QByteArray>
#include <QFile>
#include <QString>

// Writes bytes to path, all of them, or fails the test.
inline void WriteFile(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly)) << path.toStdString();
    ASSERT_EQ(f.write(bytes), bytes.size()) << path.toStdString();
}

// The bytes of path; none when it cannot be read.
inline QByteArray ReadFile(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}
