#include "caldata/FeiertageUNIT.h"

#include <benchmark/benchmark.h>

namespace {

// The holiday codes of every day of one year, as generation asks for them.
void BM_HolidayCodesOfOneYear(benchmark::State &state)
{
    int year = 1900;
    for (auto _ : state) {
        // A new year each round, so the table is built, not only read from the cache.
        year = year >= 2099 ? 1900 : year + 1;
        QDate day(year, 1, 1);
        const QDate end(year, 12, 31);
        int sum = 0;
        for (; day <= end; day = day.addDays(1)) {
            int code = 0;
            QString name;
            sum += kb::FeiertageUNIT::feiertag(day, 12, code, name);
        }
        benchmark::DoNotOptimize(sum);
    }
}
BENCHMARK(BM_HolidayCodesOfOneYear)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
