// Micro benchmarks of the scanner's inner parts, on data held in memory.

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "scan/ephemeris_scanner.h"
#include "scan/passage_refinement.h"
#include "text/field_reader.h"
#include "text/number_text.h"

namespace {

std::string table(std::size_t records) {
    std::string text = "header\n$$SOE\n";
    for (std::size_t i = 0; i < records; ++i) {
        text += "2458849.500000000 = A.D. 2020-Jan-01 00:00:00.0000 TDB \n";
        text += " X =-1.777445628757660E-01 Y = 9.671924316654563E-01 Z =-2.135414357060025E-05\n";
        text += " VX=-1.720704022804117E-02 VY=-3.159330366094097E-03 VZ= 5.130706613524155E-07\n";
        // Distances along a slightly eccentric orbit, as in a real table.
        char line[128];
        std::snprintf(line, sizeof line,
                      " LT= 5.680996067794166E-03 RG=%22.15E RR=-1.730156260918764E-07\n",
                      1.0 + 0.0167 * std::cos(static_cast<double>(i) * 0.0172));
        text += line;
    }
    return text + "$$EOE\n";
}

// The same orbit as one CSV line a record, as CSV_FORMAT=YES writes it.
std::string csvTable(std::size_t records) {
    std::string text = "JDTDB, Calendar Date (TDB), X, Y, Z, VX, VY, VZ, LT, RG, RR,\n$$SOE\n";
    for (std::size_t i = 0; i < records; ++i) {
        char line[512];
        std::snprintf(line, sizeof line,
                      "2458849.500000000, A.D. 2020-Jan-01 00:00:00.0000, -1.777445628757660E-01, "
                      " 9.671924316654563E-01, -2.135414357060025E-05, -1.720704022804117E-02, "
                      "-3.159330366094097E-03,  5.130706613524155E-07,  5.680996067794166E-03, "
                      "%22.15E, -1.730156260918764E-07,\n",
                      1.0 + 0.0167 * std::cos(static_cast<double>(i) * 0.0172));
        text += line;
    }
    return text + "$$EOE\n";
}

void FieldReaderItems(benchmark::State& state) {
    const std::string text = table(20000);
    for (auto _ : state) {
        vandrel::MemorySource source(text);
        vandrel::FieldReader reader(source, 77);
        vandrel::Field field;
        std::size_t items = 0;
        while (reader.next(field)) {
            ++items;
        }
        benchmark::DoNotOptimize(items);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}
BENCHMARK(FieldReaderItems);

// Scans a table of the given form held in memory, tracking both extremes.
void ScanInMemory(benchmark::State& state, std::string (*makeTable)(std::size_t)) {
    const std::string text = makeTable(20000);
    vandrel::ScanSettings settings;
    settings.trackMinimum = true;
    settings.trackMaximum = true;
    vandrel::ScanObserver observer;
    for (auto _ : state) {
        vandrel::MemorySource source(text);
        benchmark::DoNotOptimize(vandrel::EphemerisScanner().scan(source, settings, observer));
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}
BENCHMARK_CAPTURE(ScanInMemory, PlainTable, table);
BENCHMARK_CAPTURE(ScanInMemory, CsvTable, csvTable);

void TextToNumberDistance(benchmark::State& state) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(vandrel::TextToNumber("9.836868025025924E-01"));
    }
}
BENCHMARK(TextToNumberDistance);

// One refinement per call, on pairs of records around an Earth-like
// perihelion that differ from call to call, so that nothing is hoisted.
void HermiteRefinement(benchmark::State& state) {
    constexpr std::size_t kPairs = 256;
    std::vector<vandrel::RangeRecord> earlier(kPairs);
    std::vector<vandrel::RangeRecord> later(kPairs);
    for (std::size_t i = 0; i < kPairs; ++i) {
        const double offset = static_cast<double>(i) / kPairs;  // the passage's place in the day
        earlier[i] = {2458853.5, 0.983 + 1e-9 * offset, -2.9e-6 * (0.3 + offset)};
        later[i] = {2458854.5, 0.983 + 1e-9 * (1 - offset), 2.9e-6 * (1.3 - offset)};
    }
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(vandrel::refineBetweenRecords(earlier[i], later[i]));
        i = (i + 1) % kPairs;
    }
}
BENCHMARK(HermiteRefinement);

}  // namespace

BENCHMARK_MAIN();
