#include "app/settings_file.h"

#include "model/form_controls.h"
#include "model/item_file.h"
#include "model/session.h"
#include "model/shared_state.h"

#include <QFile>
#include <QSaveFile>

QString SettingsFilePath(const FormControls& frm) {
    QString folder = frm.AppPath;
    if (!folder.endsWith(u'/')) folder += u'/';
    return folder + QStringLiteral("mySys.!!!");
}

void ReadSettingsFile(Session& s) {
    QFile file(SettingsFilePath(s.frm));
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
    ItemWriter out;
    out.String(s.st.FileName);
    out.EndLine();
    out.String(s.st.ImageFileName);
    out.EndLine();
    for (const MenuEntry& entry : s.frm.mnuFilename) {
        out.String(entry.Caption);
        out.EndLine();
    }
    QSaveFile file(SettingsFilePath(s.frm));
    if (!file.open(QIODevice::WriteOnly)) return;
    file.write(out.Bytes());
    file.commit();
}
