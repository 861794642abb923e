#pragma once

#include <QByteArray>
#include <QFile>
#include <QList>
#include <QString>
#include <QStringList>

namespace corv::legacy {

// The export files Nembo leaves per company in one folder: "TR" + the
// three-character company number + the kind ("AZI" company, "CIV" VAT codes,
// "CAC" accounting reasons, "CLI" customers, "FOR" suppliers, "LCO"
// settlements, "PRN" journal). Names are matched without regard to case
// (TR001civ is TR001CIV): the files come from Windows.
QString exportFilePath(const QString& folder, const QString& company, const QString& kind);
// The companies of a folder: the numbers of its "TR???AZI" files, sorted (a
// folder's order is arbitrary on some systems; the first must not vary).
QStringList exportCompanies(const QString& folder);

// One record of an export file: fields separated by "|", addressed by their
// position from 1 (the text before the first "|" is field 1). A position
// beyond the last field is an empty field. Text is UTF-8 when the line is
// valid UTF-8, Windows-1252 otherwise.
class ExportRecord {
public:
    ExportRecord() = default;
    explicit ExportRecord(QByteArrayView line) { assign(line); }
    // The record of another line, reusing what this one holds.
    void assign(QByteArrayView line);

    QByteArrayView bytes(int position) const;
    QString field(int position) const;
    const QByteArray& line() const { return line_; }
    QString text() const;
    // Plain ASCII: its bytes are its text, in either encoding.
    bool isAscii() const { return ascii_; }

private:
    QByteArray line_;
    QList<qsizetype> starts_; // where each field starts; it ends at the next "|"
    bool ascii_ = true;
};

// Reads an export file record by record, skipping blank lines; the line
// number of the record read last counts every line of the file.
class ExportReader {
public:
    explicit ExportReader(const QString& path);
    bool isOpen() const { return file_.isOpen(); }
    bool next(ExportRecord& record);
    qint64 lineNumber() const { return lineNumber_; }
    // True when the file could not be read to its end.
    bool failed() const { return failed_; }
    QString errorString() const { return file_.errorString(); }

private:
    bool fill();

    QFile file_;
    QByteArray buffer_; // read ahead in large blocks
    qsizetype position_ = 0;
    bool atEnd_ = false;
    qint64 lineNumber_ = 0;
    bool failed_ = false;
};

} // namespace corv::legacy
