#include "app/settings_file.h"

#include "model/cp932.h"
#include "model/form_controls.h"
#include "model/item_file.h"
#include "model/session.h"
#include "model/shared_state.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

namespace {

const QString kSettingsName = QStringLiteral("mySys.!!!");

// A path the settings file cannot hold as it is (a character code page 932 lacks, or a double
// quote) is not remembered: read back changed, it would name another file.
QString Storable(const QString& path) {
    return !path.contains(u'"') && FromCp932(ToCp932(path)) == path ? path : QString();
}

QString InFolder(QString folder) {
    if (!folder.endsWith(u'/')) folder += u'/';
    return folder + kSettingsName;
}

}  // namespace

QString SettingsFilePath(const FormControls& frm) {
    if (frm.AppPath.isEmpty()) return {};
    const QFileInfo folder(frm.AppPath);
    if (folder.isDir() && folder.isWritable()) return InFolder(frm.AppPath);
    const QString config = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
    // With no configuration folder at all the program's folder is all there is; writing
    // there then fails silently.
    return config.isEmpty() ? InFolder(frm.AppPath) : InFolder(config);
}

void ReadSettingsFile(Session& s) {
    const QString path = SettingsFilePath(s.frm);
    // Only a plain file: opening a pipe of that name would wait for a writer for ever.
    if (path.isEmpty() || !QFileInfo(path).isFile()) return;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return;
    ItemReader in(file.readAll());
    if (!in.ReadString(s.st.FileName)) return;
    if (!in.ReadString(s.st.ImageFileName)) return;
    for (MenuEntry& entry : s.frm.mnuFilename) {
        QString caption;
        if (!in.ReadString(caption)) break;
        entry.Caption = caption;
        entry.Visible = !caption.isEmpty();
    }
}

void WriteSettingsFile(Session& s) {
    const QString path = SettingsFilePath(s.frm);
    if (path.isEmpty()) return;
    ItemWriter out;
    out.String(Storable(s.st.FileName));
    out.EndLine();
    out.String(Storable(s.st.ImageFileName));
    out.EndLine();
    for (const MenuEntry& entry : s.frm.mnuFilename) {
        out.String(Storable(entry.Caption));
        out.EndLine();
    }
    // The configuration folder may not exist yet; the program's folder is never created.
    const QString folder = QFileInfo(path).absolutePath();
    if (folder != QDir::cleanPath(QFileInfo(s.frm.AppPath).absoluteFilePath()))
        QDir().mkpath(folder);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return;
    file.write(out.Bytes());
    file.commit();
}
