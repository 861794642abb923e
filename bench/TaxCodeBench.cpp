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

// Runs one check over the whole mix, once per benchmark iteration.
template <typename Codes, typename Check>
void runOver(benchmark::State& state, const Codes& all, Check check)
{
    for (auto _ : state) {
        int sum = 0;
        for (const auto& c : all)
            sum += check(c);
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * all.size()));
}

void CheckFiscalCodeBytes(benchmark::State& state)
{
    runOver(state, codes(), [](const std::string& c) { return corv::utl::CheckFiscalCode(std::string_view(c)); });
}

void CheckVatNumberBytes(benchmark::State& state)
{
    runOver(state, codes(), [](const std::string& c) { return corv::utl::CheckVatNumber(std::string_view(c)); });
}

void CheckFiscalCodeQString(benchmark::State& state)
{
    runOver(state, qcodes(), [](const QString& c) { return corv::utl::CheckFiscalCode(QStringView(c)); });
}

void CheckVatNumberQString(benchmark::State& state)
{
    runOver(state, qcodes(), [](const QString& c) { return corv::utl::CheckVatNumber(QStringView(c)); });
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
