#include "app/file_commands.h"

#include "app/file_writing.h"
#include "app/startup.h"
#include "model/change_tracker.h"
#include "model/diagram_file.h"
#include "model/form_controls.h"
#include "model/prompter.h"
#include "model/session.h"
#include "model/shared_state.h"
#include "render/canvas.h"
#include "render/renderer.h"

#include <QFile>
#include <QFileInfo>
#include <array>

namespace {

constexpr SourceText kNewQuestion{
    QT_TRANSLATE_NOOP("Quillrun", "すべての領域がクリアされます。現状態を保存しますか？")};
const QString kSampleName = QStringLiteral("testData5.qrn");

void ShowFailure(Session& s, SourceText description, const QString& path) {
    s.ui.Message(FileFailureMessage(description, path));
}

// 名前を付けて保存 and 保存; true when the diagram was written.
bool SaveToChosenFile(Session& s) {
    const std::optional<QString> path = s.ui.SaveFileName(Tr(kDiagramFilter), s.st.FileName);
    if (!path || path->isEmpty()) return false;
    return SaveDiagram(s, WithDiagramExtension(*path));
}

bool SaveToCurrentFile(Session& s) {
    if (!s.st.FileName.isEmpty() && s.st.FileNameShown) return SaveDiagram(s, s.st.FileName);
    return SaveToChosenFile(s);
}

// The selection and the panel belong to the diagram that was there before, and so does a
// gesture under way.
void ForgetSelection(Session& s) {
    ClearSelection(s.st);
    s.st.EditState = Editing::Idle;
    s.frm.Frame1Visible = false;
}

}  // namespace

QString WithDiagramExtension(const QString& path) {
    const QString name = QFileInfo(path).fileName();
    if (name.isEmpty() || name.contains(u'.')) return path;
    return path + QStringLiteral(".qrn");
}

QString FileFailureMessage(SourceText description, const QString& path) {
    return Tr(description) + QStringLiteral(" File Name = [") + path + u']';
}

bool SaveDiagram(Session& s, const QString& path) {
    if (!WriteFileSafely(path, WriteDiagram(s.st.Diagram))) {
        ShowFailure(s, kFileCannotWrite, path);
        return false;
    }
    UpdateRecentFiles(s, path);
    if (s.changes) s.changes->Saved();
    return true;
}

bool LoadDiagram(Session& s, const QString& path) {
    const QFileInfo info(path);
    if (!info.exists()) {
        ShowFailure(s, kFileNotFound, path);
        return false;
    }
    // Folders, devices and pipes are no diagram files (and a device might never end).
    if (!info.isFile()) {
        ShowFailure(s, kFileCannotOpen, path);
        return false;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        ShowFailure(s, kFileCannotOpen, path);
        return false;
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        ShowFailure(s, kFileCannotRead, path);
        return false;
    }
    file.close();
    if (ReadDiagram(bytes, s.st.Diagram) == DiagramRead::Refused) {
        ShowFailure(s, kFileBadContent, path);
        return false;
    }
    // Breakpoints belong to the diagram that was there.
    for (int e = 1; e <= s.st.Diagram.LiveElements(); ++e)
        s.st.Diagram.Elements[e].Breakpoint = false;
    UpdateRecentFiles(s, path);
    ForgetSelection(s);
    RedrawDiagram(s, -1);
    if (s.changes) s.changes->Replaced();
    return true;
}

void UpdateRecentFiles(Session& s, const QString& path) {
    s.st.FileName = path;
    s.st.FileNameShown = true;
    std::array<QString, 6> list;
    list[0] = path;
    int n = 0;
    for (const MenuEntry& entry : s.frm.mnuFilename) {
        if (entry.Caption != path) list[static_cast<std::size_t>(++n)] = entry.Caption;
    }
    for (std::size_t i = 0; i < s.frm.mnuFilename.size(); ++i) {
        MenuEntry& entry = s.frm.mnuFilename[i];
        entry.Visible = false;
        entry.Caption = list[i];
        entry.Visible = !entry.Caption.isEmpty();
    }
}

bool SaveChangesFirst(Session& s) {
    if (!s.changes || !s.changes->Modified()) return true;
    switch (s.ui.AskYesNoCancel(Tr(kUnsavedQuestion))) {
        case Answer::Yes:
            return SaveToCurrentFile(s);
        case Answer::No:
            return true;
        case Answer::Cancel:
            break;
    }
    return false;
}

void frmMain::mnuFileNew_Click(Session& s) {
    switch (s.ui.AskYesNoCancel(Tr(kNewQuestion))) {
        case Answer::Yes:
            mnuFileSaveAs_Click(s);
            break;
        case Answer::No:
            s.canvas.Picture2.Clear();
            ForgetSelection(s);
            StartupInitialisation(s);
            if (s.changes) s.changes->Replaced();
            break;
        case Answer::Cancel:
            break;
    }
}

void frmMain::mnuFileOpen_Click(Session& s) {
    if (!SaveChangesFirst(s)) return;
    const std::optional<QString> path = s.ui.OpenFileName(Tr(kDiagramFilter), s.st.FileName);
    if (!path || path->isEmpty()) return;
    LoadDiagram(s, *path);
}

void frmMain::mnuFileSave_Click(Session& s) {
    SaveToCurrentFile(s);
}

void frmMain::mnuFileSaveAs_Click(Session& s) {
    SaveToChosenFile(s);
}

void frmMain::mnuFileSample_Click(Session& s) {
    if (!SaveChangesFirst(s)) return;
    QString folder = s.frm.AppPath;
    if (!folder.endsWith(u'/')) folder += u'/';
    LoadDiagram(s, folder + kSampleName);
}

void frmMain::mnuFilename_Click(Session& s, int index) {
    if (index < 0 || index >= static_cast<int>(s.frm.mnuFilename.size())) return;
    const MenuEntry& entry = s.frm.mnuFilename[static_cast<std::size_t>(index)];
    if (entry.Caption.isEmpty()) return;  // only visible entries can be chosen
    const QString path = entry.Caption;   // a copy: loading rewrites the entries
    if (!SaveChangesFirst(s)) return;
    LoadDiagram(s, path);
}
