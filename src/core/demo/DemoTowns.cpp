#include "demo/DemoTowns.h"

#include "demo/DemoPlaces.h"
#include "taxcode/TownDatabase.h"

#include <QDir>
#include <QSaveFile>
#include <array>

namespace corv {

namespace {

using demo::kStates;
using demo::kTowns;
using demo::State;
using demo::Town;

constexpr std::array kPrefixes = {"SAN", "SANTA", "MONTE", "CASTEL", "VILLA", "BORGO", "PIEVE", "ROCCA", "PORTO", "CASALE"};
constexpr std::array kStems = {"MARTINO", "GIORGIO", "LORENZO", "PIETRO", "VITTORIA", "FIORE", "BIANCO", "NUOVO", "VECCHIO", "ALTO",
                               "BASSO", "GRANDE", "MAGGIORE", "SERENO", "VERDE", "D'ADDA", "DEL LAGO", "DI SOTTO", "SUL MONTE", "FERRATO",
                               "ROSSO", "CHIARO", "LARGO", "BELLO", "MARINO"};
constexpr std::array kProvinces = {"BG", "CN", "PG", "SA", "TV", "VI", "LU", "MC", "CS", "FG"};

QByteArray townLine(const QString& code, const QByteArray& name, const QString& province, const QString& cap, bool chief, const QString& chiefCode)
{
    QList<QByteArray> fields(12);
    fields[0] = code.toLatin1();
    fields[3] = cap.toLatin1();
    fields[4] = name;
    fields[5] = province.toLatin1();
    fields[6] = chief ? "S" : "N";
    fields[10] = QByteArray::number(qHash(code) % 90000 + 10000);
    fields[11] = chiefCode.toLatin1();
    return fields.join('|') + "\r\n";
}

bool write(const QString& path, const QByteArray& bytes, QString* error)
{
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit())
        return true;
    if (error)
        *error = QStringLiteral("Impossibile scrivere il file : ") + path;
    return false;
}

} // namespace

bool writeDemoTowns(const QString& folder, QString* error)
{
    QByteArray towns;
    for (const Town& t : kTowns)
        towns += townLine(QLatin1String(t.code), t.name, QLatin1String(t.province), QLatin1String(t.cap), true, QLatin1String(t.code));
    towns += townLine(QStringLiteral("D704"), "FORL\xcc", QStringLiteral("FC"), QStringLiteral("47121"), true, QStringLiteral("D704"));
    // Towns that look real: prefix and stem, a code of their own.
    int n = 0;
    for (const char* prefix : kPrefixes) {
        for (const char* stem : kStems) {
            const QString province = QLatin1String(kProvinces[static_cast<std::size_t>(n % static_cast<int>(kProvinces.size()))]);
            const QString code = QStringLiteral("%1%2").arg(QChar(u'M' + n / 100)).arg(n % 100 * 7 + 100, 3, 10, QLatin1Char('0'));
            towns += townLine(code, QByteArray(prefix) + ' ' + stem, province, QStringLiteral("%1").arg(10000 + n * 37, 5, 10, QLatin1Char('0')), false,
                              QString());
            ++n;
        }
    }
    for (const State& s : kStates)
        towns += townLine(QLatin1String(s.code), s.name, QStringLiteral("EE"), QString(), false, QString());
    towns += "Q999|riga corta\r\n";
    towns += "\r\n";
    QByteArray nations;
    for (const State& s : kStates)
        nations += QByteArray(s.code) + '|' + s.name + '|' + s.iso + "\r\n";
    nations += "Z999|ATLANTIDE|XA\r\n"; // no town row: logged
    const QDir dir(folder);
    const QString database = dir.filePath(QStringLiteral("LOCALITA.sqlite"));
    if (!write(dir.filePath(QStringLiteral("LOCALITA.TXT")), towns, error) || !write(dir.filePath(QStringLiteral("NAZIONI.TXT")), nations, error)
        || !towns::createDatabase(database, error))
        return false;
    const towns::RebuildResult built = towns::rebuild(database, dir.filePath(QStringLiteral("LOCALITA.TXT")), dir.filePath(QStringLiteral("NAZIONI.TXT")),
                                                      [](const QString&) {});
    if (!built.ok && error)
        *error = built.error;
    return built.ok;
}

} // namespace corv
