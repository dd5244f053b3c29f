// The report log writes and flushes every line as it is logged; this measures what a line costs.
#include "diag/ErrorLevelWriter.h"

#include <benchmark/benchmark.h>

#include <filesystem>

namespace {

void LogLineWrittenThrough(benchmark::State& state)
{
    const auto folder = std::filesystem::temp_directory_path() / "tarnwick-bench-log";
    std::filesystem::remove_all(folder);
    {
        tarnwick::TErrorLevelWriter writer((folder / "Tarnwick.log").string(), true, true);
        for (auto _ : state) writer.Log(2, "Running Script... 10/12/2026 14:03:38", 2);
    }
    std::filesystem::remove_all(folder);
}
BENCHMARK(LogLineWrittenThrough);

void LogMultiLineMessage(benchmark::State& state)
{
    tarnwick::TErrorLevelWriter writer("", true, true);
    const std::string message =
        "Invalid object name 'KQ99'.\r\n\r\nMasterCon: SELECT * FROM KQ99\r\nWHERE 1=1";
    for (auto _ : state) writer.Log(0, message, 4);
}
BENCHMARK(LogMultiLineMessage);

} // namespace
