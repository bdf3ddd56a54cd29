#pragma once

// What every benchmark shares to time a repeated action and to print its
// figures: the median, minimum and maximum of the runs, and one line per
// figure, ending in "(goal met)" or "(goal missed)" where it has a goal.
// Plain C++, so that the workbook writer's benchmark, built without Qt,
// uses it too.

#include <functional>
#include <vector>

struct BenchTiming
{
    double median = 0.0;
    double min = 0.0;
    double max = 0.0;
};

// The figures of the runs' times, in whatever unit they are given; runs
// must not be empty.
BenchTiming TimingOf(std::vector<double> runs);

// Runs the action runs times (given the run's index) and times each run in
// milliseconds; prepare, when given, runs before each run, untimed.
BenchTiming MeasureRuns(int runs, const std::function<void(int)>& action, const std::function<void(int)>& prepare = {});

// Every goal is judged by the median of the runs; the maximum is printed
// beside it, so that one stray run on a busy machine shows without deciding.
bool GoalMet(const BenchTiming& timing, double goal);

// "(goal met)" or "(goal missed)".
const char* GoalVerdict(bool met);

// How a benchmark lays out its lines of figures in milliseconds. Each
// benchmark keeps the layout its earlier figures were printed in, so that
// runs stay comparable line by line.
struct BenchLineLayout
{
    int labelWidth = 58;
    int figureWidth = 8;
    int decimals = 2;
    // "min … max …" with the unit given once, after the median; else
    // "max … ms".
    bool withMin = false;
    // "goal < N ms" before the verdict.
    bool withGoalValue = true;
    // What stands between the goal and the verdict.
    const char* verdictGap = "  ";
};

// Prints "<what> median … ms  max … ms  goal < N ms  (goal met)" in the
// layout; a goal of 0 or less prints the figures alone.
void PrintTiming(const char* what, const BenchTiming& timing, double goalMs, const BenchLineLayout& layout);
