#include "db/ConnectionString.h"

#include <QDir>
#include <QFileInfo>
#include <QMap>
#include <QRegularExpression>

namespace corv {

namespace {

QString unquoted(QString value)
{
    value = value.trimmed();
    if (value.size() >= 2
        && ((value.startsWith(QLatin1Char('\'')) && value.endsWith(QLatin1Char('\'')))
            || (value.startsWith(QLatin1Char('"')) && value.endsWith(QLatin1Char('"')))))
        return value.mid(1, value.size() - 2);
    return value;
}

// Splits on ";" outside quotes.
QMap<QString, QString> keyValues(const QString& text)
{
    QMap<QString, QString> result;
    QString piece;
    QChar quote;
    const auto flush = [&] {
        const int eq = piece.indexOf(QLatin1Char('='));
        if (eq > 0)
            result.insert(piece.left(eq).trimmed().toLower(), unquoted(piece.mid(eq + 1)));
        piece.clear();
    };
    for (QChar c : text) {
        if (!quote.isNull()) {
            if (c == quote)
                quote = QChar();
        } else if (c == QLatin1Char('\'') || c == QLatin1Char('"')) {
            quote = c;
        } else if (c == QLatin1Char(';')) {
            flush();
            continue;
        }
        piece.append(c);
    }
    flush();
    return result;
}

// An ODBC attribute value in braces when it holds a character that would end it.
QString odbcValue(const QString& value)
{
    if (!value.contains(QRegularExpression(QStringLiteral("[;{}=\\s]"))))
        return value;
    QString escaped = value;
    escaped.replace(QLatin1Char('}'), QLatin1String("}}"));
    return QLatin1Char('{') + escaped + QLatin1Char('}');
}

} // namespace

QString systemConnectionString(const QString& provider, const QString& user, const QString& password,
                               const QString& catalog, const QString& server)
{
    return QStringLiteral("Provider=") + provider + QStringLiteral(";Persist Security Info=False;User ID=")
           + user + QStringLiteral(";Password=") + password + QStringLiteral(";Initial Catalog=") + catalog
           + QStringLiteral(";Data Source=") + server;
}

QString companyConnectionString(const QString& installationProvider, const QString& user,
                                const QString& password, const QString& catalog, const QString& server)
{
    const QString provider =
        installationProvider.isEmpty() ? QStringLiteral("SQLOLEDB") : installationProvider;
    return systemConnectionString(provider + QStringLiteral(".1"), user, password, catalog, server);
}

QString dataConnectionString(const QString& installationProvider, const QString& user,
                             const QString& password, const QString& catalog, const QString& server)
{
    const QString provider =
        isEmbeddedProvider(installationProvider) ? installationProvider : QStringLiteral("SQLOLEDB.1");
    return systemConnectionString(provider, user, password, catalog, server);
}

QString quotedConnectionString(const QString& catalog, const QString& password, const QString& user,
                               const QString& server)
{
    QString text = QStringLiteral("Provider=SQLOLEDB.1;Persist Security Info=False;User ID='") + user
                   + QStringLiteral("';Password='") + password + QStringLiteral("';Data Source='") + server
                   + QStringLiteral("';");
    if (!catalog.isEmpty())
        text += QStringLiteral("Initial Catalog='") + catalog + QStringLiteral("';");
    return text;
}

QString sideConnectionString(const QString& user, const QString& password, const QString& path)
{
    QString text = QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0;Persist Security Info=False;User ID=")
                   + user + QLatin1Char(';');
    if (!password.isEmpty())
        text += QStringLiteral("Password=") + password + QLatin1Char(';');
    return text + QStringLiteral("Data Source='") + path + QLatin1Char('\'');
}

bool isEmbeddedProvider(const QString& provider)
{
    return provider.trimmed().startsWith(QLatin1String("SQLite"), Qt::CaseInsensitive);
}

QString ConnectionSpec::odbcConnectString(const QString& driver) const
{
    QString host = server;
    QString port;
    // SQL Server's own names for this machine mean nothing to FreeTDS.
    for (const char* local : {"(local)", "(locale)", "."}) {
        if (host.compare(QLatin1String(local), Qt::CaseInsensitive) == 0)
            host = QStringLiteral("localhost");
    }
    const int comma = host.indexOf(QLatin1Char(','));
    if (comma >= 0) {
        port = host.mid(comma + 1).trimmed();
        host = host.left(comma).trimmed();
    }
    QString text = QStringLiteral("DRIVER={") + driver + QStringLiteral("};Server=") + odbcValue(host);
    if (!port.isEmpty())
        text += QStringLiteral(";Port=") + odbcValue(port);
    if (!catalog.isEmpty())
        text += QStringLiteral(";Database=") + odbcValue(catalog);
    text += QStringLiteral(";UID=") + odbcValue(user) + QStringLiteral(";PWD=") + odbcValue(password);
    if (driver.contains(QLatin1String("FreeTDS"), Qt::CaseInsensitive))
        text += QStringLiteral(";TDS_Version=7.4;ClientCharset=UTF-8");
    return text;
}

std::optional<ConnectionSpec> parseConnectionString(const QString& text, QString* error)
{
    const auto values = keyValues(text);
    ConnectionSpec spec;
    spec.provider = values.value(QStringLiteral("provider"));
    spec.user = values.value(QStringLiteral("user id"));
    spec.password = values.value(QStringLiteral("password"));
    spec.catalog = values.value(QStringLiteral("initial catalog"));
    spec.server = values.value(QStringLiteral("data source"));
    const auto fail = [&](const QString& message) {
        if (error)
            *error = message;
        return std::optional<ConnectionSpec>();
    };
    if (spec.server.isEmpty())
        return fail(QStringLiteral("Origine dati (Data Source) non indicata"));

    const QString provider = spec.provider.trimmed();
    if (isEmbeddedProvider(provider)) {
        spec.engine = Engine::Sqlite;
        spec.file = QDir(spec.server).filePath(spec.catalog + QStringLiteral(".sqlite"));
    } else if (provider.startsWith(QLatin1String("Microsoft.Jet.OLEDB"), Qt::CaseInsensitive)) {
        // Side databases are SQLite files that keep the Jet file's stem.
        spec.engine = Engine::Sqlite;
        const QFileInfo info(spec.server);
        spec.file = info.path() + QLatin1Char('/') + info.completeBaseName() + QStringLiteral(".sqlite");
    } else if (provider.startsWith(QLatin1String("SQLOLEDB"), Qt::CaseInsensitive)
               || provider.startsWith(QLatin1String("SQLNCLI"), Qt::CaseInsensitive)
               || provider.startsWith(QLatin1String("MSOLEDBSQL"), Qt::CaseInsensitive)) {
        spec.engine = Engine::SqlServer;
    } else {
        return fail(QStringLiteral("Provider non gestito : ") + provider);
    }
    return spec;
}

QString maskConnectionPassword(const QString& text)
{
    static const QRegularExpression password(QStringLiteral("(Password=|PWD=)('[^']+'|\"[^\"]+\"|[^;'\"]+)"),
                                             QRegularExpression::CaseInsensitiveOption);
    QString masked = text;
    masked.replace(password, QStringLiteral("\\1********"));
    return masked;
}

} // namespace corv
