#include "app/settings_file.h"

#include "app/file_writing.h"
#include "model/cp932.h"
#include "model/form_controls.h"
#include "model/item_file.h"
#include "model/session.h"
#include "model/shared_state.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QStringList>
#include <algorithm>

namespace {

const QString kSettingsName = QStringLiteral("mySys.!!!");

constexpr char kByteOrderMark[] = "\xEF\xBB\xBF";

// A path with a double quote cannot be written as an item: it is not remembered.
QString Storable(const QString& path) {
    return path.contains(u'"') ? QString() : path;
}

bool FitsCodePage932(const QString& text) {
    return FromCp932(ToCp932(text)) == text;
}

QString InFolder(QString folder) {
    if (!folder.endsWith(u'/')) folder += u'/';
    return folder + kSettingsName;
}

bool IsPlainFile(const QString& path) {
    return !path.isEmpty() && QFileInfo(path).isFile();
}

// Installed, the programs lie in <prefix>/lib/quillrun (the packages' /usr/lib/quillrun); a build
// folder has another name.
bool IsInstalledProgramFolder(const QString& folder) {
    const QString path = QDir::cleanPath(QFileInfo(folder).absoluteFilePath());
    return path.endsWith(QStringLiteral("/" QUILLRUN_PROGRAM_DIR));
}

}  // namespace

SettingsPlaces FindSettingsPlaces(const FormControls& frm) {
    SettingsPlaces places;
    if (frm.AppPath.isEmpty()) return places;
    places.programFile = InFolder(frm.AppPath);
    const QFileInfo folder(frm.AppPath);
    places.programFolderWritable = folder.isDir() && folder.isWritable();
    places.programFolderInstalled = IsInstalledProgramFolder(frm.AppPath);
    const QString config = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
    if (!config.isEmpty()) places.configFile = InFolder(config);
    return places;
}

QString SettingsFileToWrite(const SettingsPlaces& places) {
    if (places.programFile.isEmpty()) return {};
    if (places.programFolderInstalled) return places.configFile;
    if (places.programFolderWritable || places.configFile.isEmpty()) return places.programFile;
    return places.configFile;
}

QString SettingsFileToRead(const SettingsPlaces& places) {
    const QString written = SettingsFileToWrite(places);
    if (written != places.configFile || IsPlainFile(written)) return written;
    return IsPlainFile(places.programFile) ? places.programFile : written;
}

QString SettingsFilePath(const FormControls& frm) {
    return SettingsFileToWrite(FindSettingsPlaces(frm));
}

void ReadSettingsFile(Session& s) {
    const QString path = SettingsFileToRead(FindSettingsPlaces(s.frm));
    // Only a plain file: opening a pipe of that name would wait for a writer for ever.
    if (!IsPlainFile(path)) return;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return;
    QByteArray bytes = file.readAll();
    TextEncoding encoding = TextEncoding::Cp932;
    if (bytes.startsWith(kByteOrderMark)) {
        bytes.remove(0, 3);
        encoding = TextEncoding::Utf8;
    }
    ItemReader in(std::move(bytes), encoding);
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
    QStringList lines{Storable(s.st.FileName), Storable(s.st.ImageFileName)};
    for (const MenuEntry& entry : s.frm.mnuFilename) lines << Storable(entry.Caption);
    const bool cp932 = std::all_of(lines.cbegin(), lines.cend(), FitsCodePage932);
    ItemWriter out(cp932 ? TextEncoding::Cp932 : TextEncoding::Utf8);
    for (const QString& line : lines) {
        out.String(line);
        out.EndLine();
    }
    // The configuration folder may not exist yet; the program's folder is never created.
    const QString folder = QFileInfo(path).absolutePath();
    if (folder != QDir::cleanPath(QFileInfo(s.frm.AppPath).absoluteFilePath()))
        QDir().mkpath(folder);
    QByteArray bytes = cp932 ? QByteArray() : QByteArray(kByteOrderMark);
    bytes += out.Bytes();
    WriteFileSafely(path, bytes);  // silent: a file that cannot be written keeps what it held
}
