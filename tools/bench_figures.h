#pragma once
// The figures the benchmarks print: each timed run, then the median and the
// spread (fastest, slowest, interquartile range), in milliseconds with two
// decimals whatever the locale.
#include <algorithm>
#include <charconv>
#include <cstdio>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace korva::tools {

// The count of a --runs option: 1 to 10000, else nothing.
inline std::optional<int> RunCount(std::string_view text)
{
    int runs = 0;
    const auto parsed = std::from_chars(text.data(), text.data() + text.size(), runs);
    if (parsed.ec != std::errc() || parsed.ptr != text.data() + text.size() || runs < 1 || runs > 10000)
        return std::nullopt;
    return runs;
}

inline std::string Milliseconds(double ms)
{
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, ms, std::chars_format::fixed, 2);
    return std::string(buffer, result.ptr) + " ms";
}

// The value at fraction q of the sorted times, linear between neighbours.
inline double Quantile(const std::vector<double>& sorted, double q)
{
    const double at = q * static_cast<double>(sorted.size() - 1);
    const std::size_t below = static_cast<std::size_t>(at);
    const std::size_t above = std::min(below + 1, sorted.size() - 1);
    return sorted[below] + (at - static_cast<double>(below)) * (sorted[above] - sorted[below]);
}

inline void PrintRuns(const std::vector<double>& times)
{
    for (std::size_t run = 0; run < times.size(); ++run)
        std::printf("run %zu: %s\n", run + 1, Milliseconds(times[run]).c_str());
}

// "runs", "median", "fastest", "slowest", "interquartile range"; nothing
// for no runs.
inline void PrintSpread(std::vector<double> times)
{
    if (times.empty())
        return;
    std::sort(times.begin(), times.end());
    std::printf("runs: %zu\nmedian: %s\nfastest: %s\nslowest: %s\ninterquartile range: %s\n", times.size(),
                Milliseconds(Quantile(times, 0.5)).c_str(), Milliseconds(times.front()).c_str(),
                Milliseconds(times.back()).c_str(),
                Milliseconds(Quantile(times, 0.75) - Quantile(times, 0.25)).c_str());
}

} // namespace korva::tools
