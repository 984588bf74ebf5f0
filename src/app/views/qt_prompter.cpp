#include "app/views/qt_prompter.h"

#include "app/file_filter.h"
#include "app/file_writing.h"
#include "app/views/export_dialog_view.h"
#include "dialogs/views/arg_no_dialog_view.h"
#include "dialogs/views/element_dialog_view.h"

#include <QAbstractButton>
#include <QFileDialog>
#include <QIcon>
#include <QImage>
#include <QMessageBox>

namespace {

const QString kCaption = QStringLiteral("Quillrun");

// A message box without any icon, not even on its buttons.
int Run(QMessageBox& box) {
    for (QAbstractButton* button : box.buttons()) button->setIcon(QIcon());
    return box.exec();
}

std::optional<QString> RunFileDialog(QWidget* parent, QFileDialog::AcceptMode mode,
                                     const QString& filter, const QString& proposed) {
    QFileDialog dialog(parent);
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile
                                                       : QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    dialog.setNameFilters(QtNameFilters(filter));
    if (!proposed.isEmpty()) dialog.selectFile(proposed);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    const QStringList files = dialog.selectedFiles();
    return files.isEmpty() ? QString() : files.first();
}

}  // namespace

void QtPrompter::Prepare() {
    if (BeforeModal) BeforeModal();
}

void QtPrompter::Message(const QString& text) {
    Prepare();
    QMessageBox box(QMessageBox::NoIcon, kCaption, text, QMessageBox::Ok, parent_);
    Run(box);
}

Answer QtPrompter::AskYesNoCancel(const QString& text, Answer preferred) {
    Prepare();
    QMessageBox box(QMessageBox::NoIcon, kCaption, text,
                    QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, parent_);
    box.setDefaultButton(preferred == Answer::Yes  ? QMessageBox::Yes
                         : preferred == Answer::No ? QMessageBox::No
                                                   : QMessageBox::Cancel);
    box.setEscapeButton(QMessageBox::Cancel);
    switch (Run(box)) {
        case QMessageBox::Yes:
            return Answer::Yes;
        case QMessageBox::No:
            return Answer::No;
        default:
            return Answer::Cancel;
    }
}

std::optional<QString> QtPrompter::OpenFileName(const QString& filter, const QString& proposed) {
    Prepare();
    return RunFileDialog(parent_, QFileDialog::AcceptOpen, filter, proposed);
}

std::optional<QString> QtPrompter::SaveFileName(const QString& filter, const QString& proposed) {
    Prepare();
    return RunFileDialog(parent_, QFileDialog::AcceptSave, filter, proposed);
}

void QtPrompter::ShowElementDialog(ElementDialog& dialog) {
    Prepare();
    ElementDialogView view(dialog, parent_);
    view.exec();
}

void QtPrompter::ShowArgNoDialog(ArgNoDialog& dialog) {
    Prepare();
    ArgNoDialogView view(dialog, parent_);
    view.exec();
}

void QtPrompter::ShowExportDialog(ExportDialog& dialog) {
    Prepare();
    ExportDialogView view(dialog, parent_);
    view.exec();
}

bool QtPrompter::SaveBitmap(const QImage& image, const QString& path) {
    return WriteImageSafely(image, path, "BMP");
}
