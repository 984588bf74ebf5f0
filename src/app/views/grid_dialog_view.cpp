#include "app/views/grid_dialog_view.h"

#include "app/views/translated_texts.h"

#include "model/form_controls.h"
#include "model/session.h"
#include "model/translation.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <cmath>

namespace {

// The client area, in twips.
constexpr double kClientWidth = 4140;
constexpr double kClientHeight = 510;

int ToPixels(double twips, double twipsPerPixel) {
    return static_cast<int>(std::lround(twips / twipsPerPixel));
}

}  // namespace

GridDialogView::GridDialogView(QWidget* parent, Session& s, Runner run)
    : QWidget(parent, Qt::Tool), logic_(std::make_unique<GridDialog>(s)), run_(std::move(run)) {
    setAttribute(Qt::WA_DeleteOnClose);
    setObjectName(QStringLiteral("frmGrid"));
    KeepTranslated(this, kGridDialogCaption.source);
    const double k = s.frm.TwipsPerPixel > 0 ? s.frm.TwipsPerPixel : kTwipsPerPixelAt96Dpi;
    auto place = [k](QWidget* w, double left, double top, double width, double height) {
        w->setGeometry(ToPixels(left, k), ToPixels(top, k), ToPixels(width, k),
                       ToPixels(height, k));
    };
    setFixedSize(ToPixels(kClientWidth, k), ToPixels(kClientHeight, k));

    // Created in tab order.
    text1_ = new QLineEdit(logic_->Text1Text, this);
    text1_->setObjectName(QStringLiteral("Text1"));
    place(text1_, 120, 120, 735, 270);
    connect(text1_, &QLineEdit::textEdited, this,
            [this](const QString& t) { logic_->Text1Text = t; });

    struct Button {
        const char* name;
        const char* caption;  // marked for translation
        double left;
        void (GridDialog::*handler)();
    };
    const Button buttons[] = {
        {"Command1", QT_TRANSLATE_NOOP("Quillrun", "設定"), 960, &GridDialog::Command1_Click},
        {"Command2", QT_TRANSLATE_NOOP("Quillrun", "解除"), 1920, &GridDialog::Command2_Click},
        {"Command3", QT_TRANSLATE_NOOP("Quillrun", "取消"), 2880, &GridDialog::Command3_Click}};
    for (const Button& b : buttons) {
        auto* button = new QPushButton(this);
        KeepTranslated(button, b.caption);
        button->setObjectName(QString::fromLatin1(b.name));
        button->setAutoDefault(false);
        place(button, b.left, 120, 855, 255);
        const auto handler = b.handler;
        connect(button, &QPushButton::clicked, this, [this, handler] { Press(handler); });
    }
}

GridDialogView::~GridDialogView() = default;

void GridDialogView::Press(void (GridDialog::*handler)()) {
    // The text box may hold an edit the person has not finished; take what it shows.
    logic_->Text1Text = text1_->text();
    const auto press = [this, handler] { (logic_.get()->*handler)(); };
    if (run_)
        run_(press);
    else
        press();
    if (text1_->text() != logic_->Text1Text) text1_->setText(logic_->Text1Text);
    if (logic_->Closed()) close();
}

void GridDialogView::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    activateWindow();
    text1_->setFocus(Qt::ActiveWindowFocusReason);
    text1_->selectAll();
}

void GridDialogView::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            if (auto* button = qobject_cast<QPushButton*>(focusWidget()))
                button->click();
            else
                Press(&GridDialog::Command1_Click);
            return;
        case Qt::Key_Escape:
            Press(&GridDialog::Command3_Click);
            return;
        default:
            QWidget::keyPressEvent(event);
    }
}

void GridDialogView::closeEvent(QCloseEvent* event) {
    // Closing by the title bar leaves the grid as it is, like 取消.
    closing_ = true;
    event->accept();
}

GridDialogView* ShowGridDialog(QWidget* parent, Session& s, GridDialogView::Runner run) {
    GridDialogView* view = nullptr;
    if (parent) {
        // A window that has closed but is not yet destroyed does not count as open.
        for (GridDialogView* open :
             parent->findChildren<GridDialogView*>(QString(), Qt::FindDirectChildrenOnly))
            if (!open->Closing()) view = open;
    }
    if (!view) {
        view = new GridDialogView(parent, s, std::move(run));
        view->show();
        return view;
    }
    view->show();
    view->raise();
    view->activateWindow();
    return view;
}
