#pragma once
// Reaches the person at the screen with Qt: message boxes captioned "Quillrun" without an icon,
// Qt file dialogs and the modal dialogs.

#include "model/prompter.h"

#include <functional>

class QWidget;

class QtPrompter : public Prompter {
public:
    explicit QtPrompter(QWidget* parent) : parent_(parent) {}

    // Run before anything modal is shown, so the window shows the current state meanwhile.
    std::function<void()> BeforeModal;

    void Message(const QString& text) override;
    Answer AskYesNoCancel(const QString& text, Answer preferred = Answer::Yes) override;
    std::optional<QString> OpenFileName(const QString& filter, const QString& proposed) override;
    std::optional<QString> SaveFileName(const QString& filter, const QString& proposed) override;
    void ShowElementDialog(ElementDialog& dialog) override;
    void ShowArgNoDialog(ArgNoDialog& dialog) override;
    void ShowExportDialog(ExportDialog& dialog) override;
    bool SaveBitmap(const QImage& image, const QString& path) override;

private:
    void Prepare();

    QWidget* parent_;
};
