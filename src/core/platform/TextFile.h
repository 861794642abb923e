#pragma once

#include <QByteArray>
#include <QFileDevice>
#include <QString>

namespace corv {

// Text of a file written by us or by the Windows programs we sit beside:
// UTF-8 when the bytes are valid UTF-8, else Windows-1252 (the code page of
// the Italian Windows programs: 0x80 is the euro sign).
QString decodeText(const QByteArray& bytes);

// Reads a whole text file; false when it cannot be read (a missing file too).
bool readTextFile(const QString& path, QString& text);

// Replaces a file atomically: the old file stays whole unless the new one was
// written to its last byte and put on disk. With ownerOnly a new file is
// created readable and writable by its owner only (files holding a password).
// On failure `reason` says why, in Italian.
bool writeTextFileAtomically(const QString& path, const QString& text, bool ownerOnly = false, QString* reason = nullptr);

// One write to a file opened unbuffered, checked to its last byte (Qt's own
// buffer hides a short write, so a full disk would look like success), and
// the reason of a failed one.
bool writeFully(QFileDevice& file, const QByteArray& bytes);
QString writeErrorOf(const QFileDevice& file);

} // namespace corv
