#pragma once

#include "command/ConsoleLists.h"

#include <QString>
#include <QStringList>

namespace corv {

class AppContext;

// The heading put above the Ardea customer/supplier list when it is exported.
QString ardeaSubjectHeading();

// Reads the VAT codes, the accounting reasons with a VAT register, and the
// customers and suppliers of the Italian area of the open Ardea company.
ReferenceLists readArdeaReferences(AppContext& ctx);

// Reads the selected Corvina company's VAT codes, reasons and customers and
// suppliers. With no company selected: a beep and "NESSUN ANNO NEL COMBO
// AZIENDE !!" in the status bar, nothing read.
ReferenceLists readCorvinaReferences(AppContext& ctx, const CorvinaCompany& company);

} // namespace corv
