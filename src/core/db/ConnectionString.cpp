#include "db/ConnectionString.h"

#include <QDir>
#include <QFileInfo>
#include <QMap>
#include <QRegularExpression>

namespace corv {

namespace {

// One "key=value" of a connection string, the value as written and as meant.
struct Attribute {
    QString key;     // lower case, trimmed
    QString value;   // unquoted
    qsizetype from;  // where the value as written starts
    qsizetype to;    // and where it ends
};

// Reads "key=value;..." by the rules of OLE DB and ODBC strings: a value may
// be quoted with ' or " (the quote doubled inside) or, as ODBC writes it, put
// between braces ("}" doubled inside); a bare value is trimmed, a quoted one
// is kept as it is, blanks and all.
QList<Attribute> attributes(const QString& text)
{
    QList<Attribute> result;
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n) {
        const qsizetype eq = text.indexOf(QLatin1Char('='), i);
        if (eq < 0)
            break;
        Attribute a{text.mid(i, eq - i).trimmed().toLower(), {}, eq + 1, eq + 1};
        qsizetype j = eq + 1;
        while (j < n && text[j] == QLatin1Char(' '))
            ++j;
        const QChar open = j < n ? text[j] : QChar();
        if (open == QLatin1Char('\'') || open == QLatin1Char('"') || open == QLatin1Char('{')) {
            const QChar close = open == QLatin1Char('{') ? QLatin1Char('}') : open;
            a.from = j;
            ++j;
            while (j < n) {
                if (text[j] == close) {
                    if (j + 1 < n && text[j + 1] == close) { // a doubled quote stands for itself
                        a.value += close;
                        j += 2;
                        continue;
                    }
                    ++j;
                    break;
                }
                a.value += text[j++];
            }
            a.to = j;
            while (j < n && text[j] != QLatin1Char(';'))
                ++j;
        } else {
            const qsizetype end = text.indexOf(QLatin1Char(';'), eq + 1);
            j = end < 0 ? n : end;
            a.from = eq + 1;
            a.to = j;
            a.value = text.mid(eq + 1, j - eq - 1).trimmed();
        }
        if (!a.key.isEmpty())
            result.append(a);
        i = j + 1;
    }
    return result;
}

QMap<QString, QString> keyValues(const QString& text)
{
    QMap<QString, QString> result;
    for (const Attribute& a : attributes(text))
        result.insert(a.key, a.value);
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
           + connectionValue(user) + QStringLiteral(";Password=") + connectionValue(password) + QStringLiteral(";Initial Catalog=")
           + connectionValue(catalog) + QStringLiteral(";Data Source=") + connectionValue(server);
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

QString sideConnectionString(const QString& user, const QString& password, const QString& path)
{
    QString text = QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0;Persist Security Info=False;User ID=")
                   + connectionValue(user) + QLatin1Char(';');
    if (!password.isEmpty())
        text += QStringLiteral("Password=") + connectionValue(password) + QLatin1Char(';');
    return text + QStringLiteral("Data Source='") + path + QLatin1Char('\'');
}

bool isEmbeddedProvider(const QString& provider)
{
    return provider.trimmed().startsWith(QLatin1String("SQLite"), Qt::CaseInsensitive);
}

QString ConnectionSpec::odbcConnectString(const QString& driver) const
{
    const bool freeTds = driver.contains(QLatin1String("FreeTDS"), Qt::CaseInsensitive);
    QString host = server.trimmed();
    QString port;
    const qsizetype comma = host.indexOf(QLatin1Char(','));
    if (comma >= 0) {
        port = host.mid(comma + 1).trimmed();
        host = host.left(comma).trimmed();
    }
    // SQL Server's own names for this machine mean nothing to FreeTDS.
    if (freeTds) {
        for (const char* local : {"(local)", "(locale)", "."}) {
            if (host.compare(QLatin1String(local), Qt::CaseInsensitive) == 0)
                host = QStringLiteral("localhost");
        }
    }
    // FreeTDS takes the port apart; Microsoft's drivers as "host,port".
    QString text = QStringLiteral("DRIVER={") + driver + QStringLiteral("};Server=");
    if (port.isEmpty() || freeTds)
        text += odbcValue(host);
    else
        text += odbcValue(host + QLatin1Char(',') + port);
    if (freeTds && !port.isEmpty())
        text += QStringLiteral(";Port=") + odbcValue(port);
    if (!catalog.isEmpty())
        text += QStringLiteral(";Database=") + odbcValue(catalog);
    text += QStringLiteral(";UID=") + odbcValue(user) + QStringLiteral(";PWD=") + odbcValue(password);
    if (freeTds)
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
    QString masked = text;
    const QList<Attribute> all = attributes(text);
    // From the last to the first, so the positions of the earlier ones hold.
    for (auto it = all.crbegin(); it != all.crend(); ++it) {
        if (it->key == QLatin1String("password") || it->key == QLatin1String("pwd"))
            masked.replace(it->from, it->to - it->from, QStringLiteral("********"));
    }
    return masked;
}

QString connectionValue(const QString& value)
{
    // Blanks, tabs and line breaks at either end are trimmed from a plain value.
    const bool plain = !value.contains(QLatin1Char(';')) && !value.contains(QLatin1Char('\'')) && !value.contains(QLatin1Char('"'))
                       && !(!value.isEmpty() && (value.front().isSpace() || value.back().isSpace())) && !value.startsWith(QLatin1Char('{'));
    if (plain)
        return value;
    if (!value.contains(QLatin1Char('"')))
        return QLatin1Char('"') + value + QLatin1Char('"');
    if (!value.contains(QLatin1Char('\'')))
        return QLatin1Char('\'') + value + QLatin1Char('\'');
    return QLatin1Char('"') + QString(value).replace(QLatin1Char('"'), QStringLiteral("\"\"")) + QLatin1Char('"');
}

} // namespace corv
