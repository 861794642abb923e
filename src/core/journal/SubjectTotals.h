#pragma once

#include "util/Amount.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <functional>

namespace corv {

// The totals of a journal per customer/supplier key, as the journal reports
// write them: one total line per key, and after the last key of a type
// (customers, suppliers) a "-" line, the type's subtotal and a "=" line. The
// rows come grouped by key; rows without customer/supplier (receipts) have a
// blank key and form their own group, never joined to the next key.
class SubjectTotals {
public:
    using WriteLine = std::function<void(const QString&)>;
    explicit SubjectTotals(WriteLine write) : write_(std::move(write)) {}
    // Where each key's totals also go as data: key, name, taxable, VAT, total.
    void setRows(QList<QStringList>* rows) { rows_ = rows; }
    // The names of those fields.
    static QStringList rowColumns();

    // "Cli / For   ...   | Imponibile  |    IVA    |    Totale   |"
    static QString heading();
    // The 79-character rule of the heading and the groups.
    static QString rule(QChar c);

    // One journal row; `key` is the type letter and the code.
    void add(const QString& key, const QString& name, Amount taxable, Amount vat) { add(key, key.left(1), name, taxable, vat); }
    // The same with the type given apart (keys that end with their letter).
    void add(const QString& key, const QString& type, const QString& name, Amount taxable, Amount vat);
    // After the last row: the last key's line and its type's group.
    void finish();

private:
    void writeSubject();
    void writeType();

    WriteLine write_;
    QList<QStringList>* rows_ = nullptr;
    bool any_ = false; // a previous row exists (its key may be blank)
    QString key_;
    QString type_;
    QString name_;
    Amount subjectTaxable_, subjectVat_, typeTaxable_, typeVat_;
};

// The three amounts of a total line: taxable (13), VAT (11), their sum (13),
// each followed by "|".
QString totalColumns(Amount taxable, Amount vat);

} // namespace corv
