#pragma once
// The File menu: new, open, save, save as, the sample diagram and the recent files, with the
// routines that move a diagram between the tables and a file and keep the recent-file list.

#include <QString>

struct Session;

extern const QString kDiagramFilter;  // "Quillrun(*.qrn)|*.qrn|すべてのファイル(*.*)|*.*"

// Descriptions shown in front of " File Name = [path]" when a diagram file fails.
extern const QString kFileNotFound;     // "ファイルが見つかりません。"
extern const QString kFileCannotOpen;   // "ファイルを開けません。"
extern const QString kFileCannotRead;   // "ファイルを読み込めません。"
extern const QString kFileBadContent;   // "ファイルの内容が正しくありません。"
extern const QString kFileCannotWrite;  // "ファイルに書き込めません。"

// A path whose file name has no extension gets ".qrn", as 名前を付けて保存 adds it.
QString WithDiagramExtension(const QString& path);

// description, " File Name = [", path, "]".
QString FileFailureMessage(const QString& description, const QString& path);

// Writes the tables to path; on success the path becomes the current file and the first recent
// entry. Returns false (after telling the user) when the file could not be written, or is no
// regular file; an existing file is then left as it was (see WriteFileSafely).
bool SaveDiagram(Session& s, const QString& path);
// Replaces the tables from path, updates the recent files and redraws. Returns false (after
// telling the user) when the file could not be read or holds counts beyond the table limits;
// nothing has changed then.
bool LoadDiagram(Session& s, const QString& path);
// Makes path the current file and moves it to the top of the recent-file list.
void UpdateRecentFiles(Session& s, const QString& path);

// The question asked before unsaved changes would be thrown away.
extern const QString kUnsavedQuestion;  // "変更が保存されていません。保存しますか？"

// Before 終了, closing the window, 開く, サンプルデータ or a recent file: when the diagram holds
// changes that are not saved, asks whether to save them, with Yes, No and Cancel. True when the
// command may go on: nothing was unsaved, the person chose No, or Yes saved the diagram (as 保存
// does, or 名前を付けて保存 when there is no current file). Cancel, or a save that was cancelled
// or failed, gives false: the command then does nothing.
bool SaveChangesFirst(Session& s);

namespace frmMain {

void mnuFileNew_Click(Session& s);
void mnuFileOpen_Click(Session& s);
void mnuFileSave_Click(Session& s);
void mnuFileSaveAs_Click(Session& s);
void mnuFileSample_Click(Session& s);
void mnuFilename_Click(Session& s, int index);

}  // namespace frmMain
