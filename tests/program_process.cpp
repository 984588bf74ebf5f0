#include "program_process.h"

#include <gtest/gtest.h>
#include <QDir>
#include <QProcess>
#include <QProcessEnvironment>

Finished RunProgram(const QString& program, const QStringList& args, const QString& workingFolder,
                    const QString& home) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"})
        env.remove(QString::fromLatin1(name));
    env.insert("HOME", home);
    env.insert("XDG_CONFIG_HOME", QDir(home).filePath(".config"));
    QProcess process;
    process.setProcessEnvironment(env);
    process.setWorkingDirectory(workingFolder);
    process.start(program, args);
    Finished f;
    if (!process.waitForFinished(120000)) {
        ADD_FAILURE() << program.toStdString() << " did not finish";
        process.kill();
        process.waitForFinished();
        return f;
    }
    EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
    f.status = process.exitCode();
    f.out = QString::fromUtf8(process.readAllStandardOutput());
    f.err = QString::fromUtf8(process.readAllStandardError());
    return f;
}
