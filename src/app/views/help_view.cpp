#include "app/views/help_view.h"

#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

HelpView::HelpView(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("HelpWindow"));
    setWindowTitle(QCoreApplication::translate("Quillrun", "使い方"));
    auto* text = new QTextBrowser(this);
    text->setObjectName(QStringLiteral("HelpText"));
    // The English translation names the English guide.
    text->setSource(QUrl(QStringLiteral("qrc:/help/") +
                         QCoreApplication::translate("Quillrun", "guide_ja.html")));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text);
    layout->addWidget(buttons);
    resize(720, 640);
}
