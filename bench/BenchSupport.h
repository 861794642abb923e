#pragma once

#include <sys/resource.h>

#include <cstdio>

// One measured run per process: the script starts a fresh process for every
// run, so no run reuses what an earlier one left in memory. Each prints one
// line: seconds, rows and the process's peak memory in kilobytes.
inline void printMeasure(double seconds, long rows)
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    std::printf("%.4f %ld %ld\n", seconds, rows, static_cast<long>(usage.ru_maxrss));
}
