#pragma once

#include <QString>

namespace corv {

class AppContext;
class Dialect;
struct Rs2ListOptions;

// The Ardea code lookup as far as the console's article field needs it: the
// articles whose code or description holds the typed text, as a list to
// choose from, and the description of a chosen code.
QString articleLookupSql(const Dialect& dialect, const QString& typed);
// The description of an article ("Cod_Art = code"); empty when there is none.
QString articleDescription(AppContext& ctx, const QString& code);

} // namespace corv
