#pragma once

// What the copy benchmarks share: the clock, syncing a folder's file system so that no run
// pays for another's writes, `cp -p` as the reference, and the median of a series.

#include <chrono>
#include <string>
#include <vector>

namespace bench {

using Clock = std::chrono::steady_clock;

// A timed copy: without, and with the final sync of the destination's file system.
struct Timing {
    double copy = 0;
    double withSync = 0;
};

// Says what failed, with the system's reason, and ends the benchmark.
[[noreturn]] void die(const std::string& what);

double secondsSince(Clock::time_point start);

double median(std::vector<double> values);

void syncFolder(const std::string& folder);

// `cp -p -t dest sources...`, run as its own process.
void runCp(const std::vector<std::string>& sources, const std::string& dest);

} // namespace bench
