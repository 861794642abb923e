#pragma once

#include <QSqlDatabase>
#include <QString>

namespace corv {

// The journal VAT view of an Ardea company database, kept by the managed
// views' release table.
inline const QString kJournalView = QStringLiteral("XEBV_PNRIVA");
inline const QString kJournalViewRelease = QStringLiteral("00.00.00.002");
QString journalViewText();
bool ensureJournalView(const QSqlDatabase& companyDb, bool force, QString* error = nullptr);

} // namespace corv
