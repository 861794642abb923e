#include "journal/SubjectTotals.h"

#include "util/TextUtil.h"

namespace corv {

namespace {
constexpr int kRuleWidth = 79;
}

QString SubjectTotals::heading() { return QStringLiteral("Cli / For                             | Imponibile  |    IVA    |    Totale   |"); }

QString SubjectTotals::rule(QChar c) { return utl::RepeatChar(kRuleWidth, c); }

QString totalColumns(Amount taxable, Amount vat)
{
    QString line;
    line.reserve(40);
    utl::appendAmount(line, taxable, 2, 13);
    line += QLatin1Char('|');
    utl::appendAmount(line, vat, 2, 11);
    line += QLatin1Char('|');
    utl::appendAmount(line, taxable + vat, 2, 13);
    line += QLatin1Char('|');
    return line;
}

void SubjectTotals::add(const QString& key, const QString& type, const QString& name, Amount taxable, Amount vat)
{
    if (any_ && key != key_) {
        writeSubject();
        if (type != type_)
            writeType();
    }
    any_ = true;
    key_ = key;
    type_ = type;
    name_ = name;
    subjectTaxable_ += taxable;
    subjectVat_ += vat;
    typeTaxable_ += taxable;
    typeVat_ += vat;
}

void SubjectTotals::finish()
{
    if (!any_)
        return;
    writeSubject();
    writeType();
    any_ = false;
}

QStringList SubjectTotals::rowColumns()
{
    return {QStringLiteral("Cli/For"), QStringLiteral("Rag. Soc."), QStringLiteral("Imponibile"), QStringLiteral("IVA"), QStringLiteral("Totale")};
}

void SubjectTotals::writeSubject()
{
    // The key whole, however long: two long codes never print alike.
    write_(key_.leftJustified(7, QLatin1Char(' ')) + QLatin1Char('-') + utl::PadRight(name_, 30) + QLatin1Char('|') + totalColumns(subjectTaxable_, subjectVat_));
    if (rows_) {
        *rows_ << QStringList{key_, name_.trimmed(), subjectTaxable_.toText(2, false), subjectVat_.toText(2, false),
                              (subjectTaxable_ + subjectVat_).toText(2, false)};
    }
    subjectTaxable_ = subjectVat_ = Amount();
}

void SubjectTotals::writeType()
{
    write_(rule(QLatin1Char('-')));
    write_(QString(39, QLatin1Char(' ')) + totalColumns(typeTaxable_, typeVat_));
    write_(rule(QLatin1Char('=')));
    typeTaxable_ = typeVat_ = Amount();
}

} // namespace corv
