#include "util/TextUtil.h"
#include "taxcode/GeneralCheck.h"
#include "FileSizeLimit.h"
#include "TestHome.h"

#include <QSqlError>
#include <QSqlQuery>
#include <gtest/gtest.h>

using namespace corv;
using corv::test::ScriptedUi;
using corv::test::TestHome;
using Answer = Ui::Answer;

namespace {

struct Registry {
    QString type = "C";
    QString code;
    QString name;
    QVariant cf, pi;
    QVariant personal = "0";
    QVariant birth, sex;
    QVariant declarant = "T";
    QString nation = "IT";
    bool historical = true;
    QVariant cfS, piS, personalS; // default: as the current record
};

class GeneralCheckTest : public ::testing::Test {
protected:
    TestHome home;
    ScriptedUi ui;
    std::unique_ptr<AppContext> ctx = home.context(ui);

    void SetUp() override
    {
        QString error;
        ASSERT_TRUE(ctx->connections().open(
            Connections::Company, dataConnectionString("SQLite", "sa", "", "AR_DEMO", home.file("db")), &error))
            << error.toStdString();
        for (const char* table : {"CO_CLIFOR", "CA_ANAGRAFICHE", "CA_ANAGRAFICHE_STO", "CG_PRINOTAT", "CG_PRINOTAR_IVA"})
            exec(QString("DELETE FROM ") + table);
        ctx->setViewer("viewer");
    }

    QSqlDatabase db() { return ctx->connections().db(Connections::Company); }
    void exec(const QString& sql, const QVariantList& values = {})
    {
        QSqlQuery q(db());
        q.prepare(sql);
        for (const QVariant& v : values)
            q.addBindValue(v);
        ASSERT_TRUE(q.exec()) << q.lastError().text().toStdString() << " " << sql.toStdString();
    }
    static QVariant orNull(const QVariant& v) { return v.isValid() ? v : QVariant(QMetaType::fromType<QString>()); }

    void add(const Registry& r)
    {
        exec("INSERT INTO CO_CLIFOR (ind_clifor, cod_clifor, ind_tipo_diciva) VALUES (?, ?, ?)", {r.type, r.code, orNull(r.declarant)});
        exec("INSERT INTO CA_ANAGRAFICHE (cod_anagra, des_ragsoc, flg_pers_fis, cod_cfisc, cod_piva, dat_nasc, ind_sesso,"
             " ind_tipo_diciva, cod_naz) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?)",
             {r.code, r.name, orNull(r.personal), orNull(r.cf), orNull(r.pi), orNull(r.birth), orNull(r.sex),
              orNull(r.declarant), r.nation});
        if (r.historical)
            exec("INSERT INTO CA_ANAGRAFICHE_STO (cod_anagra, des_ragsoc, flg_pers_fis, cod_cfisc, cod_piva, cod_naz)"
                 " VALUES (?, ?, ?, ?, ?, ?)",
                 {r.code, r.name, orNull(r.personalS.isValid() ? r.personalS : r.personal),
                  orNull(r.cfS.isValid() ? r.cfS : r.cf), orNull(r.piS.isValid() ? r.piS : r.pi), r.nation});
    }

    QVariant field(const QString& table, const QString& column, const QString& code)
    {
        QSqlQuery q(db());
        q.prepare("SELECT " + column + " FROM " + table + " WHERE cod_anagra = ?");
        q.addBindValue(code);
        EXPECT_TRUE(q.exec() && q.next()) << column.toStdString();
        return q.value(0);
    }

    // Runs the check answering Yes to the first question and the given
    // answers to automatic substitutions, journal presence and alphanumeric fixes.
    GeneralCheckResult run(bool automatic = false, bool journal = false, bool fixAlphanumeric = false)
    {
        expectQuestions(automatic, journal, fixAlphanumeric);
        GeneralCheckInput input;
        input.companyCode = "DEMO";
        input.documentDate = "01/01/2025";
        return runGeneralCheck(*ctx, input);
    }

    void expectQuestions(bool automatic = false, bool journal = false, bool fixAlphanumeric = false)
    {
        ui.expectMessage("Contollo validità codici di controllo PI/Cf in generale ?", Answer::Yes)
            .expectMessage("Effettuo le sostituzioni Automatiche ?", automatic ? Answer::Yes : Answer::No)
            .expectMessage("Controllo presenza Prima Nota ?", journal ? Answer::Yes : Answer::No)
            .expectMessage("Correggo P.Iva Alfanumeriche ?", fixAlphanumeric ? Answer::Yes : Answer::No);
    }
    QStringList report()
    {
        return home.lines("PICF_GenAR_DEMO.log");
    }
    static QString subject(const QString& code, const QString& name, const QString& type = "C")
    {
        return "Codice: " + type + utl::PadRight(code, 6) + ": " + utl::PadRight(name, 30) + "...";
    }
    // Report lines after the two heading lines, without the nation lines of
    // records that have no nation problem.
    QStringList findings() { return report().mid(2); }
};

const QString kHeading = "***** Inizio Controllo PI/CF Generale per Azienda : DEMO *****";

TEST_F(GeneralCheckTest, DecliningTheFirstQuestionDoesNothing)
{
    ui.expectMessage("Contollo validità", Answer::No);
    EXPECT_FALSE(runGeneralCheck(*ctx, {"DEMO", "", {}}).ran);
    EXPECT_EQ(ui.beeps, 1);
    EXPECT_TRUE(home.readFile("PICF_GenAR_DEMO.log").isEmpty());
}

TEST_F(GeneralCheckTest, ATrailingBlankIsCleanedSavedAndReported)
{
    add({.code = "000001", .name = "ROSSI MARIO", .cf = "RSSMRA80A01H501U ", .personal = "1", .birth = "1980-01-01 00:00:00",
         .sex = "1", .declarant = "C"});
    const GeneralCheckResult result = run();
    EXPECT_EQ(findings(), (QStringList{"Effettuata PULIZIA CF/PI " + subject("000001", "ROSSI MARIO"),
                                       "Effettuata PULIZIA CF/PI Sto" + subject("000001", "ROSSI MARIO")}));
    EXPECT_EQ(field("CA_ANAGRAFICHE", "cod_cfisc", "000001").toString(), "RSSMRA80A01H501U");
    EXPECT_EQ(field("CA_ANAGRAFICHE_STO", "cod_cfisc", "000001").toString(), "RSSMRA80A01H501U");
    EXPECT_EQ(result.findings, 2);
    EXPECT_EQ(ui.opened, QStringList{"viewer|" + result.reportPath});
    EXPECT_EQ(ui.statuses.last(), "Controllo PI/CF Generico Terminato !! - 2 Segnalazioni !!");
}

// Each finding: the subjects planted, the answers to the questions, lines
// the report must hold and fields as they stand after the check.
struct FindingCase {
    const char* what;
    std::vector<Registry> rows;
    bool automatic = false, fixAlphanumeric = false;
    QStringList lines; // each line of the report must be one of the findings
    std::vector<std::tuple<const char*, const char*, const char*, QVariant>> fields; // table, column, code, value (invalid: Null)
    bool exact = false; // the findings are exactly `lines`
};

TEST_F(GeneralCheckTest, EachFindingIsReportedAndItsCorrectionSaved)
{
    const QString p = "*** P.I.      Errata per ", c = "*** C.F.      Errato per ";
    const std::vector<FindingCase> cases = {
        {"a valid company writes only the heading", {{.code = "000001", .name = "FERRAMENTA ROSSI SRL", .cf = "01234567897", .pi = "01234567897"}}, false, false,
         {}, {}, true},
        {"a code shorter than six characters is deleted, one of six kept",
         {{.code = "000001", .name = "CINQUE", .cf = "RSSMR", .pi = "01234567897", .cfS = "01234567897"},
          {.code = "000002", .name = "SEI", .cf = "RSSMRA", .pi = "12345678903", .cfS = "12345678903"},
          {.code = "000003", .name = "OTTO", .cf = "RSSMRA80", .pi = "12345678903", .cfS = "12345678903"}},
         false, false,
         {c + subject("000001", "CINQUE") + "  C.F.=RSSMR            TROPPO CORTO !! (5)  ELIMINATO!",
          c + subject("000002", "SEI") + "  C.F.=RSSMRA           TROPPO CORTO !! (6)",
          c + subject("000003", "OTTO") + "  C.F.=RSSMRA80         TROPPO CORTO !! (8)"},
         // The deletion was saved; then the valid VAT number filled the empty code.
         {{"CA_ANAGRAFICHE", "cod_cfisc", "000001", "01234567897"}, {"CA_ANAGRAFICHE", "cod_cfisc", "000002", "RSSMRA"},
          {"CA_ANAGRAFICHE", "cod_cfisc", "000003", "RSSMRA80"}}},
        {"a nation prefix is stripped in any case",
         {{.code = "000001", .name = "PREFISSO", .cf = "01234567897", .pi = "IT01234567897"},
          {.code = "000002", .name = "MINUSCOLO", .cf = "12345678903", .pi = "it12345678903"}},
         false, false,
         {p + subject("000001", "PREFISSO") + "  P.I.=IT01234567897    RIPULITA !!",
          "*** P.I. Sto. Errata per " + subject("000002", "MINUSCOLO") + "  P.I.=it12345678903    RIPULITA !!"},
         {{"CA_ANAGRAFICHE", "cod_piva", "000001", "01234567897"}, {"CA_ANAGRAFICHE", "cod_piva", "000002", "12345678903"},
          {"CA_ANAGRAFICHE_STO", "cod_piva", "000002", "12345678903"}}},
        {"a personal code in the VAT number field moves to the fiscal code",
         {{.code = "000001", .name = "ROSSI MARIA", .pi = "RSSMRA80A41H501Y", .personal = "1", .birth = "1980-01-01 00:00:00", .sex = "0",
           .declarant = "C", .cfS = "RSSMRA80A41H501Y", .piS = ""}},
         false, false,
         {p + subject("000001", "ROSSI MARIA") + "  P.I.=RSSMRA80A41H501Y ALFANUMERICA !!"},
         {{"CA_ANAGRAFICHE", "cod_cfisc", "000001", "RSSMRA80A41H501Y"}, {"CA_ANAGRAFICHE", "cod_piva", "000001", QVariant()}}},
        {"a valid VAT number fills an empty fiscal code silently",
         {{.code = "000001", .name = "BIANCHI SPA", .pi = "01234567897", .cfS = "01234567897"}},
         false, false, {}, {{"CA_ANAGRAFICHE", "cod_cfisc", "000001", "01234567897"}}, true},
        {"an incoherent birth date is reported once with the code's own date",
         {{.code = "000001", .name = "ROSSI MARIO", .cf = "RSSMRA80A01H501U", .personal = "1", .birth = "1966-06-06 00:00:00", .sex = "1",
           .declarant = "C"}},
         false, false,
         {"*** Codice Fiscale NON Coerente con la Data di Nascita !!  Data: 06/06/1966  C.F.: RSSMRA80A01H501U (80A01)",
          QString(63, ' ') + "01/01/1980 M"},
         {{"CA_ANAGRAFICHE", "dat_nasc", "000001", "1966-06-06 00:00:00"}}, true},
        {"missing birth data is filled even without automatic substitutions",
         {{.code = "000001", .name = "ROSSI MARIA", .cf = "RSSMRA80A41H501Y", .personal = "1", .declarant = "C"}},
         false, false, {},
         {{"CA_ANAGRAFICHE", "dat_nasc", "000001", "1980-01-01 00:00:00"}, {"CA_ANAGRAFICHE", "ind_sesso", "000001", "0"},
          {"CA_ANAGRAFICHE", "cod_localita_nas", "000001", "H501"}},
         true},
        {"a missing nation is reported",
         {{.code = "000001", .name = "SENZA NAZIONE", .cf = "01234567897", .pi = "01234567897", .nation = "QQ"}},
         false, false,
         {"*** Problema Nazione per Codice: C000001: " + utl::PadRight("SENZA NAZIONE", 30) + "...  ",
          QString(20, ' ') + " - MANCA ISO Naz.      !! > 000001 - MANCA ISO Naz. Sto. !! > 000001"},
         {}, true},
        {"missing codes are reported and nothing is cleaned",
         {{.code = "000001", .name = "SENZA STORICO", .cf = "01234567897 ", .pi = "01234567897", .historical = false}},
         false, false,
         {"*** Mancano CF e PI Codice :000001 : " + utl::PadRight("SENZA STORICO", 27) + "... - NON Obsoleto"},
         {{"CA_ANAGRAFICHE", "cod_cfisc", "000001", "01234567897 "}}},
        {"the natural person indicator is fixed with automatic substitutions",
         {{.code = "000001", .name = "ROSSI MARIO", .cf = "RSSMRA80A01H501U", .personal = "0", .declarant = "C", .personalS = "1"},
          {.code = "000002", .name = "VERDI SRL", .cf = "01234567897", .pi = "01234567897", .personal = "1", .personalS = "0"}},
         true, false,
         {"*** Manca Indicatore PERSONA FISICA per " + subject("000001", "ROSSI MARIO") + "  C.F.=RSSMRA80A01H501U  P.I.=" + QString(16, ' '),
          "*** ATTIVO Indicatore PERSONA FISICA per " + subject("000002", "VERDI SRL") + "  C.F.=01234567897       P.I.=01234567897     "},
         {{"CA_ANAGRAFICHE", "flg_pers_fis", "000001", "1"}, {"CA_ANAGRAFICHE", "flg_pers_fis", "000002", "0"}}},
        {"a wrong check character is reported with the expected one",
         {{.code = "000001", .name = "ROSSI MARIO", .cf = "RSSMRA80A01H501A", .personal = "1", .declarant = "C"}},
         false, false,
         {c + subject("000001", "ROSSI MARIO") + "  C.F.=RSSMRA80A01H501A Controllo: 'U' Naz.: IT",
          "*** C.F. Sto. Errato per " + subject("000001", "ROSSI MARIO") + "  C.F.=RSSMRA80A01H501A Controllo: 'U'"},
         {}},
        {"alphanumeric VAT numbers are corrected or deleted when asked",
         {{.code = "000001", .name = "CORREGGIBILE", .cf = "01234567897", .pi = "X01234567897", .piS = "01234567897"},
          {.code = "000002", .name = "DA ELIMINARE", .cf = "12345678903", .pi = "AB12X", .piS = "12345678903"}},
         false, true,
         {p + subject("000001", "CORREGGIBILE") + "  P.I.=X01234567897     ALFANUMERICA !! CORRETTA !! [IT]",
          p + subject("000002", "DA ELIMINARE") + "  P.I.=AB12X            ALFANUMERICA !! ELIMINATA !! [IT]"},
         {{"CA_ANAGRAFICHE", "cod_piva", "000001", "01234567897"}, {"CA_ANAGRAFICHE", "cod_piva", "000002", QVariant()}}},
        {"a short historical VAT number is deleted; an empty declarant kind set without a line",
         {{.code = "000001", .name = "STORICO CORTO", .cf = "01234567897", .pi = "01234567897", .declarant = QVariant(), .piS = "0123"}},
         false, false,
         {"*** P.I. Sto. Errata per " + subject("000001", "STORICO CORTO") + "  P.I.=0123             TROPPO CORTA !! (4) [IT]  ELIMINATA!"},
         {{"CA_ANAGRAFICHE_STO", "cod_piva", "000001", QVariant()}, {"CA_ANAGRAFICHE", "ind_tipo_diciva", "000001", "T"}}},
        // The declarant kind changes only on a code that shows it: a company
        // stays a VAT holder, a person whose VAT field held his fiscal code
        // stays a final consumer, a public body's numeric code makes one.
        {"the declarant kind changes only on a code that shows it",
         {{.code = "000061", .name = "SOCIETA SENZA CF", .pi = "01234567897", .declarant = "T"},
          {.code = "000062", .name = "ROSSI MARIO", .pi = "RSSMRA80A01H501U", .personal = "1", .birth = "1980-01-01 00:00:00", .sex = "1",
           .declarant = "C"},
          {.code = "000063", .name = "COMUNE DI PROVA", .cf = "80012345678", .declarant = "T", .cfS = "80012345678"}},
         false, false, {},
         {{"CA_ANAGRAFICHE", "ind_tipo_diciva", "000061", "T"}, {"CA_ANAGRAFICHE", "cod_cfisc", "000061", "01234567897"},
          {"CA_ANAGRAFICHE", "ind_tipo_diciva", "000062", "C"}, {"CA_ANAGRAFICHE", "cod_cfisc", "000062", "RSSMRA80A01H501U"},
          {"CA_ANAGRAFICHE_STO", "cod_piva", "000062", QVariant()}, {"CA_ANAGRAFICHE", "ind_tipo_diciva", "000063", "C"}}},
    };
    for (const FindingCase& f : cases) {
        SCOPED_TRACE(f.what);
        SetUp();
        for (const Registry& r : f.rows)
            add(r);
        run(f.automatic, false, f.fixAlphanumeric);
        const QStringList lines = findings();
        if (f.exact) {
            EXPECT_EQ(lines, f.lines);
        }
        EXPECT_EQ(report().mid(0, 2), (QStringList{kHeading, QString(kHeading.size(), '*')}));
        for (const QString& line : f.lines)
            EXPECT_TRUE(lines.contains(line)) << line.toStdString() << "\n in:\n" << lines.join('\n').toStdString();
        for (const auto& [table, column, code, value] : f.fields) {
            const QVariant stored = field(table, column, code);
            EXPECT_EQ(stored.isNull() ? QVariant() : QVariant(stored.toString()), value.isValid() ? QVariant(value.toString()) : QVariant())
                << column;
        }
    }
}

TEST_F(GeneralCheckTest, JournalPresenceIsReportedForRowsWithFindings)
{
    add({.code = "000001", .name = "ROSSI MARIO", .cf = "RSSMRA80A01H501A", .personal = "1", .declarant = "C"});
    exec("INSERT INTO CG_PRINOTAT (prg_prinota, dat_registrazione, ind_clifor, cod_clifor) VALUES (1, '2025-03-10 00:00:00', 'C', '000001')");
    exec("INSERT INTO CG_PRINOTAR_IVA (prg_prinota, num_riga, cod_iva) VALUES (1, 1, '22')");
    run(false, true);
    EXPECT_EQ(findings().last(), "==--->> C000001  Gestito in Prima Nota 2025 !!");
}

TEST_F(GeneralCheckTest, AStopBetweenRowsKeepsWhatWasSavedAndLeavesTheRest)
{
    for (const char* code : {"000001", "000002", "000003"})
        add({.code = code, .name = "DA CORREGGERE", .cf = "01234567897", .pi = "X01234567897", .piS = "01234567897"});
    ui.onProcessEvents = [&] { ctx->stop().request(); }; // at the first row's progress
    const GeneralCheckResult result = run(false, false, true);
    EXPECT_TRUE(result.stopped);
    EXPECT_FALSE(result.completed);
    EXPECT_EQ(field("CA_ANAGRAFICHE", "cod_piva", "000001").toString(), "01234567897");
    for (const char* code : {"000002", "000003"})
        EXPECT_EQ(field("CA_ANAGRAFICHE", "cod_piva", code).toString(), "X01234567897") << code;
}

TEST_F(GeneralCheckTest, ARowChangedElsewhereIsReportedNotOverwritten)
{
    add({.code = "000001", .name = "ROSSI MARIO", .cf = "RSSMRA80A01H501U ", .personal = "1", .birth = "1980-01-01 00:00:00",
         .sex = "1", .declarant = "C"});
    // Someone edits the record by hand after the check has read it.
    ui.onProcessEvents = [&] {
        exec("UPDATE CA_ANAGRAFICHE SET cod_cfisc = 'RSSMRA80A01H501U.' WHERE cod_anagra = '000001'");
        ui.onProcessEvents = nullptr;
    };
    run();
    EXPECT_EQ(findings().mid(0, 2),
              (QStringList{"Effettuata PULIZIA CF/PI " + subject("000001", "ROSSI MARIO"),
                           "*** Anagrafica modificata da un altro utente: NON aggiornata " + subject("000001", "ROSSI MARIO")}));
    EXPECT_EQ(field("CA_ANAGRAFICHE", "cod_cfisc", "000001").toString(), "RSSMRA80A01H501U.");
}

TEST_F(GeneralCheckTest, ASubjectThatIsBothCustomerAndSupplierIsReadAfreshForItsSecondRow)
{
    add({.code = "000050", .name = "CLIENTE E FORNITORE", .cf = "01234567897 ", .pi = "01234567897"});
    exec("INSERT INTO CO_CLIFOR (ind_clifor, cod_clifor, ind_tipo_diciva) VALUES ('F', '000050', 'T')");
    const GeneralCheckResult result = run();
    EXPECT_TRUE(result.completed);
    // The customer's row cleans the code; the supplier's row sees it cleaned:
    // no second cleaning, no "changed by another user".
    EXPECT_EQ(findings(), (QStringList{"Effettuata PULIZIA CF/PI " + subject("000050", "CLIENTE E FORNITORE"),
                                       "Effettuata PULIZIA CF/PI Sto" + subject("000050", "CLIENTE E FORNITORE")}));
    EXPECT_EQ(field("CA_ANAGRAFICHE", "cod_cfisc", "000050").toString(), "01234567897");
}

TEST_F(GeneralCheckTest, AFullDiskOrAFailedReadIsAFailureNotTheEnd)
{
    for (int i = 0; i < 30; ++i)
        add({.code = QString("%1").arg(100 + i, 6, 10, QChar('0')), .name = "CODICE ERRATO", .cf = "01234567890", .pi = "01234567897"});
    home.writeFile("PICF_GenAR_DEMO.log", "rapporto precedente\r\n");
    expectQuestions();
    ui.expectMessage("Impossibile scrivere il file :\r\n" + home.file("PICF_GenAR_DEMO.log"));
    GeneralCheckResult result;
    {
        corv::test::FileSizeLimit limit(1024);
        result = runGeneralCheck(*ctx, {"DEMO", "", {}});
    }
    EXPECT_FALSE(result.completed);
    EXPECT_TRUE(ui.opened.isEmpty());
    EXPECT_FALSE(ui.statuses.contains("Controllo PI/CF Generico Terminato !!"));
    EXPECT_EQ(ui.statuses.last(), "Controllo PI/CF Generico: report NON scritto !!");
    EXPECT_EQ(home.readFile("PICF_GenAR_DEMO.log"), "rapporto precedente\r\n");
    // A failed read of the customers is a failure, not the end.
    add({.code = "000001", .name = "ROSSI", .cf = "01234567890"});
    exec("DROP TABLE CA_NAZIONI");
    expectQuestions();
    ui.expectMessage("Errore di database (lettura anagrafiche)");
    result = runGeneralCheck(*ctx, {"DEMO", "", {}});
    EXPECT_FALSE(result.completed);
    EXPECT_FALSE(ui.statuses.contains("Controllo PI/CF Generico Terminato !!"));
    EXPECT_TRUE(ui.statuses.contains("Controllo PI/CF Generico INTERROTTO !!"));
    EXPECT_TRUE(ui.opened.isEmpty());
}

} // namespace
