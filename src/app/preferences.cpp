#include "app/preferences.h"

#include <QDir>
#include <QStandardPaths>

namespace {

const QString kValuesPanel = QStringLiteral("run/valuesPanel");

}  // namespace

QString Preferences::DefaultFile() {
    return QDir(QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation))
        .filePath(QStringLiteral("quillrun.conf"));
}

Preferences::Preferences() : Preferences(DefaultFile()) {}

Preferences::Preferences(const QString& file) : settings_(file, QSettings::IniFormat) {}

bool Preferences::ValuesPanelOpen() const {
    return settings_.value(kValuesPanel, false).toBool();
}

void Preferences::SetValuesPanelOpen(bool open) {
    settings_.setValue(kValuesPanel, open);
}
