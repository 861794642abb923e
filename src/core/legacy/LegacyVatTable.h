#pragma once

#include <QString>

namespace corv {

// TABIVA of the legacy export database (a side database file): created when
// missing, the creation logged to UpdTDB.LOG in `logFolder`. False when it
// cannot be created.
bool ensureVatCodeTable(const QString& databaseFile, const QString& logFolder, QString* error = nullptr);

} // namespace corv
