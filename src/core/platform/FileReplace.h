#pragma once

#include <QString>

namespace corv {

// A file written under a temporary name beside its final place, then put in
// place whole: a failure or a killed run leaves the previous file as it was.

// A free name in the folder of `target` for its temporary copy, created empty
// and readable by its owner only; empty (and `reason` says why) when the
// folder cannot take it.
QString createTemporaryBeside(const QString& target, QString* reason = nullptr);

// Puts the finished temporary file on disk and over `target` in one step;
// false (the temporary removed, the target untouched) with the reason in
// Italian when it cannot.
bool putInPlace(const QString& temporary, const QString& target, QString* reason = nullptr);

// Whether two paths name one file (through links too); false when either is missing.
bool sameFile(const QString& a, const QString& b);

} // namespace corv
