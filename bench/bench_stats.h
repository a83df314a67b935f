// The benchmarks' statistics.
#pragma once
#include <algorithm>
#include <vector>

// Median of the samples no slower than twice the fastest; `dropped` gets the others' count
// (a sample slowed by something else on the machine). An empty set gives 0.
inline double KeptMedian(std::vector<double> samples, int& dropped) {
    dropped = 0;
    if (samples.empty()) return 0;
    std::sort(samples.begin(), samples.end());
    const double limit = samples.front() * 2;
    std::vector<double> kept;
    for (double s : samples) {
        if (s <= limit) kept.push_back(s);
    }
    dropped = static_cast<int>(samples.size() - kept.size());
    return kept[kept.size() / 2];
}
