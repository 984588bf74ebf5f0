#pragma once
// The one way the program reaches a person: message boxes, file dialogs and the two modal
// dialogs. The window implements it with Qt widgets; tests implement it with a script.

#include <QString>
#include <optional>

class QImage;
class ElementDialog;
class ArgNoDialog;
class ExportDialog;

enum class Answer { Yes, No, Cancel };

class Prompter {
public:
    virtual ~Prompter() = default;

    // A message box with the OK button only.
    virtual void Message(const QString& text) = 0;
    // A message box with Yes, No and Cancel; Return gives preferred, Escape Cancel.
    virtual Answer AskYesNoCancel(const QString& text, Answer preferred = Answer::Yes) = 0;

    // File dialogs. filter is a list of label|pattern pairs joined by "|"; proposed is the
    // preset file name. An empty optional means the person cancelled.
    virtual std::optional<QString> OpenFileName(const QString& filter, const QString& proposed) = 0;
    virtual std::optional<QString> SaveFileName(const QString& filter, const QString& proposed) = 0;

    // The modal dialogs: each returns once the dialog logic says it has closed.
    virtual void ShowElementDialog(ElementDialog& dialog) = 0;
    virtual void ShowArgNoDialog(ArgNoDialog& dialog) = 0;
    // The options of ファイル > エクスポート, shown after the file is chosen; returns once the
    // dialog logic says it has closed. Where no one can be asked it stays unanswered, which
    // cancels the export.
    virtual void ShowExportDialog(ExportDialog& dialog) { (void)dialog; }

    // Writes a picture as a Windows bitmap; false when the file could not be written.
    virtual bool SaveBitmap(const QImage& image, const QString& path) = 0;
};
