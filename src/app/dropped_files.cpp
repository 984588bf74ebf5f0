#include "app/dropped_files.h"

#include <QFileInfo>

std::optional<QString> DroppedDiagramFile(const QList<QUrl>& urls) {
    for (const QUrl& url : urls) {
        if (!url.isLocalFile()) continue;
        const QString path = url.toLocalFile();
        // A device or a pipe might never end; a folder is no diagram.
        if (QFileInfo(path).isFile()) return path;
    }
    return std::nullopt;
}
