#pragma once

// What the copy benchmarks share: the sources' bytes, the clock, syncing a folder's file
// system so that no run pays for another's writes, `cp -p` as the reference, and the median
// of a series.

#include <chrono>
#include <cstdint>
#include <string>
#include <vector>

namespace bench {

using Clock = std::chrono::steady_clock;

// A timed copy: without, and with the final sync of the destination's file system.
struct Timing {
    double copy = 0;
    double withSync = 0;
};

// The timings of one tool over the rounds.
struct Series {
    std::vector<double> copy;
    std::vector<double> withSync;
    void add(const Timing& timing)
    {
        copy.push_back(timing.copy);
        withSync.push_back(timing.withSync);
    }
};

// One round of the reference and ours, in turns: the reference first in even rounds, ours
// first in odd ones, so that neither always meets the other's leftovers.
template <class Reference, class Ours>
void inTurns(int round, Series& reference, Reference runReference, Series& ours, Ours runOurs)
{
    if (round % 2 == 0) {
        reference.add(runReference());
        ours.add(runOurs());
    } else {
        ours.add(runOurs());
        reference.add(runReference());
    }
}

// The bytes of the sources, file after file, each file's its own: a cheap generator whose
// state runs on from one file to the next, so no two files are alike.
class SourceBytes {
public:
    void next(std::vector<char>& bytes);

private:
    std::uint32_t state_ = 12345;
};

// Says what failed, with the system's reason, and ends the benchmark.
[[noreturn]] void die(const std::string& what);

double secondsSince(Clock::time_point start);

double median(std::vector<double> values);

void syncFolder(const std::string& folder);

// `cp -p -t dest sources...`, run as its own process.
void runCp(const std::vector<std::string>& sources, const std::string& dest);

} // namespace bench
