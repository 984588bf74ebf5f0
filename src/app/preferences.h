#pragma once
// What the person chose and the program remembers beyond the classic settings file: kept with
// Qt's settings in the user's configuration folder (quillrun.conf beside mySys.!!!).

#include <QSettings>
#include <QString>

class Preferences {
public:
    // The user's own file; tests give one of their own.
    Preferences();
    explicit Preferences(const QString& file);

    bool ValuesPanelOpen() const;
    void SetValuesPanelOpen(bool open);

    // Where the preferences lie.
    static QString DefaultFile();

private:
    QSettings settings_;
};
