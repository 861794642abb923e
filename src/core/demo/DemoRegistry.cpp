#include "demo/DemoRegistry.h"

#include "taxcode/FiscalCodeRules.h"
#include "demo/DemoPlaces.h"
#include "demo/DemoRandom.h"
#include "taxcode/TaxCodeChecks.h"

#include <QDate>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>
#include <QSet>
#include <array>
#include <vector>

namespace corv {

namespace {

struct Nation {
    const char* code;
    const char* name;
    const char* iso;
    const char* area;
};
constexpr std::array kNations = {
    Nation{"IT", "ITALIA", "IT", "0"},       Nation{"SM", "SAN MARINO", "SM", "1"},
    Nation{"DE", "GERMANIA", "DE", "1"},     Nation{"FR", "FRANCIA", "FR", "1"},
    Nation{"ES", "SPAGNA", "ES", "1"},       Nation{"AT", "AUSTRIA", "AT", "1"},
    Nation{"CH", "SVIZZERA", "CH", "2"},     Nation{"US", "STATI UNITI", "US", "2"},
    Nation{"XK", "KOSOVO", "", "2"}, // a nation without ISO code
};

using demo::Town;

// The towns of the company's registry: the subjects' and two foreign states.
std::vector<Town> registryTowns()
{
    std::vector<Town> towns(demo::kTowns.begin(), demo::kTowns.begin() + demo::kSubjectTowns);
    for (const demo::State& state : demo::kStates) {
        if (qstrcmp(state.code, "Z112") == 0 || qstrcmp(state.code, "Z133") == 0)
            towns.push_back(Town{state.code, state.name, "EE", ""});
    }
    return towns;
}

constexpr std::array kSurnames = {"ROSSI", "RUSSO", "FERRARI", "ESPOSITO", "BIANCHI", "ROMANO", "COLOMBO", "RICCI",
                                  "MARINO", "GRECO", "BRUNO", "GALLO", "CONTI", "DE LUCA", "MANCINI", "COSTA",
                                  "GIORDANO", "RIZZO", "LOMBARDI", "MORETTI", "D'ANGELO", "BARBIERI", "FONTANA",
                                  "SANTORO", "MARIANI", "RINALDI", "CARUSO", "FERRARA", "GALLI", "MARTINI"};
constexpr std::array kMen = {"MARIO", "GIUSEPPE", "LUCA", "MARCO", "ANDREA", "FRANCESCO", "ALESSANDRO", "GIOVANNI",
                             "ROBERTO", "STEFANO", "PAOLO", "GIANFRANCO", "DAVIDE", "MATTEO"};
constexpr std::array kWomen = {"MARIA", "ANNA", "GIULIA", "FRANCESCA", "SARA", "LAURA", "CHIARA", "ELENA",
                               "VALENTINA", "PAOLA", "SILVIA", "EVA", "MARTINA", "ROBERTA"};
constexpr std::array kTrades = {"Ferramenta", "Edilizia", "Trasporti", "Alimentari", "Tipografia", "Elettrauto",
                                "Impianti Elettrici", "Forniture Ufficio", "Carpenteria", "Idraulica", "Informatica",
                                "Serramenti", "Autoricambi", "Ceramiche", "Vivai"};
constexpr std::array kForms = {"S.r.l.", "S.p.A.", "S.n.c.", "S.a.s.", "& C."};

QString vatNumber(DemoRandom& r, char first = 0)
{
    QString digits;
    digits.append(QLatin1Char(first ? first : static_cast<char>('0' + r.below(8))));
    for (int i = 1; i < 10; ++i)
        digits.append(QLatin1Char(static_cast<char>('0' + r.below(10))));
    return digits + utl::VatNumberCheckDigit(digits);
}

// One subject: the customer/supplier row and its two registry records.
struct Subject {
    QString type = QStringLiteral("C");
    QString code;
    QString name;
    QString surname, firstName;
    QVariant personal = QStringLiteral("0");
    QVariant cf, pi;
    QVariant birth; // 'YYYY-MM-DD 00:00:00'
    QVariant sex;
    QVariant birthTown;
    QVariant declarant = QStringLiteral("T");
    QString nation = QStringLiteral("IT");
    QString town = QStringLiteral("ROMA");
    QVariant obsolete;
    bool historical = true;
    QVariant cfS, piS, personalS, nationS;
    bool historicalSame = true; // the historical record repeats the current one
    bool bothRoles = false;     // also a supplier
    QVariant foreignCode;
};

class Writer {
public:
    explicit Writer(QSqlDatabase& db) : clifor_(db), current_(db), historical_(db), foreign_(db)
    {
        clifor_.prepare(QStringLiteral("INSERT INTO CO_CLIFOR (ind_clifor, cod_clifor, flg_allegato, ind_tipo_diciva, cod_iva, dat_obsoleto)"
                                       " VALUES (?, ?, '1', ?, NULL, ?)"));
        current_.prepare(QStringLiteral(
            "INSERT INTO CA_ANAGRAFICHE (cod_anagra, des_ragsoc, des_cogn, des_nome, flg_pers_fis, cod_cfisc, cod_piva,"
            " dat_nasc, ind_sesso, cod_localita_nas, ind_tipo_diciva, flg_piva_ver, flg_nores_nocfis, cod_naz, cod_naz_res,"
            " des_localita_res, dat_obsoleto) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, '0', '0', ?, ?, ?, ?)"));
        foreign_.prepare(QStringLiteral("UPDATE CA_ANAGRAFICHE SET cod_cfisc_estero=? WHERE cod_anagra=?"));
        historical_.prepare(QStringLiteral(
            "INSERT INTO CA_ANAGRAFICHE_STO (cod_anagra, des_ragsoc, flg_pers_fis, cod_cfisc, cod_piva, dat_nasc, ind_sesso,"
            " cod_localita_nas, ind_tipo_diciva, flg_piva_ver, cod_naz, dat_obsoleto) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, '0', ?, ?)"));
    }

    bool add(const Subject& s, QString* error)
    {
        const QVariant null(QMetaType::fromType<QString>());
        const auto orNull = [&](const QVariant& v) { return v.isValid() ? v : null; };
        bindAll(clifor_, {s.type, s.code, s.declarant, orNull(s.obsolete)});
        if (!run(clifor_, error))
            return false;
        if (insertedRegistry_.contains(s.code))
            return true; // customer and supplier share one registry record
        insertedRegistry_.insert(s.code);
        bindAll(current_, {s.code, s.name, s.surname.isEmpty() ? null : QVariant(s.surname),
                           s.firstName.isEmpty() ? null : QVariant(s.firstName), orNull(s.personal), orNull(s.cf),
                           orNull(s.pi), orNull(s.birth), orNull(s.sex), orNull(s.birthTown), orNull(s.declarant),
                           s.nation, s.nation, s.town, orNull(s.obsolete)});
        if (!run(current_, error))
            return false;
        if (s.foreignCode.isValid()) {
            bindAll(foreign_, {s.foreignCode, s.code});
            if (!run(foreign_, error))
                return false;
        }
        if (!s.historical)
            return true;
        const QVariant cfS = s.historicalSame ? s.cf : s.cfS;
        const QVariant piS = s.historicalSame ? s.pi : s.piS;
        const QVariant personalS = s.historicalSame ? s.personal : s.personalS;
        const QVariant nationS = s.historicalSame ? QVariant(s.nation) : s.nationS;
        bindAll(historical_, {s.code, s.name, orNull(personalS), orNull(cfS), orNull(piS), orNull(s.birth), orNull(s.sex),
                              orNull(s.birthTown), orNull(s.declarant), orNull(nationS), orNull(s.obsolete)});
        return run(historical_, error);
    }

private:
    static void bindAll(QSqlQuery& q, const QVariantList& values)
    {
        for (int i = 0; i < values.size(); ++i)
            q.bindValue(i, values[i]);
    }
    static bool run(QSqlQuery& q, QString* error)
    {
        if (q.exec())
            return true;
        if (error)
            *error = q.lastError().text() + QStringLiteral("\n") + q.lastQuery();
        return false;
    }

    QSqlQuery clifor_, current_, historical_, foreign_;
    QSet<QString> insertedRegistry_;
};

QString isoDate(const QDate& d) { return d.toString(QStringLiteral("yyyy-MM-dd")) + QStringLiteral(" 00:00:00"); }

Subject person(DemoRandom& r, const QString& code)
{
    Subject s;
    s.code = code;
    const bool woman = r.below(2) == 1;
    s.surname = QLatin1String(r.pick(kSurnames));
    s.firstName = QLatin1String(woman ? r.pick(kWomen) : r.pick(kMen));
    s.name = s.surname + QLatin1Char(' ') + s.firstName;
    const QDate birth(1940 + r.below(60), 1 + r.below(12), 1 + r.below(28));
    const Town town = demo::kTowns[static_cast<std::size_t>(r.below(demo::kSubjectTowns))];
    s.cf = taxcode::composeCode(s.surname, s.firstName, birth, woman ? QLatin1Char('F') : QLatin1Char('M'),
                                QLatin1String(town.code));
    s.personal = QStringLiteral("1");
    s.birth = isoDate(birth);
    s.sex = woman ? QStringLiteral("0") : QStringLiteral("1");
    s.birthTown = QLatin1String(town.code);
    s.declarant = QStringLiteral("C");
    s.town = QLatin1String(town.name);
    return s;
}

Subject company(DemoRandom& r, const QString& code)
{
    Subject s;
    s.code = code;
    s.name = QLatin1String(r.pick(kTrades)) + QLatin1Char(' ') + QLatin1String(r.pick(kSurnames)) + QLatin1Char(' ')
             + QLatin1String(r.pick(kForms));
    const QString vat = vatNumber(r);
    s.pi = vat;
    s.cf = vat;
    s.town = QLatin1String(demo::kTowns[static_cast<std::size_t>(r.below(demo::kSubjectTowns))].name);
    return s;
}

Subject foreignCompany(DemoRandom& r, const QString& code)
{
    Subject s = company(r, code);
    const Nation n = kNations[static_cast<std::size_t>(2 + r.below(6))];
    s.nation = QLatin1String(n.code);
    s.cf = QVariant();
    QString digits;
    for (int i = 0; i < 9; ++i)
        digits.append(QLatin1Char(static_cast<char>('0' + r.below(10))));
    s.pi = digits; // foreign VAT numbers, kept without their prefix
    s.town = QStringLiteral("ESTERO");
    return s;
}

// The faults the general check must find, one subject each.
QList<Subject> plantedSubjects(DemoRandom& r)
{
    QList<Subject> planted;
    int next = 900001;
    const auto add = [&](Subject s, const QString& name) {
        s.code = QString::number(next++);
        s.name = name;
        planted << s;
    };
    Subject p = person(r, QString());
    p.cf = p.cf.toString().left(8) + QLatin1Char('.') + p.cf.toString().mid(8) + QLatin1Char(' ');
    add(p, QStringLiteral("CODICE CON CARATTERI SPURI"));
    add([&] { Subject s = person(r, QString()); s.cf = s.cf.toString().left(5); return s; }(), QStringLiteral("CODICE DI 5 CARATTERI"));
    add([&] { Subject s = person(r, QString()); s.cf = s.cf.toString().left(8); return s; }(), QStringLiteral("CODICE DI 8 CARATTERI"));
    add([&] { Subject s = person(r, QString()); s.cf = s.cf.toString() + QStringLiteral("XY"); return s; }(), QStringLiteral("CODICE TROPPO LUNGO"));
    add([&] {
        Subject s = person(r, QString());
        QString cf = s.cf.toString();
        cf[15] = cf[15] == QLatin1Char('A') ? QLatin1Char('B') : QLatin1Char('A');
        s.cf = cf;
        return s;
    }(), QStringLiteral("CARATTERE DI CONTROLLO ERRATO"));
    add([&] { Subject s = person(r, QString()); s.pi = s.cf; s.cf = QVariant(); return s; }(), QStringLiteral("CF NEL CAMPO PARTITA IVA"));
    add([&] { Subject s = company(r, QString()); s.pi = QStringLiteral("IT") + s.pi.toString(); return s; }(), QStringLiteral("PARTITA IVA CON PREFISSO IT"));
    add([&] { Subject s = company(r, QString()); s.pi = QStringLiteral("it") + s.pi.toString(); return s; }(), QStringLiteral("PARTITA IVA CON PREFISSO it"));
    add([&] { Subject s = person(r, QString()); s.personal = QStringLiteral("0"); return s; }(), QStringLiteral("MANCA INDICATORE PERSONA FISICA"));
    add([&] { Subject s = company(r, QString()); s.personal = QStringLiteral("1"); return s; }(), QStringLiteral("INDICATORE PERSONA FISICA ATTIVO"));
    add([&] { Subject s = person(r, QString()); s.birth = isoDate(QDate(1966, 6, 6)); return s; }(), QStringLiteral("DATA DI NASCITA INCOERENTE"));
    add([&] { Subject s = person(r, QString()); s.birth = QVariant(); s.sex = QVariant(); return s; }(), QStringLiteral("DATA DI NASCITA MANCANTE"));
    add([&] { Subject s = company(r, QString()); s.nation = QStringLiteral("XK"); return s; }(), QStringLiteral("NAZIONE SENZA CODICE ISO"));
    add([&] { Subject s = company(r, QString()); s.cf = QVariant(); return s; }(), QStringLiteral("PARTITA IVA SENZA CODICE FISCALE"));
    add([&] { Subject s = company(r, QString()); s.pi = s.pi.toString().left(10) + QLatin1Char(s.pi.toString().at(10) == QLatin1Char('0') ? '1' : '0'); s.cf = s.pi; return s; }(), QStringLiteral("PARTITA IVA CON CIFRA ERRATA"));
    add([&] { Subject s = company(r, QString()); s.historicalSame = false; s.cfS = QStringLiteral("ABC12"); s.piS = QStringLiteral("0123"); s.personalS = QStringLiteral("0"); s.nationS = QStringLiteral("IT"); return s; }(), QStringLiteral("STORICO CON CODICI ERRATI"));
    add([&] { Subject s = company(r, QString()); s.historical = false; return s; }(), QStringLiteral("SENZA ANAGRAFICA STORICA"));
    add([&] { Subject s = person(r, QString()); s.declarant = QVariant(); return s; }(), QStringLiteral("SENZA TIPO DICHIARANTE"));
    add([&] { Subject s = company(r, QString()); s.pi = QStringLiteral("80") + vatNumber(r, '8').mid(2); s.cf = s.pi; s.pi = QVariant(); s.personal = QStringLiteral("0"); s.declarant = QStringLiteral("C"); return s; }(), QStringLiteral("ASSOCIAZIONE SPORTIVA DILETTANTISTICA"));

    // Public bodies whose fiscal code went into the VAT number field, and
    // foreign subjects for the foreign fiscal code.
    const auto body = [&](char first) { Subject s = company(r, QString()); s.pi = vatNumber(r, first); s.cf = QVariant(); return s; };
    add(body('8'), QStringLiteral("COMUNE DI PROVA (PI 8 SENZA CF)"));
    add([&] { Subject s = body('9'); s.cf = s.pi; return s; }(), QStringLiteral("PARROCCHIA DI PROVA (PI = CF 9)"));
    add([&] { Subject s = body('8'); s.cf = vatNumber(r, '0'); return s; }(), QStringLiteral("ENTE DI PROVA (PI 8, CF DIVERSO)"));
    add([&] { Subject s = body('9'); s.pi = QStringLiteral("9123A567890"); return s; }(), QStringLiteral("ASSOCIAZIONE (PI 9 CON LETTERA)"));
    add([&] { Subject s = foreignCompany(r, QString()); s.pi = vatNumber(r, '9'); return s; }(), QStringLiteral("ENTE ESTERO (PI 9)"));
    add([&] { Subject s = company(r, QString()); s.historicalSame = false; s.piS = vatNumber(r, '8'); s.personalS = QStringLiteral("0"); s.nationS = QStringLiteral("IT"); return s; }(), QStringLiteral("DITTA CON STORICO PI 8"));
    add([&] { Subject s = body('8'); s.bothRoles = true; return s; }(), QStringLiteral("CONSORZIO CLIENTE E FORNITORE (PI 8)"));
    add([&] { Subject s = foreignCompany(r, QString()); s.foreignCode = QStringLiteral("FR12345678901"); return s; }(), QStringLiteral("ESTERO CON CF ESTERO"));
    add([&] { Subject s = foreignCompany(r, QString()); s.cf = QStringLiteral("X"); s.pi = QVariant(); return s; }(), QStringLiteral("ESTERO SENZA CODICI"));
    add([&] { Subject s = foreignCompany(r, QString()); s.cf = QStringLiteral("#123*45"); return s; }(), QStringLiteral("ESTERO CON CF #123*45"));
    return planted;
}

} // namespace

bool fillDemoRegistry(QSqlDatabase& db, int count, bool planted, QString* error)
{
    QSqlQuery insert(db);
    insert.prepare(QStringLiteral("INSERT INTO CA_NAZIONI (cod_naz, des_naz, sig_iso, ind_area_naz) VALUES (?, ?, ?, ?)"));
    for (const Nation& n : kNations) {
        insert.bindValue(0, QLatin1String(n.code));
        insert.bindValue(1, QLatin1String(n.name));
        insert.bindValue(2, *n.iso ? QVariant(QLatin1String(n.iso)) : QVariant(QMetaType::fromType<QString>()));
        insert.bindValue(3, QLatin1String(n.area));
        if (!insert.exec())
            return error && (*error = insert.lastError().text(), false);
    }
    insert.prepare(QStringLiteral("INSERT INTO CA_LOCALITA (cod_localita, des_localita, sig_prov, cod_cap) VALUES (?, ?, ?, ?)"));
    for (const Town& t : registryTowns()) {
        insert.bindValue(0, QLatin1String(t.code));
        insert.bindValue(1, QLatin1String(t.name));
        insert.bindValue(2, QLatin1String(t.province));
        insert.bindValue(3, QLatin1String(t.cap));
        if (!insert.exec())
            return error && (*error = insert.lastError().text(), false);
    }

    DemoRandom r(2026);
    Writer writer(db);
    for (int i = 1; i <= count; ++i) {
        const QString code = QStringLiteral("%1").arg(i, 6, 10, QLatin1Char('0'));
        const int kind = r.below(20);
        Subject s = kind < 8 ? person(r, code) : kind < 18 ? company(r, code) : foreignCompany(r, code);
        s.type = r.below(4) == 0 ? QStringLiteral("F") : QStringLiteral("C");
        if (!writer.add(s, error))
            return false;
        if (r.below(25) == 0) { // some are both customer and supplier
            s.type = s.type == QLatin1String("C") ? QStringLiteral("F") : QStringLiteral("C");
            if (!writer.add(s, error))
                return false;
        }
    }
    if (planted) {
        for (Subject s : plantedSubjects(r)) {
            if (!writer.add(s, error))
                return false;
            if (s.bothRoles) {
                s.type = QStringLiteral("F");
                if (!writer.add(s, error))
                    return false;
            }
        }
    }
    return true;
}

} // namespace corv
