#include "console/ArticleLookup.h"

#include "process/AppContext.h"
#include "db/Dialect.h"
#include "db/RowReader.h"

namespace corv {

QString articleLookupSql(const QString& typed)
{
    const QString pattern = Dialect::quote(QLatin1Char('%') + typed.trimmed() + QLatin1Char('%'));
    return QStringLiteral("SELECT cod_art, des_articolo FROM MG_ARTBASE WHERE cod_art LIKE ") + pattern
           + QStringLiteral(" OR des_articolo LIKE ") + pattern + QStringLiteral(" ORDER BY cod_art");
}

QString articleDescription(AppContext& ctx, const QString& code)
{
    RowReader reader(ctx.connections().db(Connections::Company));
    if (!reader.exec(QStringLiteral("SELECT des_articolo FROM MG_ARTBASE WHERE Cod_Art = ?"), {code}) || !reader.next())
        return {};
    return reader.text(0);
}

} // namespace corv
