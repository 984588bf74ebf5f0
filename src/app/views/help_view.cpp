#include "app/views/help_view.h"

#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QEvent>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

HelpView::HelpView(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("HelpWindow"));
    auto* text = new QTextBrowser(this);
    text->setObjectName(QStringLiteral("HelpText"));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text);
    layout->addWidget(buttons);
    resize(720, 640);
    ShowGuide();
}

void HelpView::ShowGuide() {
    setWindowTitle(QCoreApplication::translate("Quillrun", "使い方"));
    // The English translation names the English guide.
    findChild<QTextBrowser*>(QStringLiteral("HelpText"))
        ->setSource(QUrl(QStringLiteral("qrc:/help/") +
                         QCoreApplication::translate("Quillrun", "guide_ja.html")));
}

void HelpView::changeEvent(QEvent* event) {
    QDialog::changeEvent(event);
    if (event->type() == QEvent::LanguageChange) ShowGuide();
}
