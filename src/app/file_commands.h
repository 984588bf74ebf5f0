#pragma once
// The File menu: new, open, save, save as, the sample diagram and the recent files, with the
// routines that move a diagram between the tables and a file and keep the recent-file list.

#include "model/translation.h"

#include <QString>

struct Session;

inline constexpr SourceText kDiagramFilter{
    QT_TRANSLATE_NOOP("Quillrun", "Quillrun(*.qrn)|*.qrn|すべてのファイル(*.*)|*.*")};

// Descriptions shown in front of " File Name = [path]" when a diagram file fails.
inline constexpr SourceText kFileNotFound{
    QT_TRANSLATE_NOOP("Quillrun", "ファイルが見つかりません。")};
inline constexpr SourceText kFileCannotOpen{
    QT_TRANSLATE_NOOP("Quillrun", "ファイルを開けません。")};
inline constexpr SourceText kFileCannotRead{
    QT_TRANSLATE_NOOP("Quillrun", "ファイルを読み込めません。")};
inline constexpr SourceText kFileBadContent{
    QT_TRANSLATE_NOOP("Quillrun", "ファイルの内容が正しくありません。")};
inline constexpr SourceText kFileCannotWrite{
    QT_TRANSLATE_NOOP("Quillrun", "ファイルに書き込めません。")};

// A path whose file name has no extension gets ".qrn", as 名前を付けて保存 adds it.
QString WithDiagramExtension(const QString& path);

// description, " File Name = [", path, "]".
QString FileFailureMessage(SourceText description, const QString& path);

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
inline constexpr SourceText kUnsavedQuestion{
    QT_TRANSLATE_NOOP("Quillrun", "変更が保存されていません。保存しますか？")};

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
