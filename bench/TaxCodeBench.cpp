// Throughput of the tax-code checks over a million mixed codes. Run:
//   build/bench/taxcode_bench --benchmark_min_time=2
// "--write-codes FILE [N]" writes the same mix, one code per line, for timing
// the command-line checker (scripts/bench/check-codes.sh).
#include "CodeGenerator.h"

#include "taxcode/TaxCodeChecks.h"

#include <QString>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstring>

namespace {

const std::vector<std::string>& codes()
{
    static const std::vector<std::string> all = corv::bench::generateCodes(1'000'000);
    return all;
}

const std::vector<QString>& qcodes()
{
    static const std::vector<QString> all = [] {
        std::vector<QString> q;
        q.reserve(codes().size());
        for (const std::string& c : codes())
            q.push_back(QString::fromLatin1(c.data(), static_cast<qsizetype>(c.size())));
        return q;
    }();
    return all;
}

void CheckFiscalCodeBytes(benchmark::State& state)
{
    const auto& all = codes();
    for (auto _ : state) {
        int sum = 0;
        for (const std::string& c : all)
            sum += corv::utl::CheckFiscalCode(std::string_view(c));
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * all.size()));
}

void CheckVatNumberBytes(benchmark::State& state)
{
    const auto& all = codes();
    for (auto _ : state) {
        int sum = 0;
        for (const std::string& c : all)
            sum += corv::utl::CheckVatNumber(std::string_view(c));
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * all.size()));
}

void CheckFiscalCodeQString(benchmark::State& state)
{
    const auto& all = qcodes();
    for (auto _ : state) {
        int sum = 0;
        for (const QString& c : all)
            sum += corv::utl::CheckFiscalCode(QStringView(c));
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * all.size()));
}

void CheckVatNumberQString(benchmark::State& state)
{
    const auto& all = qcodes();
    for (auto _ : state) {
        int sum = 0;
        for (const QString& c : all)
            sum += corv::utl::CheckVatNumber(QStringView(c));
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * all.size()));
}

BENCHMARK(CheckFiscalCodeBytes)->Unit(benchmark::kMillisecond);
BENCHMARK(CheckVatNumberBytes)->Unit(benchmark::kMillisecond);
BENCHMARK(CheckFiscalCodeQString)->Unit(benchmark::kMillisecond);
BENCHMARK(CheckVatNumberQString)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    if (argc >= 3 && std::strcmp(argv[1], "--write-codes") == 0) {
        const std::size_t count = argc >= 4 ? std::strtoul(argv[3], nullptr, 10) : 1'000'000;
        std::FILE* out = std::fopen(argv[2], "wb");
        if (!out)
            return 1;
        for (const std::string& c : corv::bench::generateCodes(count))
            std::fprintf(out, "%s\n", c.c_str());
        return std::fclose(out) == 0 ? 0 : 1;
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
