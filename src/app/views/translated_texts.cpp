#include "app/views/translated_texts.h"

#include "model/translation.h"

#include <QAbstractButton>
#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QWidget>

namespace {

constexpr char kSourceProperty[] = "quillrunSourceText";

void Show(QObject* object) {
    const QVariant kept = object->property(kSourceProperty);
    if (!kept.isValid()) return;
    const QString text = QCoreApplication::translate(kTextContext, kept.toByteArray().constData());
    if (auto* action = qobject_cast<QAction*>(object))
        action->setText(text);
    else if (auto* menu = qobject_cast<QMenu*>(object))
        menu->setTitle(text);
    else if (auto* button = qobject_cast<QAbstractButton*>(object))
        button->setText(text);
    else if (auto* label = qobject_cast<QLabel*>(object))
        label->setText(text);
    else if (auto* widget = qobject_cast<QWidget*>(object))
        widget->setWindowTitle(text);
}

}  // namespace

void KeepTranslated(QObject* object, const char* source) {
    object->setProperty(kSourceProperty, QByteArray(source));
    Show(object);
}

void Retranslate(QObject* root) {
    Show(root);
    for (QObject* child : root->findChildren<QObject*>()) Show(child);
}
