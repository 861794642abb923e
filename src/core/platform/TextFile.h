#pragma once

#include <QByteArray>
#include <QString>

namespace corv {

// Text of a file written by us or by the Windows programs we sit beside:
// UTF-8 when the bytes are valid UTF-8, else the single-byte code page.
QString decodeText(const QByteArray& bytes);

// Reads a whole text file; false when it cannot be read (a missing file too).
bool readTextFile(const QString& path, QString& text);

// Replaces a file atomically. With ownerOnly a new file is created readable and
// writable by its owner only (files holding a password).
bool writeTextFileAtomically(const QString& path, const QString& text, bool ownerOnly = false);

} // namespace corv
