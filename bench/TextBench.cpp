// How the text helpers behave on scripts of the size the suite's updates reach (the built-in
// script carries hexadecimal constants of several kilobytes per line).
#include "platform/core/DelimitedList.h"
#include "platform/core/Strings.h"

#include <benchmark/benchmark.h>

namespace {

std::string Script(std::size_t lines, std::size_t width)
{
    std::string text;
    for (std::size_t i = 0; i < lines; ++i)
        text += "UPDATE [T] SET [C]=0x" + std::string(width, 'A') + " -- ##YEAR##\r\n";
    return text;
}

void ReplacePlaceholder(benchmark::State& state)
{
    const std::string text = Script(static_cast<std::size_t>(state.range(0)), 4000);
    for (auto _ : state) benchmark::DoNotOptimize(tarnwick::ReplaceText(text, "##year##", "2026"));
    state.SetBytesProcessed(static_cast<long long>(state.iterations() * text.size()));
}
BENCHMARK(ReplacePlaceholder)->Arg(32)->Arg(1000);

void SplitScriptLines(benchmark::State& state)
{
    const std::string text = Script(static_cast<std::size_t>(state.range(0)), 200);
    for (auto _ : state) benchmark::DoNotOptimize(tarnwick::SplitLines(text));
    state.SetBytesProcessed(static_cast<long long>(state.iterations() * text.size()));
}
BENCHMARK(SplitScriptLines)->Arg(32)->Arg(10000);

void SplitDatasetList(benchmark::State& state)
{
    std::string list;
    for (int i = 1; i <= state.range(0); ++i) list += std::to_string(i) + " ; ";
    const tarnwick::TDelimitedRules rules{.Delimiter = ';', .Quote = '"'};
    for (auto _ : state) benchmark::DoNotOptimize(tarnwick::SplitDelimited(list, rules));
}
BENCHMARK(SplitDatasetList)->Arg(10)->Arg(1000);

} // namespace
