#pragma once
// The settings file "mySys.!!!": the current diagram, the snapshot file name and the five
// recent files, carried from one run of the program to the next.

#include <QString>

struct Session;
struct FormControls;

QString SettingsFilePath(const FormControls& frm);
// Reads FileName, ImageFileName and the recent-file entries; silent on every failure, keeping
// whatever was read before it.
void ReadSettingsFile(Session& s);
// Writes the seven lines; silent when the file cannot be written.
void WriteSettingsFile(Session& s);
