#include "taxcode/GeneralCheck.h"

#include "context/AppContext.h"
#include "util/Feedback.h"
#include "report/ReportFile.h"
#include "util/TextUtil.h"
#include "db/DbValues.h"
#include "db/FieldRow.h"
#include "db/KeysetReader.h"
#include "db/RowEditor.h"
#include "platform/Ui.h"
#include "taxcode/FiscalCodeRules.h"
#include "taxcode/TaxCodeChecks.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>

#include <array>

namespace corv {

namespace {

using utl::PadRight;
using Answer = Ui::Answer;

const QString kCrLf = QStringLiteral("\r\n");
const QString kTitle = QStringLiteral("Controllo PI/CF Generiche");

bool isNumeric(const QString& text)
{
    if (text.isEmpty())
        return false;
    for (QChar c : text) {
        if (!c.isDigit())
            return false;
    }
    return true;
}

// The walk's statement: the registry records of every customer and supplier.
QString fromAndOrder()
{
    return QStringLiteral(
        " FROM CO_CLIFOR AS c"
        " LEFT JOIN CA_ANAGRAFICHE AS a ON (a.cod_anagra=c.cod_clifor)"
        " LEFT JOIN CA_ANAGRAFICHE_STO AS s ON (s.cod_anagra=c.cod_clifor)"
        " LEFT JOIN CA_NAZIONI AS n ON (a.cod_naz=n.cod_naz)"
        " LEFT JOIN CA_NAZIONI AS ns ON (s.cod_naz=ns.cod_naz)"
        "%1"
        " ORDER BY a.des_ragsoc, c.ind_clifor, a.cod_piva, a.cod_cfisc, a.cod_anagra");
}

QString selectColumns(const Dialect& dialect)
{
    return QStringLiteral(
               "SELECT a.cod_anagra, c.ind_clifor, a.des_ragsoc, s.des_ragsoc AS des_ragsoc_s, a.flg_pers_fis, a.cod_cfisc, a.cod_piva"
               ", a.dat_nasc, a.ind_sesso, a.cod_localita_nas, a.cod_cfisc_estero, a.ind_tipo_diciva"
               ", s.cod_cfisc AS cod_cfisc_s, s.cod_piva AS cod_piva_s"
               ", s.flg_pers_fis AS flg_pers_fis_s, c.flg_allegato, c.ind_tipo_diciva AS ind_tipo_diciva_cf"
               ", s.cod_localita_nas AS cod_localita_nas_s, s.cod_cfisc_estero AS cod_cfisc_estero_s"
               ", a.flg_piva_ver, s.flg_piva_ver AS flg_piva_ver_s"
               ", a.cod_naz, s.cod_naz AS cod_naz_s, n.ind_area_naz, ns.ind_area_naz AS ind_area_naz_s, ")
           + dialect.concat({QStringLiteral("n.sig_iso"), QStringLiteral("''")}) + QStringLiteral(" AS cod_iso, ")
           + dialect.concat({QStringLiteral("ns.sig_iso"), QStringLiteral("''")}) + QStringLiteral(" AS cod_iso_s")
           + QStringLiteral(", a.dat_obsoleto, s.dat_obsoleto AS dat_obsoleto_s, c.dat_obsoleto AS dat_obsoleto_cf"
                            ", c.cod_clifor, s.cod_anagra AS cod_anagra_s");
}

// The walk's columns the checks read on every row, found once by name.
enum Column { IndClifor, CodClifor, DesRagsoc, DatObsoleto, CodAnagra, CodAnagraS, CodNaz, CodNazS, CodIso, CodIsoS, DatNasc, CodCfisc, CodCfiscS, CodPiva, CodPivaS, ColumnCount };
const char* const kColumnNames[ColumnCount] = {"ind_clifor", "cod_clifor", "des_ragsoc", "dat_obsoleto", "cod_anagra", "cod_anagra_s", "cod_naz", "cod_naz_s", "cod_iso", "cod_iso_s", "dat_nasc", "cod_cfisc", "cod_cfisc_s", "cod_piva", "cod_piva_s"};
// The columns a correction may change, as each record's editor names them;
// the walk names the historical record's with "_s" after them.
const char* const kEditable[] = {"cod_cfisc", "cod_piva", "flg_pers_fis", "ind_tipo_diciva", "dat_nasc", "ind_sesso", "cod_localita_nas"};
constexpr std::size_t kEditableCount = std::size(kEditable);

class GeneralCheckRun {
public:
    GeneralCheckRun(AppContext& ctx, const GeneralCheckInput& input)
        : ctx_(ctx), ui_(ctx.ui()), input_(input), db_(ctx.connections().db(Connections::Company)),
          dialect_(dialectOf(db_)), progress_(ctx.feedback())
    {
    }

    GeneralCheckResult run();

private:
    // One row's two registry records and its report state.
    struct Row {
        FieldRow record;
        RowEditor current;
        RowEditor historical;
        QString subject;
        QString reported; // every line written for this row
        bool changed = false;
        int errors = 0;
    };

    QVariant field(const Row& row, Column column) const { return row.record.at(columns_[column]); }
    // A question whose Yes corrects the rows.
    bool askToCorrect(const QString& text, Answer defaultAnswer) { return ui_.confirmChange(text, QString(), defaultAnswer) == Answer::Yes; }
    void heading(const QString& text) { report_->write(text); }
    void finding(Row& row, const QString& text)
    {
        report_->write(text);
        row.reported += text + kCrLf;
        ++findings_;
        findingRows_.append({textOf(field(row, IndClifor)), textOf(field(row, CodClifor)),
                             textOf(field(row, DesRagsoc)).trimmed(), text});
    }
    bool saveRow(Row& row);
    bool closeSection(Row& row);
    bool checkRow(Row& row);
    bool cleanCodes(Row& row, QString& cf, QString& pi, QString& cfS, QString& piS);
    bool checkCurrentFiscalCode(Row& row, const QString& cf, const QString& pi, const QString& cfS);
    bool fillTown(Row& row, RowEditor& editor, const QString& code);
    void checkVatNumber(Row& row, RowEditor& editor, const QString& pi, bool historical);
    void checkHistoricalFiscalCode(Row& row, const QString& cfS, const QString& piS);
    void checkNations(Row& row);
    bool setDeclarantKind(Row& row);
    bool checkJournal(Row& row);
    bool databaseError(const QString& what, const QString& error);

    AppContext& ctx_;
    Ui& ui_;
    const GeneralCheckInput& input_;
    QSqlDatabase db_;
    const Dialect& dialect_;
    Feedback progress_;
    std::unique_ptr<ReportFile> report_;
    std::unique_ptr<QSqlQuery> townLookup_;
    std::unique_ptr<QSqlQuery> journalCount_;
    std::vector<int> editablePositions_; // of the current then the historical record's columns
    std::array<int, ColumnCount> columns_{};
    QHash<QString, bool> towns_;
    std::unique_ptr<KeysetReader> reader_;
    int findings_ = 0;
    QList<GeneralCheckFinding> findingRows_;
    bool saveCorrections_ = true;
    bool automatic_ = false;
    bool journalCheck_ = false;
    bool fixAlphanumeric_ = false;
    bool townTable_ = false;
    int currentYear_ = QDate::currentDate().year();
};

bool GeneralCheckRun::databaseError(const QString& what, const QString& error)
{
    ctx_.log().write(QStringLiteral("*** ERRORE Controllo PI/CF Generale - ") + what + QStringLiteral(" : ") + error);
    ui_.critical(QStringLiteral("Errore di database (") + what + QStringLiteral(") :\r\n") + error
                     + QStringLiteral("\r\n\r\nControllo interrotto: le modifiche già salvate restano."),
                 kTitle);
    return false;
}

bool GeneralCheckRun::saveRow(Row& row)
{
    if (!saveCorrections_) {
        // Reported, not saved: nobody confirmed the corrections.
        row.current.cancel();
        row.historical.cancel();
        return true;
    }
    for (RowEditor* editor : {&row.current, &row.historical}) {
        QString error;
        switch (editor->save(&error)) {
        case RowEditor::SaveResult::Failed:
            return databaseError(QStringLiteral("salvataggio ") + row.subject, error);
        case RowEditor::SaveResult::ChangedElsewhere:
            finding(row, QStringLiteral("*** Anagrafica modificata da un altro utente: NON aggiornata ") + row.subject);
            break;
        case RowEditor::SaveResult::Saved:
            // Another row of the walk may show the same registry record.
            reader_->invalidate(field(row, CodClifor));
            break;
        default:
            break;
        }
    }
    return true;
}

// A section that reported an error keeps none of its changes, unless the
// error reports a deletion (its counter started at -1).
bool GeneralCheckRun::closeSection(Row& row)
{
    bool ok = true;
    if (row.changed) {
        if (row.errors < 1) {
            ok = saveRow(row);
        } else {
            row.current.cancel();
            row.historical.cancel();
        }
    }
    row.changed = false;
    row.errors = 0;
    return ok;
}

bool GeneralCheckRun::cleanCodes(Row& row, QString& cf, QString& pi, QString& cfS, QString& piS)
{
    const auto clean = [&](RowEditor& editor, QString& cfValue, QString& piValue, const QString& line) {
        bool assigned = false;
        for (auto [value, column] : {std::pair{&cfValue, QStringLiteral("cod_cfisc")}, std::pair{&piValue, QStringLiteral("cod_piva")}}) {
            const QString cleaned = utl::StripChars(*value, taxcode::kCleaningSet);
            if (cleaned != *value) {
                editor.set(column, cleaned);
                *value = cleaned;
                assigned = true;
            }
        }
        if (!assigned)
            return true;
        finding(row, line + row.subject);
        return saveRow(row);
    };
    if ((!pi.isEmpty() || !cf.isEmpty()) && (!piS.isEmpty() || !cfS.isEmpty())) {
        return clean(row.current, cf, pi, QStringLiteral("Effettuata PULIZIA CF/PI "))
               && clean(row.historical, cfS, piS, QStringLiteral("Effettuata PULIZIA CF/PI Sto"));
    }
    const QVariant obsolete = field(row, DatObsoleto);
    finding(row, QStringLiteral("*** Mancano CF e PI Codice :") + textOf(field(row, CodAnagra))
                     + QStringLiteral(" : ") + PadRight(textOf(field(row, DesRagsoc)), 27)
                     + QStringLiteral("...")
                     + (obsolete.isNull() ? QStringLiteral(" - NON Obsoleto")
                                          : QStringLiteral("  (Obsoleto al:") + dateText(obsolete) + QLatin1Char(')')));
    return true;
}

bool GeneralCheckRun::fillTown(Row& row, RowEditor& editor, const QString& code)
{
    const QString town = code.mid(11, 4).trimmed();
    // The towns do not change during the run: each is looked up once.
    auto known = towns_.constFind(town);
    if (known == towns_.cend()) {
        if (!townLookup_) {
            townLookup_ = std::make_unique<QSqlQuery>(db_);
            townLookup_->setForwardOnly(true);
            townLookup_->prepare(QStringLiteral("SELECT cod_localita FROM CA_LOCALITA WHERE cod_localita=?"));
        }
        QSqlQuery& lookup = *townLookup_;
        lookup.bindValue(0, town);
        if (!lookup.exec())
            return databaseError(QStringLiteral("CA_LOCALITA"), lookup.lastError().text());
        known = towns_.insert(town, lookup.next());
        lookup.finish();
    }
    if (*known) {
        editor.set(QStringLiteral("cod_localita_nas"), town);
        return saveRow(row);
    }
    return true;
}

bool GeneralCheckRun::checkCurrentFiscalCode(Row& row, const QString& cf, const QString& pi, const QString& cfS)
{
    const QString nation = textOf(field(row, CodNaz));
    const int result = utl::CheckFiscalCode(cf);
    if (result != utl::FiscalCodeValid) {
        QString line = QStringLiteral("*** C.F.      Errato per ") + row.subject + QStringLiteral("  C.F.=") + PadRight(cf, 16);
        if (result == utl::FiscalCodeTooShort) {
            line += QStringLiteral(" TROPPO CORTO !! (%1)").arg(cf.size());
            if (cf.size() < 6) {
                row.current.set(QStringLiteral("cod_cfisc"), QVariant());
                line += QStringLiteral("  ELIMINATO!");
                row.changed = true;
                row.errors = -1; // the deletion is saved despite its error line
            }
        } else if (result == utl::FiscalCodeTooLong) {
            line += QStringLiteral(" TROPPO LUNGO !! (%1)").arg(cf.size());
        } else {
            line += QStringLiteral(" Controllo: '") + utl::FiscalCodeCheckChar(cf) + QStringLiteral("' Naz.: ") + nation;
        }
        finding(row, line);
        ++row.errors;
        return true;
    }

    const QString flag = flagOf(row.current.value(QStringLiteral("flg_pers_fis")));
    const QString declarant = textOf(row.current.value(QStringLiteral("ind_tipo_diciva")));
    if (!isNumeric(cf)) {
        if (flag == QLatin1String("0")) {
            finding(row, QStringLiteral("*** Manca Indicatore PERSONA FISICA per ") + row.subject + QStringLiteral("  C.F.=")
                             + PadRight(cf, 16) + QStringLiteral("  P.I.=") + PadRight(pi, 16));
            if (automatic_) {
                row.current.set(QStringLiteral("flg_pers_fis"), QStringLiteral("1"));
                row.changed = true;
                if (declarant == QLatin1String("C") && !taxcode::beginsWith89(pi))
                    row.current.set(QStringLiteral("ind_tipo_diciva"), QStringLiteral("T"));
            }
            return true;
        }
        if (!utl::FiscalCodeHasDate(cf))
            return true;
        const QString held = cf.mid(6, 5).toUpper();
        const QVariant stored = field(row, DatNasc);
        if (!stored.isNull()) {
            if (!taxcode::birthDateCoherent(cf, dateOf(stored))) {
                const int yy = held.left(2).toInt();
                const QString dayDigits = held.mid(3, 2);
                const int day = dayDigits.toInt() > 40 ? dayDigits.toInt() - 40 : dayDigits.toInt();
                const QString codeDate = QStringLiteral("%1/%2/%3")
                                             .arg(day, 2, 10, QLatin1Char('0'))
                                             .arg(taxcode::kMonthLetters.indexOf(held[2]) + 1, 2, 10, QLatin1Char('0'))
                                             .arg(taxcode::centuryYear(yy, currentYear_));
                finding(row, QStringLiteral("*** Codice Fiscale NON Coerente con la Data di Nascita !!  Data: ")
                                 + dateText(stored) + QStringLiteral("  C.F.: ") + cf + QStringLiteral(" (") + held
                                 + QLatin1Char(')') + kCrLf + utl::RepeatChar(63, QLatin1Char(' ')) + codeDate
                                 + QLatin1Char(' ') + (dayDigits < QLatin1String("40") ? QLatin1Char('M') : QLatin1Char('F')));
            }
        } else if (const auto birth = taxcode::birthDataFromGroup(held, currentYear_)) {
            // Filled whatever the answer on automatic substitutions.
            row.current.set(QStringLiteral("ind_sesso"), birth->sex == QLatin1Char('M') ? QStringLiteral("1") : QStringLiteral("0"));
            row.current.set(QStringLiteral("dat_nasc"), dialect_.dateParameter(birth->date));
            if (!saveRow(row))
                return false;
        }
        if (townTable_)
            return fillTown(row, row.current, cf) && fillTown(row, row.historical, cfS);
        return true;
    }

    if (flag == QLatin1String("1")) {
        finding(row, QStringLiteral("*** ATTIVO Indicatore PERSONA FISICA per ") + row.subject + QStringLiteral("  C.F.=")
                         + PadRight(cf, 16) + QStringLiteral("  P.I.=") + PadRight(pi, 16));
        if (automatic_) {
            row.current.set(QStringLiteral("flg_pers_fis"), QStringLiteral("0"));
            row.changed = true;
            if (declarant == QLatin1String("T") && taxcode::beginsWith89(cf))
                row.current.set(QStringLiteral("ind_tipo_diciva"), QStringLiteral("C"));
        }
    }
    return true;
}

void GeneralCheckRun::checkVatNumber(Row& row, RowEditor& editor, const QString& pi, bool historical)
{
    const QString nation = textOf(field(row, historical ? CodNazS : CodNaz));
    const QString iso = textOf(field(row, historical ? CodIsoS : CodIso));
    const QString storedCf = textOf(editor.value(QStringLiteral("cod_cfisc"))).trimmed();
    const int result = utl::CheckVatNumber(pi);
    if (result == utl::VatNumberValid) {
        if (storedCf.isEmpty()) {
            editor.set(QStringLiteral("cod_cfisc"), pi);
            row.changed = true;
        }
        return;
    }
    QString line = (historical ? QStringLiteral("*** P.I. Sto. Errata per ") : QStringLiteral("*** P.I.      Errata per "))
                   + row.subject + QStringLiteral("  P.I.=") + PadRight(pi, 16);
    const QString lengthClose = historical ? QStringLiteral(") [") : QStringLiteral(")[");
    const auto otherwise = [&] {
        line += QStringLiteral(" Controllo: '") + utl::VatNumberCheckDigit(pi) + QStringLiteral("' Naz.: ") + nation;
    };
    switch (result) {
    case utl::VatNumberNotDigits: {
        line += historical ? QStringLiteral(" ALFANUMERICA !! [") + nation + QLatin1Char(']') : QStringLiteral(" ALFANUMERICA !!");
        bool handled = false;
        if (utl::CheckFiscalCode(pi) == utl::FiscalCodeValid) {
            // A fiscal code typed in the VAT number field.
            if (storedCf == pi.trimmed()) {
                editor.set(QStringLiteral("cod_piva"), QVariant());
                if (!historical)
                    editor.set(QStringLiteral("flg_pers_fis"), QStringLiteral("1"));
                handled = true;
            } else if (storedCf.isEmpty()) {
                editor.set(QStringLiteral("cod_cfisc"), pi);
                editor.set(QStringLiteral("cod_piva"), QVariant());
                handled = true;
            }
            row.changed = row.changed || handled;
        }
        if (!handled && fixAlphanumeric_) {
            const QString eliminated = QStringLiteral(" ELIMINATA !! [") + nation + QLatin1Char(']');
            if (pi.size() < 6 || !isNumeric(pi.mid(2))) {
                editor.set(QStringLiteral("cod_piva"), QVariant());
                line += eliminated;
            } else {
                editor.set(QStringLiteral("cod_piva"), isNumeric(pi.mid(1)) ? pi.mid(1) : pi.mid(2));
                line += QStringLiteral(" CORRETTA !! [") + nation + QLatin1Char(']');
            }
            row.changed = true;
        }
        break;
    }
    case utl::VatNumberTooShort:
        line += QStringLiteral(" TROPPO CORTA !! (%1").arg(pi.size()) + lengthClose + nation + QLatin1Char(']');
        if (pi.size() <= 5) {
            editor.set(QStringLiteral("cod_piva"), QVariant());
            line += QStringLiteral("  ELIMINATA!");
            row.changed = true;
        }
        break;
    case utl::VatNumberTooLong:
        line += QStringLiteral(" TROPPO LUNGA !! (%1").arg(pi.size()) + lengthClose + nation + QLatin1Char(']');
        break;
    case utl::VatNumberNationPrefix:
        if (!iso.isEmpty() && pi.left(iso.size()).toUpper() == iso.toUpper()) {
            editor.set(QStringLiteral("cod_piva"), pi.mid(iso.size()));
            line += QStringLiteral(" RIPULITA !!");
            row.changed = true;
        } else {
            otherwise();
        }
        break;
    default:
        otherwise();
        break;
    }
    finding(row, line);
}

void GeneralCheckRun::checkHistoricalFiscalCode(Row& row, const QString& cfS, const QString& piS)
{
    const int result = utl::CheckFiscalCode(cfS);
    if (result != utl::FiscalCodeValid) {
        finding(row, QStringLiteral("*** C.F. Sto. Errato per ") + row.subject + QStringLiteral("  C.F.=") + PadRight(cfS, 16)
                         + QStringLiteral(" Controllo: '") + utl::FiscalCodeCheckChar(cfS) + QLatin1Char('\''));
        return;
    }
    const QString flag = flagOf(row.historical.value(QStringLiteral("flg_pers_fis")));
    const bool personal = !isNumeric(cfS);
    if ((personal && flag == QLatin1String("0")) || (!personal && flag == QLatin1String("1"))) {
        finding(row, (personal ? QStringLiteral("*** Manca Indic. PERS. FIS. Storica per ")
                               : QStringLiteral("*** ATTIVO Indic. PERS. FIS. Storica per "))
                         + row.subject + QStringLiteral("  C.F.=") + PadRight(cfS, 16) + QStringLiteral("  P.I.=")
                         + PadRight(piS, 16));
        if (automatic_) {
            row.historical.set(QStringLiteral("flg_pers_fis"), personal ? QStringLiteral("1") : QStringLiteral("0"));
            row.changed = true;
        }
    }
}

void GeneralCheckRun::checkNations(Row& row)
{
    const QString code = textOf(field(row, CodAnagra));
    QString line = utl::RepeatChar(20, QLatin1Char(' '));
    if (textOf(field(row, CodIso)).isEmpty())
        line += QStringLiteral(" - MANCA ISO Naz.      !! >") + QLatin1Char(' ') + code;
    if (textOf(field(row, CodIsoS)).isEmpty())
        line += QStringLiteral(" - MANCA ISO Naz. Sto. !! >") + QLatin1Char(' ') + code;
    if (line.trimmed().isEmpty())
        return;
    if (row.reported.isEmpty()) {
        line = QStringLiteral("*** Problema Nazione per Codice: ") + textOf(field(row, IndClifor))
               + PadRight(code, 6) + QStringLiteral(": ") + PadRight(textOf(field(row, DesRagsoc)), 30)
               + QStringLiteral("...  ") + kCrLf + line;
    }
    finding(row, line);
}

// The declarant kind follows the historical natural-person indicator; an
// empty kind is set from the VAT number. No report line, whatever the answers.
// The codes are read as the row's earlier steps left them, and a change needs
// a code that shows it: a missing code says nothing about the subject.
bool GeneralCheckRun::setDeclarantKind(Row& row)
{
    if (!row.current.hasRow())
        return true;
    const QString flagS = flagOf(row.historical.value(QStringLiteral("flg_pers_fis")));
    const QString cfS = textOf(row.historical.value(QStringLiteral("cod_cfisc"))).trimmed();
    const QString piS = textOf(row.historical.value(QStringLiteral("cod_piva"))).trimmed();
    const QString kind = textOf(row.current.value(QStringLiteral("ind_tipo_diciva")));
    if (flagS == QLatin1String("0") && kind == QLatin1String("T") && !cfS.isEmpty() && taxcode::beginsWith89(cfS))
        row.current.set(QStringLiteral("ind_tipo_diciva"), QStringLiteral("C"));
    else if (flagS == QLatin1String("1") && kind == QLatin1String("C") && !piS.isEmpty() && !taxcode::beginsWith89(piS))
        row.current.set(QStringLiteral("ind_tipo_diciva"), QStringLiteral("T"));
    if (!saveRow(row))
        return false;
    if (textOf(row.current.value(QStringLiteral("ind_tipo_diciva"))).isEmpty()) {
        const bool hasVat = !textOf(row.current.value(QStringLiteral("cod_piva"))).isEmpty();
        row.current.set(QStringLiteral("ind_tipo_diciva"), hasVat ? QStringLiteral("T") : QStringLiteral("C"));
        return saveRow(row);
    }
    return true;
}

bool GeneralCheckRun::checkJournal(Row& row)
{
    const QString yearText = input_.documentDate.mid(6).trimmed();
    const int year = isNumeric(yearText) ? yearText.toInt() : currentYear_;
    if (!journalCount_) {
        // One statement for the whole walk (the year does not change), the
        // customer or supplier bound at each row.
        journalCount_ = std::make_unique<QSqlQuery>(db_);
        journalCount_->setForwardOnly(true);
        const QString sql = QStringLiteral("SELECT COUNT(i.prg_prinota) as conta, t.ind_clifor, t.cod_clifor"
                                           " FROM CG_PRINOTAR_IVA AS i"
                                           " LEFT JOIN CG_PRINOTAT AS t ON (t.prg_prinota=i.prg_prinota)"
                                           " WHERE t.ind_clifor=? AND t.cod_clifor=?"
                                           " AND t.dat_registrazione>=")
                            + dialect_.dateLiteral(QDate(year, 1, 1)) + QStringLiteral(" AND t.dat_registrazione<=")
                            + dialect_.dateLiteral(QDate(year, 12, 31))
                            + QStringLiteral(" GROUP BY t.ind_clifor, t.cod_clifor ORDER BY t.ind_clifor, t.cod_clifor");
        if (!journalCount_->prepare(sql))
            return databaseError(QStringLiteral("Prima Nota"), journalCount_->lastError().text());
    }
    QSqlQuery& count = *journalCount_;
    count.bindValue(0, textOf(field(row, IndClifor)));
    count.bindValue(1, textOf(field(row, CodAnagra)));
    if (!count.exec())
        return databaseError(QStringLiteral("Prima Nota"), count.lastError().text());
    const bool found = count.next();
    const QString line = found ? QStringLiteral("==--->> ") + textOf(count.value(1)) + textOf(count.value(2))
                                     + QStringLiteral("  Gestito in Prima Nota %1 !!").arg(year)
                               : QString();
    count.finish(); // closed before the row's corrections are written
    if (found)
        finding(row, line);
    return true;
}

bool GeneralCheckRun::checkRow(Row& row)
{
    QString cf = textOf(field(row, CodCfisc));
    QString cfS = textOf(field(row, CodCfiscS));
    QString pi = textOf(field(row, CodPiva));
    QString piS = textOf(field(row, CodPivaS));
    row.subject = QStringLiteral("Codice: ") + textOf(field(row, IndClifor))
                  + PadRight(textOf(field(row, CodAnagra)), 6) + QStringLiteral(": ")
                  + PadRight(textOf(field(row, DesRagsoc)), 30) + QStringLiteral("...");
    progress_.step([&] { return row.subject; });

    if (!cleanCodes(row, cf, pi, cfS, piS))
        return false;
    if (!cf.isEmpty() && !checkCurrentFiscalCode(row, cf, pi, cfS))
        return false;
    if (!closeSection(row))
        return false;
    if (!pi.isEmpty()) {
        checkVatNumber(row, row.current, pi, false);
        if (!closeSection(row))
            return false;
    }
    if (!cfS.isEmpty()) {
        checkHistoricalFiscalCode(row, cfS, piS);
        if (!closeSection(row))
            return false;
    }
    if (!piS.isEmpty()) {
        checkVatNumber(row, row.historical, piS, true);
        if (!closeSection(row))
            return false;
    }
    checkNations(row);
    if (!closeSection(row) || !setDeclarantKind(row))
        return false;
    if (!row.reported.isEmpty() && journalCheck_)
        return checkJournal(row);
    return true;
}

GeneralCheckResult GeneralCheckRun::run()
{
    GeneralCheckResult result;
    const auto answers = ui_.askChoices(QStringLiteral("Contollo validità codici di controllo PI/Cf in generale ?"),
                                        {{QStringLiteral("Effettuo le sostituzioni Automatiche ?\r\n- Indicatore  Persona Fisica S/N\r\n"
                                                         "- Indicatore  Consumatore Finale / Titolare PI"),
                                          Answer::No, true},
                                         {QStringLiteral("Controllo presenza Prima Nota ?"), Answer::Yes, false},
                                         {QStringLiteral("Correggo P.Iva Alfanumeriche ?"), Answer::Yes, true}});
    if (!answers) {
        ui_.beep();
        return result;
    }
    automatic_ = answers->value(0);
    journalCheck_ = answers->value(1);
    fixAlphanumeric_ = answers->value(2);
    result.ran = true;
    // Unattended, the corrections are saved only when that was said
    // explicitly; otherwise the report tells what they would be.
    if (!ui_.interactive())
        saveCorrections_ = askToCorrect(QStringLiteral("Salvo le correzioni del Controllo PI/CF Generico ?"), Answer::Yes);
    if (input_.clearResults)
        input_.clearResults();
    result.reportPath = companyReportPath(ctx_.paths(), QStringLiteral("\\PICF_GenAR_"), input_.companyCode, QStringLiteral(".log"));
    report_ = std::make_unique<ReportFile>(result.reportPath);
    const QString title = QStringLiteral("***** Inizio Controllo PI/CF Generale per Azienda : ") + input_.companyCode
                          + QStringLiteral(" *****");
    if (!report_->write(title)) {
        ui_.critical(report_->failureText(), kTitle);
        return result;
    }
    heading(utl::RepeatChar(static_cast<int>(title.size()), QLatin1Char('*')));
    if (!saveCorrections_)
        heading(QStringLiteral("*** Correzioni NON salvate: esecuzione senza conferma esplicita"));

    {
        QSqlQuery towns(db_);
        towns.setForwardOnly(true);
        if (!towns.exec(dialect_.selectTop(1, QStringLiteral("* FROM CA_LOCALITA")))) {
            databaseError(QStringLiteral("CA_LOCALITA"), towns.lastError().text());
            return result;
        }
        townTable_ = towns.next();
    }
    ui_.status(QString());
    ui_.busy(true);

    const QString from = fromAndOrder();
    reader_ = std::make_unique<KeysetReader>(db_, QStringLiteral("SELECT c.cod_clifor") + from.arg(QString()),
                                             selectColumns(dialect_) + from.arg(QStringLiteral(" WHERE c.cod_clifor IN %1")),
                                             QStringLiteral("cod_clifor"));
    KeysetReader& reader = *reader_;
    // Where the engine allows it, one statement over the whole walk; the
    // joined records are one per customer or supplier (their keys are unique).
    reader.streamOn(selectColumns(dialect_) + from.arg(QString()), QStringLiteral("SELECT COUNT(*) FROM CO_CLIFOR"));
    bool ok = reader.start();
    if (!ok)
        databaseError(QStringLiteral("lettura anagrafiche"), reader.error());
    progress_.setTotal(reader.count()); // one step per row of the walk
    bool stopped = false;
    FieldRow record;
    while (ok && reader.next(record)) {
        if (ctx_.stop().requested()) {
            stopped = true;
            break;
        }
        Row row;
        row.record = std::move(record);
        if (editablePositions_.empty()) {
            // The walk's columns are the same on every row: found once.
            for (int c = 0; c < ColumnCount; ++c)
                columns_[static_cast<std::size_t>(c)] = row.record.position(QLatin1String(kColumnNames[c]));
            for (const char* suffix : {"", "_s"}) {
                for (const char* column : kEditable)
                    editablePositions_.push_back(row.record.position(QLatin1String(column) + QLatin1String(suffix)));
            }
        }
        const auto editorFor = [&](const QString& table, Column keyColumn, std::size_t first) {
            QVariantMap original;
            for (std::size_t i = 0; i < kEditableCount; ++i) {
                const int at = editablePositions_[first + i];
                if (at >= 0)
                    original.insert(QLatin1String(kEditable[i]), row.record.at(at));
            }
            const QVariant key = field(row, keyColumn);
            // A record the join did not find has no row to correct.
            return key.isNull() ? RowEditor() : RowEditor(db_, table, QStringLiteral("cod_anagra"), key, original);
        };
        row.current = editorFor(QStringLiteral("CA_ANAGRAFICHE"), CodAnagra, 0);
        row.historical = editorFor(QStringLiteral("CA_ANAGRAFICHE_STO"), CodAnagraS, kEditableCount);
        ok = checkRow(row);
    }
    if (ok && !reader.error().isEmpty())
        ok = databaseError(QStringLiteral("lettura anagrafiche"), reader.error());
    ui_.busy(false);
    const bool reportWritten = report_->close();
    result.completed = ok && reportWritten && !stopped;
    result.stopped = stopped;
    result.findings = findings_;
    result.findingRows = findingRows_;

    if (!reportWritten) {
        ui_.status(QStringLiteral("Controllo PI/CF Generico: report NON scritto !!"));
        ui_.critical(report_->failureText() + QStringLiteral("\r\n\r\nLe correzioni già salvate restano."), kTitle);
        result.reportPath.clear();
        return result;
    }
    const QString status = !ok       ? QStringLiteral("Controllo PI/CF Generico INTERROTTO !!")
                           : stopped ? QStringLiteral("Controllo PI/CF Generico INTERROTTO dall'utente: le correzioni già salvate restano !!")
                                     : QStringLiteral("Controllo PI/CF Generico Terminato !!");
    ui_.status(status);
    ui_.beep();
    if (findings_ > 0) {
        ui_.status(status + QStringLiteral(" - %1 Segnalazioni !!").arg(findings_));
        ui_.beep();
        presentReport(ui_, ctx_.viewer(), result.reportPath);
    }
    return result;
}

} // namespace

GeneralCheckResult runGeneralCheck(AppContext& ctx, const GeneralCheckInput& input)
{
    return GeneralCheckRun(ctx, input).run();
}

} // namespace corv
