#pragma once
// Small helpers that make a list box or a text box show what a dialog's logic holds, without
// disturbing what the person is typing when nothing changed.

#include <QLineEdit>
#include <QListWidget>
#include <QSignalBlocker>
#include <QStringList>

inline void MirrorList(QListWidget& list, const QStringList& entries, int index) {
    const QSignalBlocker blocker(list);
    bool same = list.count() == entries.size();
    for (int i = 0; same && i < entries.size(); ++i) same = list.item(i)->text() == entries[i];
    if (!same) {
        list.clear();
        list.addItems(entries);
    }
    list.setCurrentRow(index);
    if (index < 0) list.clearSelection();
}

inline void MirrorText(QLineEdit& edit, const QString& text) {
    if (edit.text() != text) edit.setText(text);
}
