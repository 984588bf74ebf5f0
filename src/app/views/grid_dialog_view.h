#pragma once
// The window of frmGrid: a small modeless tool window showing the grid dialog's logic. It is
// created on demand, destroyed when it closes, and keeps no state between showings.

#include "app/grid.h"

#include <QWidget>
#include <functional>
#include <memory>

class QLineEdit;
class QPushButton;

// It takes the keyboard when it opens, with the size selected; Return presses 設定 (or the
// button that has the focus) and Escape 取消.
class GridDialogView : public QWidget {
    // The meta-object lets ShowGridDialog tell an open grid window from the owner's other
    // children.
    Q_OBJECT

public:
    // Every button press is handed to run, which performs it the way the owner runs its own
    // handlers (one at a time, then mirroring its widgets). Without one the press just runs.
    using Runner = std::function<void(const std::function<void()>& press)>;
    GridDialogView(QWidget* parent, Session& s, Runner run);
    ~GridDialogView() override;

    GridDialog& logic() { return *logic_; }
    // True from the moment the window closes until it is destroyed.
    bool Closing() const { return closing_; }

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void Press(void (GridDialog::*handler)());

    std::unique_ptr<GridDialog> logic_;
    Runner run_;
    QLineEdit* text1_ = nullptr;
    bool closing_ = false;
};

// Option > Grid: shows the grid window, or brings the open one to the front (an open window is
// not loaded again, so its text stays as the person left it). Returns the window.
GridDialogView* ShowGridDialog(QWidget* parent, Session& s, GridDialogView::Runner run);
