#pragma once
// What the person chose and the program remembers beyond the classic settings file: the window's
// place and size, the timer interval, whether the values panel is open and the language. Kept
// with Qt's settings in the user's configuration folder (quillrun.conf beside mySys.!!!).

#include <QRect>
#include <QSettings>
#include <QString>
#include <optional>

class Preferences {
public:
    // The user's own file; tests give one of their own.
    Preferences();
    explicit Preferences(const QString& file);

    bool ValuesPanelOpen() const;
    void SetValuesPanelOpen(bool open);

    // The window's frame, as it was when the program last ended.
    std::optional<QRect> WindowFrame() const;
    void SetWindowFrame(const QRect& frame);

    // The text of タイマー; nothing until the person ended the program once.
    std::optional<QString> TimerInterval() const;
    void SetTimerInterval(const QString& text);

    // "en" for English, empty (the default) for Japanese.
    QString Language() const;
    void SetLanguage(const QString& language);

    // Where the preferences lie.
    static QString DefaultFile();

private:
    QSettings settings_;
};
