#include "app/views/main_window.h"

#include "app/about.h"
#include "app/diagram_export.h"
#include "app/dropped_files.h"
#include "app/file_commands.h"
#include "app/language.h"
#include "app/run_values.h"
#include "app/startup.h"
#include "app/views/canvas_view.h"
#include "app/views/diagram_printing.h"
#include "app/views/grid_dialog_view.h"
#include "app/views/help_view.h"
#include "app/views/run_values_dock.h"
#include "app/views/translated_texts.h"
#include "editor/canvas_drag.h"
#include "editor/canvas_keys.h"
#include "editor/canvas_press.h"
#include "editor/copy_paste.h"
#include "editor/edit_menu.h"
#include "editor/pointer_tracking.h"
#include "editor/selection_panel.h"
#include "engine/run_control.h"
#include "engine/run_menu.h"
#include "model/element_geometry.h"
#include "model/translation.h"

#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QFontMetrics>
#include <QFrame>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPushButton>
#include <QScreen>
#include <algorithm>
#include <cmath>

namespace {

// A menu whose title is a text of the program, kept for a change of language.
template <class Parent>
QMenu* AddMenu(Parent* parent, const char* title) {
    QMenu* menu = parent->addMenu(QString());
    KeepTranslated(menu, title);
    return menu;
}

// The widgets follow an automatic run this often.
constexpr int kFrameMilliseconds = 16;
// The most steps one tick of the timer makes, when it comes late.
constexpr qint64 kMostTicksAtOnce = 8;

// The client area at start, in twips.
constexpr double kClientWidth = 7620;
constexpr double kClientHeight = 4695;
// The smallest client area: the button column beside a canvas that holds the panel, with the
// status line below it.
constexpr double kMinClientWidth = 1560 + 1575 + 120;
constexpr double kMinClientHeight = 2295 + 100 + 255 + 125 + 120;

// "name.qrn – Quillrun" for the diagram file this run opened or saved, "Quillrun" without one;
// [*] is where the desktop shows the mark of unsaved changes.
QString WindowTitle(const SharedState& st) {
    if (!st.FileNameShown || st.FileName.isEmpty()) return QStringLiteral("Quillrun[*]");
    return QFileInfo(st.FileName).fileName() + QStringLiteral("[*] – Quillrun");
}

// The desktop's keys for a command, or the usual one where the desktop names none (a desktop
// without a theme of its own has no key for 名前を付けて保存 or 終了).
QList<QKeySequence> Keys(QKeySequence::StandardKey command, const QKeySequence& usual) {
    QList<QKeySequence> keys = QKeySequence::keyBindings(command);
    if (keys.isEmpty()) keys << usual;
    return keys;
}

QString MenuText(const QString& path) {
    QString text = path;
    return text.replace(u'&', QStringLiteral("&&"));
}

}  // namespace

// The guide's pages and pictures lie in the program's resources.
static void InitHelpResources() {
    Q_INIT_RESOURCE(help);
}

MainWindow::MainWindow(const QString& appPath, Prompter* prompter)
    : ui_(this), program_(prompter ? *prompter : ui_, appPath) {
    InitHelpResources();
    setAcceptDrops(true);
    if (const QScreen* screen = QGuiApplication::primaryScreen();
        screen && screen->logicalDotsPerInchX() > 0) {
        frm_.TwipsPerPixel = 1440.0 / screen->logicalDotsPerInchX();
        frm_.DevicePixelRatio = screen->devicePixelRatio();
    }
    ui_.BeforeModal = [this] { SyncControls(); };

    auto* client = new QWidget(this);
    setCentralWidget(client);
    BuildMenus();
    BuildControls(client);
    canvas_.OnPublished = [this](const QRect& r) { picture1_->Damage(r); };
    // During an automatic run the widgets follow the state once a frame, not at every tick.
    frame_.setSingleShot(true);
    frame_.setInterval(kFrameMilliseconds);
    connect(&frame_, &QTimer::timeout, this, &MainWindow::SyncControls);

    program_.Start();
    BuildValuesPanel();
    SyncControls();
    picture1_->setFocus();
    client->installEventFilter(this);
    qApp->installEventFilter(this);
    // Small enough for any screen, large enough that every button and the whole panel fit.
    client->setMinimumSize(Pixels(0, 0, kMinClientWidth, kMinClientHeight).size());
    const QRect area = Pixels(0, 0, kClientWidth, kClientHeight);
    resize(area.width(), area.height() + menuBar()->sizeHint().height());
    RestorePreferences();
    SyncControls();
}

MainWindow::~MainWindow() {
    qApp->removeEventFilter(this);
    // The panel is hidden as the window goes: that is no choice of the person's.
    if (values_) disconnect(values_, nullptr, this, nullptr);
    canvas_.OnPublished = nullptr;
}

QRect MainWindow::Pixels(double left, double top, double width, double height) const {
    const double k = frm_.TwipsPerPixel;
    return QRect(static_cast<int>(std::lround(left / k)), static_cast<int>(std::lround(top / k)),
                 static_cast<int>(std::lround(width / k)),
                 static_cast<int>(std::lround(height / k)));
}

QPushButton* MainWindow::AddButton(QWidget* parent, int command, const char* caption, double left,
                                   double top, double width, double height,
                                   void (*handler)(Session&)) {
    auto* b = new QPushButton(parent);
    KeepTranslated(b, caption);
    b->setObjectName(QStringLiteral("Command%1").arg(command));
    b->setGeometry(Pixels(left, top, width, height));
    b->setFocusPolicy(Qt::TabFocus);
    connect(b, &QPushButton::clicked, this, [this, handler] { Dispatch(handler); });
    return b;
}

QAction* MainWindow::AddMenuEntry(QMenu* menu, const char* name, const char* caption,
                                  void (*handler)(Session&)) {
    QAction* action = menu->addAction(QString());
    KeepTranslated(action, caption);
    action->setObjectName(QString::fromLatin1(name));
    if (handler) connect(action, &QAction::triggered, this, [this, handler] { Dispatch(handler); });
    return action;
}

void MainWindow::BuildMenus() {
    QMenu* file = AddMenu(menuBar(), QT_TRANSLATE_NOOP("Quillrun", "ファイル(&F)"));
    file->setObjectName(QStringLiteral("mnuFile"));
    AddMenuEntry(file, "mnuFileNew", QT_TRANSLATE_NOOP("Quillrun", "新規作成(&N)"),
                 frmMain::mnuFileNew_Click)
        ->setShortcuts(Keys(QKeySequence::New, QKeySequence(Qt::CTRL | Qt::Key_N)));
    AddMenuEntry(file, "mnuFileOpen", QT_TRANSLATE_NOOP("Quillrun", "開く(&O)"),
                 frmMain::mnuFileOpen_Click)
        ->setShortcuts(Keys(QKeySequence::Open, QKeySequence(Qt::CTRL | Qt::Key_O)));
    file->addSeparator();
    AddMenuEntry(file, "mnuFileSave", QT_TRANSLATE_NOOP("Quillrun", "保存(&S)"),
                 frmMain::mnuFileSave_Click)
        ->setShortcuts(Keys(QKeySequence::Save, QKeySequence(Qt::CTRL | Qt::Key_S)));
    AddMenuEntry(file, "mnuFileSaveAs", QT_TRANSLATE_NOOP("Quillrun", "名前を付けて保存(&A)"),
                 frmMain::mnuFileSaveAs_Click)
        ->setShortcuts(Keys(QKeySequence::SaveAs, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S)));
    AddMenuEntry(file, "mnuFileExport", QT_TRANSLATE_NOOP("Quillrun", "エクスポート(&X)..."),
                 frmMain::mnuFileExport_Click);
    QAction* print =
        AddMenuEntry(file, "mnuFilePrint", QT_TRANSLATE_NOOP("Quillrun", "印刷(&P)..."), nullptr);
    print->setShortcuts(Keys(QKeySequence::Print, QKeySequence(Qt::CTRL | Qt::Key_P)));
    connect(print, &QAction::triggered, this,
            [this] { Dispatch([this](Session& s) { ShowPrintPreview(this, s); }); });
    file->addSeparator();
    AddMenuEntry(file, "mnuFileSample", QT_TRANSLATE_NOOP("Quillrun", "サンプルデータ(&E)"),
                 frmMain::mnuFileSample_Click);
    file->addSeparator();
    for (std::size_t i = 0; i < mnuFilename_.size(); ++i) {
        mnuFilename_[i] = file->addAction(QString());
        mnuFilename_[i]->setObjectName(QStringLiteral("mnuFilename%1").arg(i));
        mnuFilename_[i]->setVisible(false);
        connect(mnuFilename_[i], &QAction::triggered, this, [this, i] {
            Dispatch([i](Session& s) { frmMain::mnuFilename_Click(s, static_cast<int>(i)); });
        });
    }
    file->addSeparator();
    QAction* exit =
        AddMenuEntry(file, "fileExit", QT_TRANSLATE_NOOP("Quillrun", "終了(X)"), nullptr);
    exit->setShortcuts(Keys(QKeySequence::Quit, QKeySequence(Qt::CTRL | Qt::Key_Q)));
    connect(exit, &QAction::triggered, this, &QWidget::close);

    QMenu* edit = AddMenu(menuBar(), QT_TRANSLATE_NOOP("Quillrun", "編集(&E)"));
    edit->setObjectName(QStringLiteral("mnuEdit"));
    mnuEditUndo_ =
        AddMenuEntry(edit, "mnuEditUndo", QT_TRANSLATE_NOOP("Quillrun", "元に戻す(&U)"), nullptr);
    mnuEditUndo_->setShortcuts(Keys(QKeySequence::Undo, QKeySequence(Qt::CTRL | Qt::Key_Z)));
    connect(mnuEditUndo_, &QAction::triggered, this,
            [this] { Dispatch([this](Session&) { history_.Undo(); }); });
    mnuEditRedo_ =
        AddMenuEntry(edit, "mnuEditRedo", QT_TRANSLATE_NOOP("Quillrun", "やり直し(&Y)"), nullptr);
    mnuEditRedo_->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
    connect(mnuEditRedo_, &QAction::triggered, this,
            [this] { Dispatch([this](Session&) { history_.Redo(); }); });
    edit->addSeparator();
    // Several elements at once, with the desktop's keys.
    AddMenuEntry(edit, "mnuEditCut", QT_TRANSLATE_NOOP("Quillrun", "切り取り(&T)"),
                 frmMain::mnuEditCut_Click)
        ->setShortcuts(Keys(QKeySequence::Cut, QKeySequence(Qt::CTRL | Qt::Key_X)));
    AddMenuEntry(edit, "mnuEditCopy", QT_TRANSLATE_NOOP("Quillrun", "コピー(&O)"),
                 frmMain::mnuEditCopy_Click)
        ->setShortcuts(Keys(QKeySequence::Copy, QKeySequence(Qt::CTRL | Qt::Key_C)));
    AddMenuEntry(edit, "mnuEditCopyPicture", QT_TRANSLATE_NOOP("Quillrun", "画像をコピー"),
                 frmMain::mnuEditCopyPicture_Click)
        ->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C));
    QAction* paste =
        AddMenuEntry(edit, "mnuEditPaste", QT_TRANSLATE_NOOP("Quillrun", "貼り付け(&P)"), nullptr);
    paste->setShortcuts(Keys(QKeySequence::Paste, QKeySequence(Qt::CTRL | Qt::Key_V)));
    connect(paste, &QAction::triggered, this, [this] {
        const std::optional<QPointF> at = picture1_->PointerInUnits();
        std::optional<PointRec> where;
        if (at) where = PointRec{at->x(), at->y()};
        Dispatch([where](Session& s) { frmMain::mnuEditPaste_Click(s, where); });
    });
    AddMenuEntry(edit, "mnuEditDuplicate", QT_TRANSLATE_NOOP("Quillrun", "複製(&D)"),
                 frmMain::mnuEditDuplicate_Click)
        ->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_D));
    AddMenuEntry(edit, "mnuEditSelectAll", QT_TRANSLATE_NOOP("Quillrun", "すべて選択(&L)"),
                 frmMain::mnuEditSelectAll_Click)
        ->setShortcuts(Keys(QKeySequence::SelectAll, QKeySequence(Qt::CTRL | Qt::Key_A)));
    edit->addSeparator();
    AddMenuEntry(edit, "mnuEditAddElement", QT_TRANSLATE_NOOP("Quillrun", "要素追加(&A)"),
                 frmMain::mnuEditAddElement_Click);
    AddMenuEntry(edit, "mnuConect", QT_TRANSLATE_NOOP("Quillrun", "接続(&C)"),
                 frmMain::mnuConect_Click);
    edit->addSeparator();
    AddMenuEntry(edit, "mnuEditRelease", QT_TRANSLATE_NOOP("Quillrun", "選択解除(&R)"),
                 frmMain::mnuEditRelease_Click);

    // 実行: the run one step at a time, breakpoints and the values panel. F8 and F9 are free on
    // the desktops (F10 opens the menu bar, Shift+F10 a context menu).
    QMenu* run = AddMenu(menuBar(), QT_TRANSLATE_NOOP("Quillrun", "実行(&R)"));
    run->setObjectName(QStringLiteral("mnuRun"));
    AddMenuEntry(run, "mnuRunStep", QT_TRANSLATE_NOOP("Quillrun", "1ステップ実行(&S)"),
                 frmMain::mnuRunStep_Click)
        ->setShortcut(QKeySequence(Qt::Key_F8));
    mnuRunStepBack_ =
        AddMenuEntry(run, "mnuRunStepBack", QT_TRANSLATE_NOOP("Quillrun", "1ステップ戻る(&B)"),
                     frmMain::mnuRunStepBack_Click);
    mnuRunStepBack_->setShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F8));
    mnuRunBreakpoint_ =
        AddMenuEntry(run, "mnuRunBreakpoint", QT_TRANSLATE_NOOP("Quillrun", "ブレークポイント(&P)"),
                     frmMain::mnuRunBreakpoint_Click);
    mnuRunBreakpoint_->setShortcut(QKeySequence(Qt::Key_F9));
    run->addSeparator();
    mnuRunValues_ =
        AddMenuEntry(run, "mnuRunValues", QT_TRANSLATE_NOOP("Quillrun", "値の一覧(&V)"), nullptr);
    mnuRunValues_->setCheckable(true);
    mnuRunValues_->setShortcut(QKeySequence(Qt::Key_F7));

    QMenu* option = AddMenu(menuBar(), QT_TRANSLATE_NOOP("Quillrun", "オプション(&O)"));
    option->setObjectName(QStringLiteral("mnuOption"));
    QAction* grid = AddMenuEntry(option, "mnuOptionGrid",
                                 QT_TRANSLATE_NOOP("Quillrun", "グリッド(&G)"), nullptr);
    BuildLanguageMenu(option);
    BuildHelpMenu();
    connect(grid, &QAction::triggered, this, [this] {
        ShowGridDialog(this, session_, [this](const std::function<void()>& press) {
            Dispatch([&](Session&) { press(); });
        });
    });
}

void MainWindow::FitPanel() {
    // The Japanese captions fit the panel's width; a translation that is longer widens the panel
    // and its buttons to the widest caption.
    const QFontMetrics metrics(frame1_->font());
    double width = FormControls().Frame1.Width;
    for (const QPushButton* b : panelButtons_)
        width = std::max(width, (metrics.horizontalAdvance(b->text()) + 12) * frm_.TwipsPerPixel);
    frm_.Frame1.Width = width;
    for (QPushButton* b : panelButtons_) {
        QRect place = b->geometry();
        place.setWidth(static_cast<int>(std::lround(width / frm_.TwipsPerPixel)));
        b->setGeometry(place);
    }
}

void MainWindow::SetLanguageSwitch(std::function<bool(const QString&)> use) {
    useLanguage_ = std::move(use);
}

void MainWindow::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    if (event->type() != QEvent::LanguageChange) return;
    // Every text of the window shows afresh, and the next step's trace line is in the new
    // language; the guide and the values panel follow on their own.
    session_.words = TraceWords::InUse();
    Retranslate(this);
    FitPanel();
    SyncControls();
}

void MainWindow::BuildLanguageMenu(QMenu* option) {
    QMenu* language = AddMenu(option, QT_TRANSLATE_NOOP("Quillrun", "言語(&L)"));
    language->setObjectName(QStringLiteral("mnuOptionLanguage"));
    auto* choices = new QActionGroup(language);
    // Each language is named in its own words, so that a person who reads only one finds it.
    mnuOptionJapanese_ = AddMenuEntry(language, "mnuOptionJapanese", "日本語", nullptr);
    mnuOptionEnglish_ = AddMenuEntry(language, "mnuOptionEnglish", "English", nullptr);
    for (QAction* a : {mnuOptionJapanese_, mnuOptionEnglish_}) {
        a->setCheckable(true);
        choices->addAction(a);
        connect(a, &QAction::triggered, this, [this, a] {
            const QString chosen = a == mnuOptionEnglish_ ? kEnglish : QString();
            preferences_.SetLanguage(chosen);
            // The window changes its language at once; should the translation fail to load, the
            // choice still holds for the next start.
            if (useLanguage_ && useLanguage_(chosen.isEmpty() ? kJapanese : chosen)) return;
            Dispatch([](Session& s) {
                s.ui.Message(QCoreApplication::translate(
                    "Quillrun", "言語の変更は、次に Quillrun を起動したときに有効になります。"));
            });
        });
    }
    SetLanguageInUse(kJapanese);
}

void MainWindow::SetLanguageInUse(const QString& language) {
    (language == kEnglish ? mnuOptionEnglish_ : mnuOptionJapanese_)->setChecked(true);
}

void MainWindow::BuildHelpMenu() {
    QMenu* help = AddMenu(menuBar(), QT_TRANSLATE_NOOP("Quillrun", "ヘルプ(&H)"));
    help->setObjectName(QStringLiteral("mnuHelp"));
    QAction* guide =
        AddMenuEntry(help, "mnuHelpGuide", QT_TRANSLATE_NOOP("Quillrun", "使い方(&G)"), nullptr);
    guide->setShortcuts(Keys(QKeySequence::HelpContents, QKeySequence(Qt::Key_F1)));
    connect(guide, &QAction::triggered, this, [this] {
        if (!help_) help_ = new HelpView(this);
        help_->show();
        help_->raise();
        help_->activateWindow();
    });
    QAction* about = AddMenuEntry(help, "mnuHelpAbout",
                                  QT_TRANSLATE_NOOP("Quillrun", "バージョン情報(&A)"), nullptr);
    connect(about, &QAction::triggered, this,
            [this] { Dispatch([](Session& s) { s.ui.Message(AboutText()); }); });
}

void MainWindow::RestorePreferences() {
    if (const std::optional<QString> interval = preferences_.TimerInterval())
        frm_.Text1Text = *interval;
    const std::optional<QRect> frame = preferences_.WindowFrame();
    if (!frame) return;
    resize(frame->size() - (frameGeometry().size() - size()));
    // A place that lies off every screen (one unplugged since) is not taken.
    for (const QScreen* screen : QGuiApplication::screens())
        if (screen->availableGeometry().intersects(*frame)) {
            move(frame->topLeft());
            return;
        }
}

void MainWindow::RememberPreferences() {
    preferences_.SetTimerInterval(frm_.Text1Text);
    preferences_.SetWindowFrame(QRect(frameGeometry().topLeft(), frameGeometry().size()));
}

void MainWindow::BuildValuesPanel() {
    values_ = new RunValuesDock(st_, this);
    values_->setAllowedAreas(Qt::LeftDockWidgetArea | Qt::RightDockWidgetArea |
                             Qt::BottomDockWidgetArea);
    addDockWidget(Qt::RightDockWidgetArea, values_);
    values_->setVisible(preferences_.ValuesPanelOpen());
    connect(mnuRunValues_, &QAction::toggled, values_, &QWidget::setVisible);
    connect(values_, &QDockWidget::visibilityChanged, this, [this](bool) {
        // Only a panel that was closed or opened, not one merely hidden with the window.
        if (!isVisible() && !values_->isVisible()) return;
        mnuRunValues_->setChecked(values_->isVisible());
        preferences_.SetValuesPanelOpen(values_->isVisible());
    });
    mnuRunValues_->setChecked(values_->isVisibleTo(this));
}

QString MainWindow::CanvasTip(float x, float y) const {
    const int e = ElementAtPoint(st_.Diagram, x, y);
    return e >= 1 ? RunValuesTip(st_, e) : QString();
}

void MainWindow::BuildControls(QWidget* client) {
    AddButton(client, 1, QT_TRANSLATE_NOOP("Quillrun", "初期化"), 120, 120, 1215, 375,
              frmMain::Command1_Click);
    AddButton(client, 2, QT_TRANSLATE_NOOP("Quillrun", "逐次実行"), 120, 600, 1215, 375,
              frmMain::Command2_Click);
    AddButton(client, 3, QT_TRANSLATE_NOOP("Quillrun", "自動実行"), 120, 1080, 1215, 375,
              frmMain::Command3_Click);
    auto* label2 = new QLabel(client);
    KeepTranslated(label2, QT_TRANSLATE_NOOP("Quillrun", "タイマー"));
    label2->setObjectName(QStringLiteral("Label2"));
    label2->setGeometry(Pixels(240, 1560, 735, 255));
    text1_ = new QLineEdit(frm_.Text1Text, client);
    text1_->setObjectName(QStringLiteral("Text1"));
    text1_->setGeometry(Pixels(120, 1920, 1215, 270));
    connect(text1_, &QLineEdit::textEdited, this, [this](const QString& t) { frm_.Text1Text = t; });
    AddButton(client, 4, QT_TRANSLATE_NOOP("Quillrun", "停止"), 120, 2280, 1215, 375,
              frmMain::Command4_Click);

    picture1_ = new CanvasView(canvas_, client);
    picture1_->setObjectName(QStringLiteral("Picture1"));
    picture1_->setGeometry(
        Pixels(frm_.Picture1.Left, frm_.Picture1.Top, frm_.Picture1.Width, frm_.Picture1.Height));
    label1_ = new QLabel(frm_.Label1Caption, client);
    label1_->setObjectName(QStringLiteral("Label1"));
    label1_->setTextFormat(Qt::PlainText);

    frame1_ = new QFrame(picture1_);
    frame1_->setObjectName(QStringLiteral("Frame1"));
    frame1_->setFrameShape(QFrame::Box);
    frame1_->setAutoFillBackground(true);
    frame1_->hide();
    struct PanelButton {
        int command;
        const char* caption;  // marked for translation
        double top;
        void (*handler)(Session&);
    };
    const PanelButton panel[] = {
        {10, QT_TRANSLATE_NOOP("Quillrun", "取消"), 120, frmMain::Command10_Click},
        {5, QT_TRANSLATE_NOOP("Quillrun", "点削除"), 360, frmMain::Command5_Click},
        {6, QT_TRANSLATE_NOOP("Quillrun", "接続線削除"), 600, frmMain::Command6_Click},
        {7, QT_TRANSLATE_NOOP("Quillrun", "要素削除"), 840, frmMain::Command7_Click},
        {8, QT_TRANSLATE_NOOP("Quillrun", "点移動"), 1080, frmMain::Command8_Click},
        {9, QT_TRANSLATE_NOOP("Quillrun", "要素移動"), 1320, frmMain::Command9_Click},
        {11, QT_TRANSLATE_NOOP("Quillrun", "要素属性変更"), 1560, frmMain::Command11_Click},
    };
    for (const PanelButton& b : panel)
        panelButtons_[static_cast<std::size_t>(b.command - 5)] =
            AddButton(frame1_, b.command, b.caption, 0, b.top, frm_.Frame1.Width, 255, b.handler);
    FitPanel();

    timer1_.setTimerType(Qt::PreciseTimer);
    connect(&timer1_, &QTimer::timeout, this, &MainWindow::TimerTick);
    picture1_->OnMouseDown = [this](int button, int shift, float x, float y) {
        Dispatch([=](Session& s) { frmMain::Picture1_MouseDown(s, button, shift, x, y); });
    };
    picture1_->OnMouseMove = [this](int buttons, int shift, float x, float y) {
        Dispatch([=](Session& s) { frmMain::Picture1_MouseMove(s, buttons, shift, x, y); },
                 Edits::OnlyWhenAGestureEnds);
    };
    picture1_->OnMouseUp = [this](int button, int shift, float x, float y) {
        Dispatch([=](Session& s) { frmMain::Picture1_MouseUp(s, button, shift, x, y); });
    };
    picture1_->TipAt = [this](float x, float y) { return CanvasTip(x, y); };
    picture1_->OnDoubleClick = [this](int button, int shift, float x, float y) {
        Dispatch([=](Session& s) { frmMain::Picture1_DblClick(s, button, shift, x, y); });
    };
    // Delete and Escape act on the canvas when it has the keyboard, which a press gives it.
    picture1_->setFocusPolicy(Qt::StrongFocus);
    for (const Qt::Key key : {Qt::Key_Delete, Qt::Key_Escape}) {
        auto* action = new QAction(picture1_);
        action->setShortcut(key);
        action->setShortcutContext(Qt::WidgetShortcut);
        picture1_->addAction(action);
        connect(action, &QAction::triggered, this, [this, key] {
            Dispatch([key](Session& s) { frmMain::Picture1_KeyDown(s, key); });
        });
    }
}

void MainWindow::Dispatch(const std::function<void(Session&)>& handler, Edits edits) {
    program_.Dispatch(handler, edits);
    // A resize that arrived while a handler waited in a message box is laid out now, so that no
    // redraw ever runs inside another.
    if (!program_.InHandler() && resizePending_) {
        resizePending_ = false;
        const QSize size = centralWidget()->size();
        program_.Dispatch(
            [&](Session& s) {
                ResizeLayout(s, size.width() * frm_.TwipsPerPixel,
                             size.height() * frm_.TwipsPerPixel);
            },
            Edits::OnlyWhenAGestureEnds);
    }
    SyncControls();
}

void MainWindow::TimerTick() {
    // A tick that arrives while a handler waits in a message box or dialog is skipped: no step
    // ever runs inside another handler.
    if (program_.InHandler()) return;
    // A tick that comes late (the window was painting) makes up the ticks it stood for, a few at
    // most, so that the run keeps the pace of its interval.
    const qint64 due = runClock_.elapsed() / std::max(1, frm_.Timer1.Interval);
    const qint64 owed = std::clamp<qint64>(due - ticksMade_, 1, kMostTicksAtOnce);
    ticksMade_ = std::max(ticksMade_ + owed, due - kMostTicksAtOnce);
    for (qint64 n = 0; n < owed && frm_.Timer1.Enabled; ++n)
        program_.Dispatch(frmMain::Timer1_Timer, Edits::OnlyWhenAGestureEnds);
    // A run that stopped (an error, a breakpoint, a full pool) shows so at once.
    if (!frm_.Timer1.Enabled || resizePending_) {
        Dispatch([](Session&) {}, Edits::OnlyWhenAGestureEnds);
        return;
    }
    if (!frame_.isActive()) frame_.start();
}

void MainWindow::SyncControls() {
    frame_.stop();
    label1_->setText(frm_.Label1Caption);
    label1_->setGeometry(
        Pixels(frm_.Label1.Left, frm_.Label1.Top, frm_.Label1.Width, frm_.Label1.Height));
    picture1_->setGeometry(
        Pixels(frm_.Picture1.Left, frm_.Picture1.Top, frm_.Picture1.Width, frm_.Picture1.Height));
    if (text1_->text() != frm_.Text1Text) text1_->setText(frm_.Text1Text);

    // The panel lies on the canvas, placed in canvas units.
    const double ux = canvas_.Picture2.UnitsPerLogicalPixelX();
    const double uy = canvas_.Picture2.UnitsPerLogicalPixelY();
    frame1_->setGeometry(static_cast<int>(std::lround(frm_.Frame1.Left / ux)),
                         static_cast<int>(std::lround(frm_.Frame1.Top / uy)),
                         static_cast<int>(std::lround(frm_.Frame1.Width / frm_.TwipsPerPixel)),
                         static_cast<int>(std::lround(frm_.Frame1.Height / frm_.TwipsPerPixel)));
    frame1_->setVisible(frm_.Frame1Visible);
    for (std::size_t i = 0; i < panelButtons_.size(); ++i)
        panelButtons_[i]->setEnabled(PanelCommandApplies(st_, static_cast<int>(i) + 5));

    const bool ticking = frm_.Timer1.Enabled && frm_.Timer1.Interval > 0;
    if (!ticking) {
        timer1_.stop();
    } else if (!timer1_.isActive() || timer1_.interval() != frm_.Timer1.Interval) {
        timer1_.start(frm_.Timer1.Interval);
        runClock_.start();
        ticksMade_ = 0;
    }

    for (std::size_t i = 0; i < mnuFilename_.size(); ++i) {
        mnuFilename_[i]->setText(MenuText(frm_.mnuFilename[i].Caption));
        mnuFilename_[i]->setVisible(frm_.mnuFilename[i].Visible);
    }
    mnuRunStepBack_->setEnabled(CanStepBack(session_));
    mnuRunBreakpoint_->setEnabled(ElementSelected(st_) && st_.SelIndex >= 1 &&
                                  st_.SelIndex <= st_.Diagram.ElemCount);
    if (values_) values_->ScheduleRefresh();
    mnuEditUndo_->setEnabled(history_.CanUndo());
    mnuEditRedo_->setEnabled(history_.CanRedo());
    setWindowTitle(WindowTitle(st_));
    setWindowModified(history_.Modified());
}

bool MainWindow::event(QEvent* event) {
    // On a screen of another scaling the canvas takes that screen's pixels.
    if (event->type() == QEvent::ScreenChangeInternal && picture1_ &&
        picture1_->devicePixelRatioF() != frm_.DevicePixelRatio) {
        frm_.DevicePixelRatio = picture1_->devicePixelRatioF();
        resizePending_ = true;
        if (!program_.InHandler()) Dispatch([](Session&) {}, Edits::OnlyWhenAGestureEnds);
    }
    return QMainWindow::event(event);
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    // A press anywhere in the window but on the panel closes the panel, as a pop-up closes; the
    // canvas's own presses close it themselves.
    if (event->type() == QEvent::MouseButtonPress && frm_.Frame1Visible &&
        watched->isWidgetType()) {
        auto* widget = static_cast<QWidget*>(watched);
        if (widget->window() == this && widget != picture1_ && !frame1_->isAncestorOf(widget) &&
            widget != frame1_) {
            frm_.Frame1Visible = false;
            SyncControls();
        }
    }
    if (watched == centralWidget() && event->type() == QEvent::Resize) {
        resizePending_ = true;
        if (!program_.InHandler()) Dispatch([](Session&) {}, Edits::OnlyWhenAGestureEnds);
    }
    return QMainWindow::eventFilter(watched, event);
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (!shutDown_) {
        bool goOn = true;
        Dispatch([&goOn](Session& s) { goOn = SaveChangesFirst(s); });
        if (!goOn) {
            event->ignore();
            return;
        }
        shutDown_ = true;
        timer1_.stop();
        RememberPreferences();
        Shutdown(session_);
    }
    event->accept();
    QApplication::closeAllWindows();
    QCoreApplication::quit();
}

void MainWindow::dragEnterEvent(QDragEnterEvent* event) {
    if (DroppedDiagramFile(event->mimeData()->urls())) event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent* event) {
    const std::optional<QString> path = DroppedDiagramFile(event->mimeData()->urls());
    if (!path) return;
    event->acceptProposedAction();
    Dispatch([&path](Session& s) {
        if (SaveChangesFirst(s)) LoadDiagram(s, *path);
    });
}
