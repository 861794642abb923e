#include "listview/ListLines.h"

#include "report/FixedLine.h"

namespace corv::listlines {

QString countText(qsizetype count)
{
    return QString::number(count) + (count == 1 ? QStringLiteral(" riga.") : QStringLiteral(" righe."));
}

qsizetype findNext(const QStringList& lines, qsizetype from, const QString& text)
{
    const QString wanted = text.trimmed().toUpper();
    if (wanted.isEmpty() || lines.isEmpty())
        return -1;
    const qsizetype n = lines.size();
    for (qsizetype step = 1; step <= n; ++step) {
        const qsizetype at = ((from < 0 ? -1 : from) + step) % n;
        if (lines[at].toUpper().contains(wanted))
            return at;
    }
    return -1;
}

QStringList keepMatching(const QStringList& lines, const QString& text)
{
    const QString wanted = text.trimmed().toUpper();
    QStringList kept;
    for (const QString& line : lines) {
        if (line.toUpper().contains(wanted))
            kept << line;
    }
    return kept;
}

qsizetype headAfterKeep(const QStringList& lines, qsizetype head, const QString& text)
{
    const QString wanted = text.trimmed().toUpper();
    qsizetype kept = 0;
    for (qsizetype i = 0; i < std::min(head, lines.size()); ++i)
        kept += lines[i].toUpper().contains(wanted) ? 1 : 0;
    return kept;
}

QStringList removeBefore(const QStringList& lines, qsizetype selected)
{
    return selected <= 0 ? lines : lines.mid(selected);
}

QStringList removeAfter(const QStringList& lines, qsizetype selected)
{
    return selected < 0 ? lines : lines.mid(0, selected + 1);
}

QStringList pipeView(const QString& heading, const QString& line)
{
    const QStringList names = heading.split(QLatin1Char('!'));
    const QStringList pieces = line.split(QLatin1Char('|'));
    QStringList result;
    for (qsizetype i = 0; i < pieces.size(); ++i)
        result << FixedLine().text(i < names.size() ? names[i].trimmed() : QString(), 20).literal(pieces[i]).literal(u"<").take();
    return result;
}

} // namespace corv::listlines
