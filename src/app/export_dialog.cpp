#include "app/export_dialog.h"

ExportDialog::ExportDialog(ExportFormat format, bool gridShown)
    : format_(format), gridShown_(gridShown) {}

void ExportDialog::SetScaleIndex(int index) {
    if (!ScaleApplies() || index < 0 || index >= static_cast<int>(kScales.size())) return;
    scaleIndex_ = index;
}

void ExportDialog::Confirm() {
    if (closed_) return;
    closed_ = true;
    accepted_ = true;
}

void ExportDialog::Cancel() {
    closed_ = true;
}

ExportOptions ExportDialog::Options() const {
    ExportOptions options;
    options.scale = ScaleApplies() ? kScales[static_cast<std::size_t>(scaleIndex_)] : 1;
    options.grid = IncludeGrid && GridApplies();
    return options;
}
