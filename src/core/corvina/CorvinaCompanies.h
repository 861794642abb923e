#pragma once

#include "platform/CorvinaCompany.h"

#include <QString>

namespace corv {

class AppContext;

// The companies of Corvina's Company table, newest year first, and Corvina's
// release; false (the error logged and in `error`) when they cannot be read.
bool readCorvinaCompanies(AppContext& ctx, CorvinaCompanies& companies, QString* release, QString* error = nullptr);

} // namespace corv
