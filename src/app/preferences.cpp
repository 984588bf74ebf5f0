#include "app/preferences.h"

#include "app/language.h"

#include <QDir>
#include <QStandardPaths>

namespace {

const QString kValuesPanel = QStringLiteral("run/valuesPanel");
const QString kWindowFrame = QStringLiteral("window/frame");
const QString kTimerInterval = QStringLiteral("run/timerInterval");
const QString kLanguage = QStringLiteral("language");

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

std::optional<QRect> Preferences::WindowFrame() const {
    const QRect frame = settings_.value(kWindowFrame).toRect();
    if (!frame.isValid()) return std::nullopt;
    return frame;
}

void Preferences::SetWindowFrame(const QRect& frame) {
    settings_.setValue(kWindowFrame, frame);
}

std::optional<QString> Preferences::TimerInterval() const {
    if (!settings_.contains(kTimerInterval)) return std::nullopt;
    return settings_.value(kTimerInterval).toString();
}

void Preferences::SetTimerInterval(const QString& text) {
    settings_.setValue(kTimerInterval, text);
}

QString Preferences::Language() const {
    const QString language = settings_.value(kLanguage).toString();
    return language == kEnglish ? language : QString();
}

void Preferences::SetLanguage(const QString& language) {
    settings_.setValue(kLanguage, language);
}
