// The Nembo export reader and the legacy totals under libFuzzer: any bytes as
// the company's files (records, fields, amounts, dates, encodings); nothing
// may crash, hang or read out of bounds.
#include "platform/ExportFiles.h"
#include "legacy/LegacyReferences.h"
#include "legacy/LegacyTotals.h"
#include "comparison/SourceComparison.h"
#include "console/BatchUi.h"
#include "context/AppContext.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>
#include <cstdint>
#include <memory>

using namespace corv;

namespace {

class QuietUi : public BatchUi {
public:
    Answer message(const QString&, const QString&, Icon, Buttons, Answer defaultAnswer) override { return defaultAnswer; }
    void processEvents() override {}
    bool openInViewer(const QString&, const QString&) override { return true; }
};

struct Setup {
    int argc = 1;
    char name[8] = "fuzz";
    char* argv[2] = {name, nullptr};
    QCoreApplication app{argc, argv};
    QTemporaryDir dir;
    QuietUi ui;
    std::unique_ptr<AppContext> ctx;
    Setup()
    {
        const AppPaths paths = AppPaths::forHome(dir.path());
        paths.ensure();
        ctx = std::make_unique<AppContext>(paths, makeRegistryFile(paths.registryFile()), ui);
    }
    void write(const char* name, const QByteArray& bytes) const
    {
        QFile file(dir.filePath(QLatin1String(name)));
        if (file.open(QIODevice::WriteOnly))
            file.write(bytes);
    }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static Setup setup;
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    for (const QByteArray& line : bytes.split('\n')) {
        const legacy::ExportRecord record(line);
        legacy::vatCodeRow(record);
        legacy::reasonRow(record);
        legacy::subjectRow(record, QLatin1Char('C'));
        legacy::reasonListed(record);
        legacy::vatIndicatorMismatch(record);
        legacy::journalRecordTaken(record);
        legacy::journalKey(record);
        legacy::journalAmount(record.bytes(18));
        legacy::journalDate(record.field(4));
        legacy::normalizedCode(record.field(24));
    }
    // The same bytes as every file of a company, read and totalled.
    for (const char* name : {"TR001AZI", "TR001CIV", "TR001CAC", "TR001CLI", "TR001FOR", "TR001PRN"})
        setup.write(name, bytes);
    const ReferenceLists lists = legacy::readLegacyReferences(*setup.ctx, setup.dir.path(), QStringLiteral("001"));
    legacy::totalJournal(*setup.ctx, setup.dir.path(), QStringLiteral("001"), lists);
    SourceTotals totals{QStringLiteral("Nembo"), {}};
    legacy::sumJournal(setup.dir.path(), QStringLiteral("001"), QDate(1900, 1, 1), QDate(2100, 12, 31), totals);
    return 0;
}
