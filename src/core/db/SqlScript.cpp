#include "db/SqlScript.h"

#include <QSqlError>
#include <QSqlQuery>

namespace corv {

QStringList splitSqlScript(const QString& script)
{
    QStringList statements;
    QString current;
    bool inQuote = false;
    for (qsizetype i = 0; i < script.size(); ++i) {
        const QChar c = script[i];
        if (!inQuote && c == QLatin1Char('-') && i + 1 < script.size() && script[i + 1] == QLatin1Char('-')) {
            while (i < script.size() && script[i] != QLatin1Char('\n'))
                ++i;
            current.append(QLatin1Char('\n'));
            continue;
        }
        if (c == QLatin1Char('\''))
            inQuote = !inQuote;
        if (!inQuote && c == QLatin1Char(';')) {
            if (!current.trimmed().isEmpty())
                statements << current.trimmed();
            current.clear();
            continue;
        }
        current.append(c);
    }
    if (!current.trimmed().isEmpty())
        statements << current.trimmed();
    return statements;
}

bool runSqlScript(QSqlDatabase& db, const QString& script, QString* error)
{
    if (!db.transaction()) {
        if (error)
            *error = db.lastError().text();
        return false;
    }
    QSqlQuery query(db);
    for (const QString& statement : splitSqlScript(script)) {
        if (!query.exec(statement)) {
            if (error)
                *error = query.lastError().text() + QStringLiteral("\n") + statement.left(200);
            query.finish();
            db.rollback();
            return false;
        }
    }
    query.finish();
    return db.commit();
}

} // namespace corv
