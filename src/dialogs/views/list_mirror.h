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
    if (index < 0) {
        list.clearSelection();
        list.setCurrentRow(-1);
    } else {
        list.setCurrentRow(index);
    }
}

// The selected entry, or -1. The current row alone means nothing: a list that takes the focus
// makes its first row current without selecting it.
inline int SelectedRow(const QListWidget& list) {
    const QList<QListWidgetItem*> selected = list.selectedItems();
    return selected.isEmpty() ? -1 : list.row(selected.first());
}

inline void MirrorText(QLineEdit& edit, const QString& text) {
    if (edit.text() != text) edit.setText(text);
}
