#include "journal/ArticleLookup.h"

#include "context/AppContext.h"
#include "db/Dialect.h"
#include "db/RowReader.h"

namespace corv {

QString articleLookupSql(const Dialect& dialect, const QString& typed)
{
    const QString wanted = typed.trimmed();
    return QStringLiteral("SELECT cod_art, des_articolo FROM MG_ARTBASE WHERE ") + dialect.likeContaining(QStringLiteral("cod_art"), wanted)
           + QStringLiteral(" OR ") + dialect.likeContaining(QStringLiteral("des_articolo"), wanted) + QStringLiteral(" ORDER BY cod_art");
}

QString articleDescription(AppContext& ctx, const QString& code)
{
    RowReader reader(ctx.connections().db(Connections::Company));
    if (!reader.exec(QStringLiteral("SELECT des_articolo FROM MG_ARTBASE WHERE Cod_Art = ?"), {code}) || !reader.next())
        return {};
    return reader.text(0);
}

} // namespace corv
