#include "app/views/export_dialog_view.h"

#include "model/translation.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

ExportDialogView::ExportDialogView(ExportDialog& logic, QWidget* parent)
    : QDialog(parent), logic_(logic) {
    setObjectName(QStringLiteral("frmExport"));
    setWindowTitle(Tr(kExportDialogCaption));
    setModal(true);

    auto* frame = new QGroupBox(QCoreApplication::translate("Quillrun", "倍率"), this);
    frame->setObjectName(QStringLiteral("Frame1"));
    auto* row = new QHBoxLayout(frame);
    for (std::size_t i = 0; i < scales_.size(); ++i) {
        const int scale = ExportDialog::kScales[i];
        auto* button = new QRadioButton(QStringLiteral("%1×").arg(scale), frame);
        button->setObjectName(QStringLiteral("Scale%1").arg(scale));
        row->addWidget(button);
        scales_[i] = button;
        connect(button, &QRadioButton::toggled, this, [this, i](bool on) {
            if (!on) return;
            logic_.SetScaleIndex(static_cast<int>(i));
            Sync();
        });
    }
    frame->setEnabled(logic_.ScaleApplies());

    grid_ = new QCheckBox(Tr(kIncludeGridCaption), this);
    grid_->setObjectName(QStringLiteral("IncludeGrid"));
    grid_->setEnabled(logic_.GridApplies());
    connect(grid_, &QCheckBox::toggled, this, [this](bool on) { logic_.IncludeGrid = on; });

    auto* confirm = new QPushButton(QCoreApplication::translate("Quillrun", "確認"), this);
    confirm->setObjectName(QStringLiteral("Command1"));
    confirm->setDefault(true);
    auto* cancel = new QPushButton(QCoreApplication::translate("Quillrun", "取消"), this);
    cancel->setObjectName(QStringLiteral("Command2"));
    connect(confirm, &QPushButton::clicked, this, [this] {
        logic_.Confirm();
        AfterLogic();
    });
    connect(cancel, &QPushButton::clicked, this, [this] {
        logic_.Cancel();
        AfterLogic();
    });

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(confirm);
    buttons->addWidget(cancel);
    auto* all = new QVBoxLayout(this);
    all->addWidget(frame);
    all->addWidget(grid_);
    all->addLayout(buttons);
    all->setSizeConstraint(QLayout::SetFixedSize);
    Sync();
}

void ExportDialogView::Sync() {
    for (std::size_t i = 0; i < scales_.size(); ++i)
        if (static_cast<int>(i) == logic_.ScaleIndex()) scales_[i]->setChecked(true);
    grid_->setChecked(logic_.IncludeGrid);
}

void ExportDialogView::AfterLogic() {
    Sync();
    if (!logic_.Closed()) return;
    if (logic_.Accepted())
        accept();
    else
        QDialog::reject();
}

void ExportDialogView::reject() {
    if (!logic_.Closed()) logic_.Cancel();
    QDialog::reject();
}
