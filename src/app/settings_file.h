#pragma once
// The settings file "mySys.!!!": the current diagram, the snapshot file name and the five
// recent files, carried from one run of the program to the next. It does not load diagrams.

#include <QString>

struct Session;
struct FormControls;

// Where the settings file may lie: "mySys.!!!" in the program's folder, and the same name in the
// user's configuration folder for the program (for example ~/.config/Quillrun/mySys.!!!), which
// an installed program uses: its folder is shared by every user, and belongs to the package.
struct SettingsPlaces {
    QString programFile;  // empty when the program has no folder (the headless runner)
    QString configFile;   // empty when there is no configuration folder
    bool programFolderWritable = false;
    // The program's folder is <prefix>/lib/quillrun, where the programs are installed.
    bool programFolderInstalled = false;
};
SettingsPlaces FindSettingsPlaces(const FormControls& frm);
// Written at shutdown: in a build folder, the program's folder when it can be written, else the
// configuration folder (the program's folder when there is none: writing then fails silently).
// An installed program writes the configuration folder only, and nothing when there is none.
// Empty when the program has no folder: such a program keeps no settings.
QString SettingsFileToWrite(const SettingsPlaces& places);
// Read at start-up: the file that is written, when there is one; an installed program's folder,
// or one that cannot be written, may hold a settings file installed with the program, read until
// the user has one.
QString SettingsFileToRead(const SettingsPlaces& places);
// The file written at shutdown, for this program.
QString SettingsFilePath(const FormControls& frm);

// Reads FileName, ImageFileName and the recent-file entries; silent on every failure, keeping
// whatever was read before it.
void ReadSettingsFile(Session& s);
// Writes the seven lines, creating the configuration folder when needed; silent when the file
// cannot be written, which then keeps what it held (see WriteFileSafely). The file is in code
// page 932 whenever every text fits it; otherwise it is UTF-8 behind a byte-order mark, which
// the reader recognises, so that such paths survive too.
void WriteSettingsFile(Session& s);
