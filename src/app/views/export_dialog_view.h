#pragma once
// The window of the export dialog: a small modal Qt dialog showing its logic. The scales lie in
// the group 倍率 (Scale1, Scale2, Scale4; only a PNG picture has one), the check box IncludeGrid
// reads "グリッドを含める" (only while the canvas has a grid), then 確認 (Command1, Return) and
// 取消 (Command2). Closing it by the title bar or Escape acts as 取消.

#include "app/export_dialog.h"

#include <QDialog>
#include <array>

class QCheckBox;
class QRadioButton;

class ExportDialogView : public QDialog {
public:
    ExportDialogView(ExportDialog& logic, QWidget* parent);

    void reject() override;

private:
    void Sync();
    void AfterLogic();

    ExportDialog& logic_;
    std::array<QRadioButton*, ExportDialog::kScales.size()> scales_{};
    QCheckBox* grid_ = nullptr;
};
