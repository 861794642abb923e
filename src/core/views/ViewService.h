#pragma once

#include <QSqlDatabase>
#include <QString>

namespace corv {

// The program's own views inside the databases it reads, versioned through
// the release table X2K_ViewRel: a view is dropped and created again only when
// the release the program requires is newer than the one recorded.
namespace views {

inline const QString kReleaseTable = QStringLiteral("X2K_ViewRel");
inline const QString kNoRelease = QStringLiteral("00.00.00.000");

bool viewExists(const QSqlDatabase& db, const QString& name);
bool objectExists(const QSqlDatabase& db, const QString& name);
bool dropView(const QSqlDatabase& db, const QString& name, QString* error = nullptr);
// Creates the release table when the database lacks it.
bool ensureReleaseTable(const QSqlDatabase& db, QString* error = nullptr);
// The recorded release; kNoRelease when there is none.
QString viewRelease(const QSqlDatabase& db, const QString& name);
bool setViewRelease(const QSqlDatabase& db, const QString& name, const QString& release, QString* error = nullptr);
// Drops and creates the view, then records its release (only on success).
// `selectText` is SQL Server's; the embedded engine gets its equivalent.
bool createView(const QSqlDatabase& db, const QString& name, const QString& selectText, const QString& release,
                QString* error = nullptr);

// Creates the view when the recorded release is lower than `required`
// (text comparison); `force` first sets the recorded release back to zero.
// False only on a database error.
bool ensureView(const QSqlDatabase& db, const QString& name, const QString& selectText, const QString& required,
                bool force, QString* error = nullptr);

} // namespace views
} // namespace corv
