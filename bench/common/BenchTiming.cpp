#include "BenchTiming.h"

#include <algorithm>
#include <chrono>
#include <cstdio>

BenchTiming TimingOf(std::vector<double> runs)
{
    std::sort(runs.begin(), runs.end());
    return BenchTiming {runs[runs.size() / 2], runs.front(), runs.back()};
}

BenchTiming MeasureRuns(int runs, const std::function<void(int)>& action, const std::function<void(int)>& prepare)
{
    std::vector<double> ms;
    ms.reserve(static_cast<std::size_t>(std::max(runs, 0)));
    for (int run = 0; run < runs; ++run) {
        if (prepare)
            prepare(run);
        const auto start = std::chrono::steady_clock::now();
        action(run);
        ms.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
    }
    return TimingOf(std::move(ms));
}

bool GoalMet(const BenchTiming& timing, double goal)
{
    return timing.median < goal;
}

const char* GoalVerdict(bool met)
{
    return met ? "(goal met)" : "(goal missed)";
}

void PrintTiming(const char* what, const BenchTiming& timing, double goalMs, const BenchLineLayout& layout)
{
    const int width = layout.figureWidth;
    const int decimals = layout.decimals;
    std::printf("%-*s median %*.*f ms", layout.labelWidth, what, width, decimals, timing.median);
    if (layout.withMin)
        std::printf("  min %*.*f  max %*.*f", width, decimals, timing.min, width, decimals, timing.max);
    else
        std::printf("  max %*.*f ms", width, decimals, timing.max);
    if (goalMs > 0) {
        if (layout.withGoalValue)
            std::printf("  goal < %.0f ms", goalMs);
        std::printf("%s%s", layout.verdictGap, GoalVerdict(GoalMet(timing, goalMs)));
    }
    std::printf("\n");
    std::fflush(stdout);
}
