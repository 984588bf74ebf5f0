#pragma once
// The settings file "mySys.!!!": the current diagram, the snapshot file name and the five
// recent files, carried from one run of the program to the next. It does not load diagrams.

#include <QString>

struct Session;
struct FormControls;

// The file lies in the program's folder when that folder can be written; otherwise (an installed
// program) in the user's configuration folder for the program, for example
// ~/.config/Quillrun/mySys.!!!. Empty when the program has no folder (AppPath empty, as in the
// headless runner): such a program keeps no settings.
QString SettingsFilePath(const FormControls& frm);
// Reads FileName, ImageFileName and the recent-file entries; silent on every failure, keeping
// whatever was read before it.
void ReadSettingsFile(Session& s);
// Writes the seven lines, creating the configuration folder when needed; silent when the file
// cannot be written.
void WriteSettingsFile(Session& s);
