#pragma once

#include <QString>

namespace corv {

class AppContext;

// The program's own views of the Corvina VAT lines, one per kind of year.
inline const QString kCorvinaLinesView = QStringLiteral("XCVZ_RIGHEIVA");
// From 2017 Corvina keeps the VAT data rows, with their nature and document
// type; before, the VAT attachment rows. The one place that says which year.
inline constexpr int kVatDataFirstYear = 2017;
inline bool vatDataYear(int year) { return year >= kVatDataFirstYear; }
// The Corvina VAT lines view of a year.
QString corvinaLinesViewOf(int year);
inline const QString kCorvinaLinesViewRelease = QStringLiteral("00.00.00.003");
inline const QString kCorvinaLinesView17 = QStringLiteral("XCVZ_RIGHEIVA17");
inline const QString kCorvinaLinesView17Release = QStringLiteral("00.00.00.002");
QString corvinaLinesViewText();
QString corvinaLinesView17Text();
bool ensureCorvinaViews(AppContext& ctx, QString* error = nullptr);

} // namespace corv
