#include "corvina/CorvinaCompanies.h"

#include "context/AppContext.h"
#include "db/Connections.h"
#include "db/DbValues.h"

#include <QSqlError>
#include <QSqlQuery>

namespace corv {

bool readCorvinaCompanies(AppContext& ctx, CorvinaCompanies& companies, QString* release, QString* error)
{
    companies.clear();
    const QSqlDatabase db = ctx.connections().db(Connections::Corvina);
    if (release) {
        QSqlQuery query(db);
        query.setForwardOnly(true);
        *release = query.exec(QStringLiteral("SELECT * FROM CorvinaRelease ORDER BY DatRelease DESC")) && query.next()
                       ? textOf(query.value(QStringLiteral("Release")))
                       : QString();
    }
    QSqlQuery query(db);
    query.setForwardOnly(true);
    if (!query.exec(QStringLiteral("SELECT * FROM Company ORDER BY VATYear DESC, CompanyCode"))) {
        ctx.log().write(QStringLiteral("*** ERRORE Aziende Corvina : ") + query.lastError().text());
        if (error)
            *error = query.lastError().text();
        return false;
    }
    while (query.next()) {
        companies << CorvinaCompany{textOf(query.value(QStringLiteral("CompanyCode"))).trimmed(),
                                    textOf(query.value(QStringLiteral("VATYear"))).trimmed().toInt(),
                                    textOf(query.value(QStringLiteral("CompanyName"))).trimmed(),
                                    textOf(query.value(QStringLiteral("CompanyGroupCode"))).trimmed()};
    }
    return true;
}

} // namespace corv
