#pragma once

#include <QDate>
#include <QString>
#include <optional>

namespace corv {

// A date field as the windows and the settings hold it: "dd/mm/yyyy", or the
// empty mask for none.
inline const QString kEmptyDate = QStringLiteral("__/__/____");

// A date field's date; nullopt for the empty mask, an invalid QDate for text that is no date.
std::optional<QDate> maskedDate(const QString& text);
// The date of a field for a command: an invalid QDate (no bound) for the
// empty mask and for text that is no date.
QDate boundDate(const QString& text);
// The range is coherent when either field is the empty mask, or both are
// dates and the final one is not before the initial one.
bool dateRangeCoherent(const QString& from, const QString& to);

} // namespace corv
