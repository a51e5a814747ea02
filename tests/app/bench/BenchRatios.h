// Collects the mean real time of each benchmark run so a program can print ratios after the console table.
#pragma once
#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>
#include <vector>

class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& r : runs)
            if (r.iterations > 0) seconds[r.benchmark_name()] = r.GetAdjustedRealTime();
        ConsoleReporter::ReportRuns(runs);
    }
    // Prints ours / theirs for a pair of benchmark names; false when one of them did not run.
    bool PrintRatio(const std::string& label, const std::string& ours, const std::string& theirs) const {
        auto a = seconds.find(ours), b = seconds.find(theirs);
        if (a == seconds.end() || b == seconds.end() || b->second <= 0) return false;
        std::printf("%-28s ours/reference = %.2f\n", label.c_str(), a->second / b->second);
        return true;
    }
    std::map<std::string, double> seconds;
};
