#pragma once
// Turns a filter of label|pattern pairs ("Quillrun(*.qrn)|*.qrn|...") into the list of name
// filters a Qt file dialog takes. "*.*" means every file.

#include <QStringList>

QStringList QtNameFilters(const QString& pairs);
