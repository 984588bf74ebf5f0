#pragma once
// The File menu: new, open, save, save as, the sample diagram and the recent files, with the
// routines that move a diagram between the tables and a file and keep the recent-file list.

#include <QString>

struct Session;

extern const QString kDiagramFilter;  // "Quillrun(*.qrn)|*.qrn|すべてのファイル(*.*)|*.*"

// Writes the tables to path; on success the path becomes the current file and the first recent
// entry. Returns false (after telling the user) when the file could not be written.
bool SaveDiagram(Session& s, const QString& path);
// Replaces the tables from path, updates the recent files and redraws. Returns false (after
// telling the user) when the file could not be read and nothing changed.
bool LoadDiagram(Session& s, const QString& path);
// Makes path the current file and moves it to the top of the recent-file list.
void UpdateRecentFiles(Session& s, const QString& path);

void mnuFileNew_Click(Session& s);
void mnuFileOpen_Click(Session& s);
void mnuFileSave_Click(Session& s);
void mnuFileSaveAs_Click(Session& s);
void mnuFileSample_Click(Session& s);
void mnuFilename_Click(Session& s, int index);
