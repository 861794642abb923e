#pragma once

#include "db/Dialect.h"

#include <QList>
#include <QString>
#include <optional>

namespace corv {

// The connection strings of the Ardea world, built with the exact texts the
// products use (they are logged and shown), and their translation into what a
// Qt driver needs.

// The system catalogs: "Provider=" + provider + ";Persist Security Info=False;User ID=" ...
QString systemConnectionString(const QString& provider, const QString& user, const QString& password,
                               const QString& catalog, const QString& server);
// Company and common databases: the provider of the installation (SQLOLEDB when
// it is empty) + ".1".
QString companyConnectionString(const QString& installationProvider, const QString& user,
                                const QString& password, const QString& catalog, const QString& server);
// The working connections (Corvina, company and common databases) name
// SQLOLEDB.1; an installation on the embedded engine keeps its own provider.
QString dataConnectionString(const QString& installationProvider, const QString& user,
                             const QString& password, const QString& catalog, const QString& server);
// A side database file.
QString sideConnectionString(const QString& user, const QString& password, const QString& path);

inline const QString kCorvinaCatalog = QStringLiteral("Corvina_3");

// True for the embedded engine's provider name ("SQLite").
bool isEmbeddedProvider(const QString& provider);

struct ConnectionSpec {
    Engine engine = Engine::SqlServer;
    QString provider;
    QString user;
    QString password;
    QString catalog;
    QString server; // SQL Server name, or the folder of the SQLite catalogs
    QString file;   // SQLite: the database file

    // Arguments of the QODBC driver for SQL Server.
    QString odbcConnectString(const QString& driver) const;
};

// Reads "Key=Value;..." (values may be quoted). Fails with a message for an
// unknown provider or a string without a data source.
std::optional<ConnectionSpec> parseConnectionString(const QString& text, QString* error = nullptr);

// The string with its password's whole value replaced by asterisks, for the
// run log; quoted and braced values are masked to their closing quote.
QString maskConnectionPassword(const QString& text);

// A value as a connection string holds it: as it is when nothing in it could
// end or change it, else between quotes (" or ', the quote doubled inside).
QString connectionValue(const QString& value);

} // namespace corv
