#pragma once
// What a drop on the main window opens.

#include <QList>
#include <QString>
#include <QUrl>
#include <optional>

// The diagram file a drop of urls opens: the first URL that names an existing regular file on
// this machine. Nothing when none does: folders, remote URLs and anything else that is not a
// file are passed over.
std::optional<QString> DroppedDiagramFile(const QList<QUrl>& urls);
