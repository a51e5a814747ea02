// Timing for the Windows benchmarks: the calling thread's processor time, which other work on a busy machine
// weighs on far less than on the wall clock, and the median of a set of runs.
#pragma once
#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <vector>

inline double ThreadSeconds() {
    FILETIME created, exited, kernel, user;
    ::GetThreadTimes(::GetCurrentThread(), &created, &exited, &kernel, &user);
    auto seconds = [](const FILETIME& f) {
        return double((std::uint64_t(f.dwHighDateTime) << 32) | f.dwLowDateTime) * 1e-7;
    };
    return seconds(kernel) + seconds(user);
}

inline double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}
