#include "app/views/main_window.h"

#include "app/file_commands.h"
#include "app/startup.h"
#include "app/views/canvas_view.h"
#include "app/views/grid_dialog_view.h"
#include "dialogs/element_dialog.h"
#include "dialogs/selection_panel.h"
#include "editor/canvas_press.h"
#include "editor/edit_menu.h"
#include "editor/pointer_tracking.h"
#include "engine/run_control.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <cmath>

namespace {

// The client area at start, in twips.
constexpr double kClientWidth = 7620;
constexpr double kClientHeight = 4695;

QString MenuText(const QString& path) {
    QString text = path;
    return text.replace(u'&', QStringLiteral("&&"));
}

}  // namespace

MainWindow::MainWindow(const QString& appPath, Prompter* prompter)
    : ui_(this), session_{st_, frm_, canvas_, prompter ? *prompter : ui_} {
    setWindowTitle(QStringLiteral("Quillrun"));
    frm_.AppPath = appPath;
    if (const QScreen* screen = QGuiApplication::primaryScreen();
        screen && screen->logicalDotsPerInchX() > 0)
        frm_.TwipsPerPixel = 1440.0 / screen->logicalDotsPerInchX();
    ui_.BeforeModal = [this] { SyncControls(); };

    auto* client = new QWidget(this);
    setCentralWidget(client);
    BuildMenus();
    BuildControls(client);
    canvas_.OnPublished = [this](const QRect& r) { picture1_->update(r); };

    StartupInitialisation(session_);
    SyncControls();
    client->installEventFilter(this);
    const QRect area = Pixels(0, 0, kClientWidth, kClientHeight);
    resize(area.width(), area.height() + menuBar()->sizeHint().height());
}

MainWindow::~MainWindow() {
    canvas_.OnPublished = nullptr;
}

QRect MainWindow::Pixels(double left, double top, double width, double height) const {
    const double k = frm_.TwipsPerPixel;
    return QRect(static_cast<int>(std::lround(left / k)), static_cast<int>(std::lround(top / k)),
                 static_cast<int>(std::lround(width / k)),
                 static_cast<int>(std::lround(height / k)));
}

QPushButton* MainWindow::AddButton(QWidget* parent, const QString& caption, double left, double top,
                                   double width, double height) {
    auto* b = new QPushButton(caption, parent);
    b->setGeometry(Pixels(left, top, width, height));
    b->setFocusPolicy(Qt::TabFocus);
    return b;
}

void MainWindow::BuildMenus() {
    auto on = [this](QAction* action, void (*handler)(Session&)) {
        connect(action, &QAction::triggered, this, [this, handler] { Dispatch(handler); });
    };
    QMenu* file = menuBar()->addMenu(QStringLiteral("ファイル(&F)"));
    on(file->addAction(QStringLiteral("新規作成(&N)")), mnuFileNew_Click);
    on(file->addAction(QStringLiteral("開く(&O)")), mnuFileOpen_Click);
    file->addSeparator();
    on(file->addAction(QStringLiteral("保存(&S)")), mnuFileSave_Click);
    on(file->addAction(QStringLiteral("名前を付けて保存(&A)")), mnuFileSaveAs_Click);
    file->addSeparator();
    on(file->addAction(QStringLiteral("サンプルデータ(&E)")), mnuFileSample_Click);
    file->addSeparator();
    for (std::size_t i = 0; i < mnuFilename_.size(); ++i) {
        mnuFilename_[i] = file->addAction(QString());
        mnuFilename_[i]->setVisible(false);
        connect(mnuFilename_[i], &QAction::triggered, this, [this, i] {
            Dispatch([i](Session& s) { mnuFilename_Click(s, static_cast<int>(i)); });
        });
    }
    file->addSeparator();
    connect(file->addAction(QStringLiteral("終了(X)")), &QAction::triggered, this, &QWidget::close);

    QMenu* edit = menuBar()->addMenu(QStringLiteral("編集(&E)"));
    on(edit->addAction(QStringLiteral("要素追加(&A)")), mnuEditAddElement_Click);
    on(edit->addAction(QStringLiteral("接続(&C)")), mnuConect_Click);
    edit->addSeparator();
    on(edit->addAction(QStringLiteral("選択解除(&R)")), mnuEditRelease_Click);

    QMenu* option = menuBar()->addMenu(QStringLiteral("オプション(&O)"));
    connect(option->addAction(QStringLiteral("グリッド(&G)")), &QAction::triggered, this, [this] {
        ShowGridDialog(this, session_, [this](const std::function<void()>& press) {
            Dispatch([&](Session&) { press(); });
        });
    });
}

void MainWindow::BuildControls(QWidget* client) {
    commands_[1] = AddButton(client, QStringLiteral("初期化"), 120, 120, 1215, 375);
    commands_[2] = AddButton(client, QStringLiteral("逐次実行"), 120, 600, 1215, 375);
    commands_[3] = AddButton(client, QStringLiteral("自動実行"), 120, 1080, 1215, 375);
    auto* label2 = new QLabel(QStringLiteral("タイマー"), client);
    label2->setGeometry(Pixels(240, 1560, 735, 255));
    text1_ = new QLineEdit(frm_.Text1Text, client);
    text1_->setGeometry(Pixels(120, 1920, 1215, 270));
    connect(text1_, &QLineEdit::textEdited, this, [this](const QString& t) { frm_.Text1Text = t; });
    commands_[4] = AddButton(client, QStringLiteral("停止"), 120, 2280, 1215, 375);

    picture1_ = new CanvasView(canvas_, client);
    picture1_->setGeometry(
        Pixels(frm_.Picture1.Left, frm_.Picture1.Top, frm_.Picture1.Width, frm_.Picture1.Height));
    label1_ = new QLabel(frm_.Label1Caption, client);
    label1_->setTextFormat(Qt::PlainText);

    frame1_ = new QFrame(picture1_);
    frame1_->setFrameShape(QFrame::Box);
    frame1_->setAutoFillBackground(true);
    frame1_->hide();
    struct PanelButton {
        int command;
        const char16_t* caption;
        double top;
    };
    const PanelButton panel[] = {{10, u"取消", 120},         {5, u"点削除", 360},
                                 {6, u"接続線削除", 600},    {7, u"要素削除", 840},
                                 {8, u"点移動", 1080},       {9, u"要素移動", 1320},
                                 {11, u"要素属性変更", 1560}};
    for (const PanelButton& b : panel)
        commands_[static_cast<std::size_t>(b.command)] =
            AddButton(frame1_, QString::fromUtf16(b.caption), 0, b.top, 1575, 255);

    timer1_.setTimerType(Qt::PreciseTimer);

    auto on = [this](QPushButton* button, void (*handler)(Session&)) {
        connect(button, &QPushButton::clicked, this, [this, handler] { Dispatch(handler); });
    };
    on(commands_[1], Command1_Click);
    on(commands_[2], Command2_Click);
    on(commands_[3], Command3_Click);
    on(commands_[4], Command4_Click);
    on(commands_[5], Command5_Click);
    on(commands_[6], Command6_Click);
    on(commands_[7], Command7_Click);
    on(commands_[8], Command8_Click);
    on(commands_[9], Command9_Click);
    on(commands_[10], Command10_Click);
    on(commands_[11], Command11_Click);
    connect(&timer1_, &QTimer::timeout, this, &MainWindow::TimerTick);
    picture1_->OnMouseDown = [this](int button, int shift, float x, float y) {
        Dispatch([=](Session& s) { Picture1_MouseDown(s, button, shift, x, y); });
    };
    picture1_->OnMouseMove = [this](int buttons, int shift, float x, float y) {
        Dispatch([=](Session& s) { Picture1_MouseMove(s, buttons, shift, x, y); });
    };
}

void MainWindow::Dispatch(const std::function<void(Session&)>& handler) {
    ++handlerDepth_;
    handler(session_);
    --handlerDepth_;
    // A resize that arrived while a handler waited in a message box is laid out now, so that no
    // redraw ever runs inside another.
    if (handlerDepth_ == 0 && resizePending_) {
        resizePending_ = false;
        const QSize size = centralWidget()->size();
        ++handlerDepth_;
        ResizeLayout(session_, size.width() * frm_.TwipsPerPixel,
                     size.height() * frm_.TwipsPerPixel);
        --handlerDepth_;
    }
    SyncControls();
}

void MainWindow::TimerTick() {
    // A tick that arrives while a handler waits in a message box or dialog is skipped: no step
    // ever runs inside another handler.
    if (handlerDepth_ > 0) return;
    Dispatch(Timer1_Timer);
}

void MainWindow::SyncControls() {
    label1_->setText(frm_.Label1Caption);
    label1_->setGeometry(
        Pixels(frm_.Label1.Left, frm_.Label1.Top, frm_.Label1.Width, frm_.Label1.Height));
    picture1_->setGeometry(
        Pixels(frm_.Picture1.Left, frm_.Picture1.Top, frm_.Picture1.Width, frm_.Picture1.Height));
    if (text1_->text() != frm_.Text1Text) text1_->setText(frm_.Text1Text);

    // The panel lies on the canvas, placed in canvas units.
    const double ux = canvas_.Picture2.UnitsPerPixelX(), uy = canvas_.Picture2.UnitsPerPixelY();
    frame1_->setGeometry(static_cast<int>(std::lround(frm_.Frame1.Left / ux)),
                         static_cast<int>(std::lround(frm_.Frame1.Top / uy)),
                         static_cast<int>(std::lround(frm_.Frame1.Width / frm_.TwipsPerPixel)),
                         static_cast<int>(std::lround(frm_.Frame1.Height / frm_.TwipsPerPixel)));
    frame1_->setVisible(frm_.Frame1Visible);

    const bool ticking = frm_.Timer1.Enabled && frm_.Timer1.Interval > 0;
    if (!ticking) {
        timer1_.stop();
    } else if (!timer1_.isActive() || timer1_.interval() != frm_.Timer1.Interval) {
        timer1_.start(frm_.Timer1.Interval);
    }

    for (std::size_t i = 0; i < mnuFilename_.size(); ++i) {
        mnuFilename_[i]->setText(MenuText(frm_.mnuFilename[i].Caption));
        mnuFilename_[i]->setVisible(frm_.mnuFilename[i].Visible);
    }
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == centralWidget() && event->type() == QEvent::Resize) {
        resizePending_ = true;
        if (handlerDepth_ == 0) Dispatch([](Session&) {});
    }
    return QMainWindow::eventFilter(watched, event);
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (!shutDown_) {
        shutDown_ = true;
        timer1_.stop();
        Shutdown(session_);
    }
    event->accept();
    QApplication::closeAllWindows();
    QCoreApplication::quit();
}
