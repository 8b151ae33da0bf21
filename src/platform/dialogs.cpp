#include "platform/dialogs.h"

#include <QRegularExpression>
#include <QStringList>

namespace {

// "*.spd;*.bin" or "*.spd *.bin" -> {"*.spd", "*.bin"}, with "*.*" meaning every file.
QStringList convertPatterns(const QString& patterns)
{
    static const QRegularExpression separators(QStringLiteral("[;\\s]+"));
    QStringList out;
    for (const QString& p : patterns.split(separators, Qt::SkipEmptyParts)) {
        const QString q = (p == QLatin1String("*.*")) ? QStringLiteral("*") : p;
        if (!out.contains(q))
            out << q;
    }
    return out;
}

QStringList filterEntries(const QString& vbFilter)
{
    const QStringList parts = vbFilter.split(QLatin1Char('|'));
    QStringList entries;
    // A description without its pattern (an odd last part) names nothing and is left out.
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QString description = parts[i].trimmed();
        QStringList patterns = convertPatterns(parts[i + 1]);
        if (patterns.isEmpty())
            patterns << QStringLiteral("*");
        const QString joined = patterns.join(QLatin1Char(' '));
        if (description.isEmpty()) {
            entries << joined;
            continue;
        }
        // Qt reads the patterns from the last parenthesised group of the entry.
        const int open = description.lastIndexOf(QLatin1Char('('));
        if (description.endsWith(QLatin1Char(')')) && open >= 0 &&
            convertPatterns(description.mid(open + 1, description.size() - open - 2)) == patterns) {
            entries << description.left(open) + QLatin1Char('(') + joined + QLatin1Char(')');
        } else {
            entries << description + QStringLiteral(" (") + joined + QLatin1Char(')');
        }
    }
    return entries;
}

} // namespace

QString qtFileFilter(const QString& vbFilter)
{
    return filterEntries(vbFilter).join(QStringLiteral(";;"));
}

QString qtSelectedFilter(const QString& vbFilter, int filterIndex)
{
    const QStringList entries = filterEntries(vbFilter);
    if (filterIndex < 1 || filterIndex > entries.size())
        return QString();
    return entries[filterIndex - 1];
}
