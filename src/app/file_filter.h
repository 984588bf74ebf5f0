#pragma once
// Turns a filter of label|pattern pairs ("Quillrun(*.qrn)|*.qrn|...") into the list of name
// filters a Qt file dialog takes: "label (patterns)", shown with the patterns hidden so the
// label reads exactly as given. "*.*" means every file.

#include <QStringList>

QStringList QtNameFilters(const QString& pairs);
