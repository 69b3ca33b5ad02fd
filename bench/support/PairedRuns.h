#pragma once
// The times of one side of a paired benchmark (ours, theirs, ours, theirs, ...): every run
// kept, reported as the median with the range, so that a change in the machine's load
// during the bench shows as a wide range instead of moving one side's best time.
//
//   PairedRuns ours, theirs;
//   for (...) { theirs.Add(runTheirs()); ours.Add(runOurs()); }
//   std::printf("%s %s %.3f\n", ours.Text().c_str(), theirs.Text().c_str(), ours.Median() / theirs.Median());
#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

inline double MedianOf(std::vector<double> values)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    const std::size_t mid = values.size() / 2;
    return values.size() % 2 ? values[mid] : (values[mid - 1] + values[mid]) / 2;
}

struct PairedRuns {
    std::vector<double> seconds;

    void Add(double s) { seconds.push_back(s); }
    double Median() const { return MedianOf(seconds); }
    // "12.34 (12.01-13.10)": the median and the range.
    std::string Text() const
    {
        if (seconds.empty())
            return "-";
        char text[96];
        std::snprintf(text, sizeof text, "%.2f (%.2f-%.2f)", Median(), *std::min_element(seconds.begin(), seconds.end()),
                      *std::max_element(seconds.begin(), seconds.end()));
        return text;
    }
};

// The ratios ours / theirs of each pair (the i-th run of each side): "0.93 (0.88-1.01)",
// the median with the range, so that a pair hit by a burst of load shows in the range.
inline std::string PairRatios(const PairedRuns& ours, const PairedRuns& theirs)
{
    std::vector<double> ratios;
    for (std::size_t i = 0; i < ours.seconds.size() && i < theirs.seconds.size(); ++i)
        if (theirs.seconds[i] > 0)
            ratios.push_back(ours.seconds[i] / theirs.seconds[i]);
    if (ratios.empty())
        return "-";
    char text[96];
    std::snprintf(text, sizeof text, "%.3f (%.3f-%.3f)", MedianOf(ratios), *std::min_element(ratios.begin(), ratios.end()),
                  *std::max_element(ratios.begin(), ratios.end()));
    return text;
}

// Runs the two sides `runs` times, ours first on even runs and theirs first on odd ones, so
// that neither side always meets a warm or a cold cache; stops once `ok` turns false.
template <class Ours, class Theirs>
inline void RunAlternately(int runs, const bool& ok, Ours ours, Theirs theirs)
{
    for (int run = 0; run < runs && ok; ++run) {
        if (run % 2 == 0) {
            ours(run);
            theirs(run);
        } else {
            theirs(run);
            ours(run);
        }
    }
}
