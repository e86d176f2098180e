#pragma once

// What the sound benchmarks share: the clock, the wait until a player really plays, the
// reference (a bare playbin told to play a file) and the median of a series.

#include <gst/gst.h>

#include <chrono>
#include <functional>
#include <string>
#include <vector>

class QString;

namespace bench {

using Clock = std::chrono::steady_clock;

double millisecondsSince(Clock::time_point start);

// Lets the event loop run until the player is in PLAYING and its position has moved on
// from the first one seen there; false after ten seconds.
bool waitUntilPlaying(GstElement* pipeline);

// The reference: a bare playbin told to play the file into a real-time sink, with no check
// of the file and no choice of output; milliseconds until it plays, or -1.
double playBare(const std::string& path);

double median(std::vector<double> values);

// One line of results: ours against the reference, and whether ours is under the target.
void report(const char* what, double ours, double bare, double target);

// Runs this benchmark again in a fresh process with the arguments; the number it prints.
double runChild(const QString& mode, const std::string& path);

// Makes the presses of one file: each call presses once and gives the milliseconds until
// the sound played, or -1.
using Presser = std::function<double()>;
using PresserFor = std::function<Presser(const std::string& path)>;

// The whole benchmark, for MP3 and M4A: the first press in fresh processes and the later
// presses in this one, each against the bare playbin. Called with "--first KIND PATH" (by
// itself, in the fresh process) it presses once, ours or the bare one, and prints the time.
int runPressBenchmark(int argc, char** argv, const char* title, const PresserFor& presserFor);

} // namespace bench
