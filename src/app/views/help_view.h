#pragma once
// 使い方: a short illustrated guide to the gestures, the panel, running and the keys, in the
// language the program shows. A window beside the main window, not modal.

#include <QDialog>

class HelpView : public QDialog {
public:
    explicit HelpView(QWidget* parent);

protected:
    // The guide and its title follow a change of language.
    void changeEvent(QEvent* event) override;

private:
    void ShowGuide();
};
