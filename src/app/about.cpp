#include "app/about.h"

#include "app/command_line.h"

#include <QtGlobal>

QString AboutText() {
    return VersionText(QStringLiteral("Quillrun")) + QStringLiteral("\nQt ") +
           QString::fromLatin1(qVersion());
}
