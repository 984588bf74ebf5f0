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
        // A label that already ends in its own patterns is shown as it is.
        if (label.endsWith(u'(' + patterns + u')')) filters << label;
        else filters << label + QStringLiteral(" (") + patterns + u')';
    }
    return filters;
}
