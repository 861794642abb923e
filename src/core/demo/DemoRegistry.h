#pragma once

#include <QSqlDatabase>
#include <QString>

namespace corv {

// Fills a company database with the registry: nations, towns, customers and
// suppliers with their current and historical records. `count` generated
// subjects (deterministic, realistic Italian and foreign ones) plus, when
// `planted` is set, a set of subjects with the faults the fiscal code checks
// must find (codes 900001 onwards).
bool fillDemoRegistry(QSqlDatabase& db, int count, bool planted, QString* error);

} // namespace corv
