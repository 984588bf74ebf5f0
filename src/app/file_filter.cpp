#include "app/file_filter.h"

QStringList QtNameFilters(const QString& pairs) {
    const QStringList parts = pairs.split(u'|');
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString& label = parts[i];
        QString patterns = parts[i + 1];
        patterns.replace(u';', u' ');
        if (patterns.split(u' ', Qt::SkipEmptyParts).contains(QStringLiteral("*.*")))
            patterns = QStringLiteral("*");
        // The dialog shows the label alone (its own patterns are hidden), so the label keeps its
        // exact text while the patterns say what matches.
        filters << label + QStringLiteral(" (") + patterns + u')';
    }
    return filters;
}
