#pragma once
// frmMain: the menus, the run buttons, the canvas, the status line and the selection panel.
// It owns the program's state and wires every input to the handler that deals with it; after
// each handler it mirrors the controls' fields into the widgets. Every control and menu entry
// carries its name (Command1, Picture1, Text1, mnuFileOpen, mnuFilename0, ...) as its object name.

#include "app/preferences.h"
#include "app/program.h"
#include "app/views/qt_prompter.h"

#include <QElapsedTimer>
#include <QMainWindow>
#include <QTimer>
#include <array>
#include <functional>

class CanvasView;
class HelpView;
class RunValuesDock;
class QAction;
class QFrame;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;

class MainWindow : public QMainWindow {
public:
    // appPath is the folder the program was started from. A prompter given here answers in place
    // of the person (tests); by default Qt's message boxes and dialogs ask.
    explicit MainWindow(const QString& appPath, Prompter* prompter = nullptr);
    ~MainWindow() override;

    Session& session() { return program_.s; }
    Program& program() { return program_; }
    CanvasView* canvasView() const { return picture1_; }

    // Runs a handler on the session, records the edit it completed and mirrors the result into
    // the widgets.
    using Edits = Program::Edits;
    void Dispatch(const std::function<void(Session&)>& handler, Edits edits = Edits::Possible);
    // Mirrors the control fields into the widgets.
    void SyncControls();
    // One tick of Timer1.
    void TimerTick();
    // The language the texts are in (kJapanese or kEnglish), ticked in オプション > 言語.
    void SetLanguageInUse(const QString& language);
    // How オプション > 言語 puts a language in use at once (true when it could); without one, the
    // choice is only remembered for the next start.
    void SetLanguageSwitch(std::function<bool(const QString&)> use);

protected:
    bool event(QEvent* event) override;
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    // A local file dropped on the window opens as ファイル > 開く opens one.
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void BuildMenus();
    void BuildControls(QWidget* client);
    void BuildValuesPanel();
    void BuildHelpMenu();
    void BuildLanguageMenu(QMenu* option);
    // Widens the panel to its longest caption, never below its width of 1575 twips.
    void FitPanel();
    // The window's place and size and the timer interval of the last time, and remembering them.
    void RestorePreferences();
    void RememberPreferences();
    // The tool tip of the canvas at a point: the run values of the element there.
    QString CanvasTip(float x, float y) const;
    // Command<command>, wired to its handler.
    QPushButton* AddButton(QWidget* parent, int command, const char* caption, double left,
                           double top, double width, double height, void (*handler)(Session&));
    // A menu entry named name, wired to handler when one is given.
    QAction* AddMenuEntry(QMenu* menu, const char* name, const char* caption,
                          void (*handler)(Session&));
    QRect Pixels(double left, double top, double width, double height) const;

    QtPrompter ui_;
    Program program_;
    SharedState& st_ = program_.st;
    FormControls& frm_ = program_.frm;
    Canvas& canvas_ = program_.canvas;
    Session& session_ = program_.s;
    EditHistory& history_ = program_.history;
    bool shutDown_ = false;
    bool resizePending_ = false;

    CanvasView* picture1_ = nullptr;
    QLabel* label1_ = nullptr;
    QLineEdit* text1_ = nullptr;
    QFrame* frame1_ = nullptr;
    std::array<QAction*, 5> mnuFilename_{};
    std::array<QPushButton*, 7> panelButtons_{};  // Command5 to Command11
    QAction* mnuRunStepBack_ = nullptr;
    QAction* mnuRunBreakpoint_ = nullptr;
    QAction* mnuRunValues_ = nullptr;
    RunValuesDock* values_ = nullptr;
    HelpView* help_ = nullptr;
    QAction* mnuOptionJapanese_ = nullptr;
    QAction* mnuOptionEnglish_ = nullptr;
    std::function<bool(const QString&)> useLanguage_;
    Preferences preferences_;
    QAction* mnuEditUndo_ = nullptr;
    QAction* mnuEditRedo_ = nullptr;
    QTimer timer1_;
    QTimer frame_;
    QElapsedTimer runClock_;  // since the timer started
    qint64 ticksMade_ = 0;    // the ticks it has made since
};
