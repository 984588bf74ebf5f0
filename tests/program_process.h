#pragma once
// Starting one of the real programs for a test: without a display, in a working folder, with a
// home and configuration folder of the test's own, waiting until it ends.

#include <QString>
#include <QStringList>

struct Finished {
    int status = -1;
    QString out, err;
};

Finished RunProgram(const QString& program, const QStringList& args, const QString& workingFolder,
                    const QString& home);
