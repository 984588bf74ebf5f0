#include "app/about.h"

#include "app/command_line.h"
#include "model/translation.h"

#include <QtGlobal>

QString AboutText() {
    return QCoreApplication::translate("Quillrun",
                                       "データフロー図を描き、一歩ずつ実行して値の流れを見る"
                                       "プログラムです。") +
           QStringLiteral("\n\n") + VersionText(QStringLiteral("Quillrun")) +
           QStringLiteral("\nQt ") + QString::fromLatin1(qVersion());
}
