// Copying many files into one empty folder, file by file through copyIntoFolder as the
// program does, against `cp -p` of the same files in the same run and on the same disk:
//   (a) 2,000 files of 1 MiB, (b) 10,000 files of 16 KiB.
// Run: copy_bench [work folder] [rounds]. The work folder (default: the temporary folder)
// holds the sources and the destinations; both tools read the same, already cached
// sources. Before each timed run the file system is synced, so that neither run pays for
// the other's writes; the time without and with a final sync is reported.

#include "CopyTiming.h"
#include "files/FileCopy.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/statfs.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

namespace {

using namespace bench;

struct Set {
    const char* label;
    int files;
    std::size_t size;
};

std::vector<std::string> makeSources(const std::string& folder, const Set& set)
{
    std::filesystem::create_directories(folder);
    std::vector<char> bytes(set.size);
    SourceBytes source;
    std::vector<std::string> paths;
    for (int i = 0; i < set.files; ++i) {
        source.next(bytes);
        char name[32];
        std::snprintf(name, sizeof name, "/S%05d.mp3", i);
        paths.push_back(folder + name);
        const int fd = ::open(paths.back().c_str(), O_CREAT | O_TRUNC | O_WRONLY | O_CLOEXEC, 0644);
        if (fd < 0 || ::write(fd, bytes.data(), bytes.size()) != static_cast<ssize_t>(bytes.size()))
            die("write " + paths.back());
        ::close(fd);
    }
    syncFolder(folder);
    return paths;
}

void runEngine(const std::vector<std::string>& sources, const std::string& dest)
{
    for (const std::string& source : sources) {
        const platform::CopyOutcome outcome = platform::copyIntoFolder(source, dest);
        if (outcome.status != platform::CopyOutcome::Status::Copied) {
            std::fprintf(stderr, "%s\n", outcome.reason.c_str());
            std::exit(1);
        }
    }
}

template <class Run>
Timing timed(const std::string& dest, Run run)
{
    std::filesystem::create_directory(dest);
    syncFolder(dest);
    const auto start = Clock::now();
    run();
    Timing timing;
    timing.copy = secondsSince(start);
    syncFolder(dest);
    timing.withSync = secondsSince(start);
    std::filesystem::remove_all(dest);
    syncFolder(std::filesystem::path(dest).parent_path().string());
    return timing;
}

const char* fileSystemName(const std::string& folder)
{
    struct statfs info {};
    if (::statfs(folder.c_str(), &info) != 0)
        return "unknown";
    switch (info.f_type) {
    case 0xEF53:
        return "ext4 (or ext2/3)";
    case 0x58465342:
        return "xfs";
    case 0x9123683E:
        return "btrfs";
    case 0x01021994:
        return "tmpfs";
    default:
        return "other";
    }
}

} // namespace

int main(int argc, char** argv)
{
    const std::string base = argc > 1 ? argv[1] : std::filesystem::temp_directory_path().string();
    const int rounds = argc > 2 ? std::max(1, std::atoi(argv[2])) : 3;
    std::string work = base + "/parvolin-copy-bench-XXXXXX";
    if (!::mkdtemp(work.data()))
        die("mkdtemp");
    std::printf("work folder %s on %s; %d rounds, cp and the engine taking turns to go first\n", work.c_str(),
                fileSystemName(work), rounds);

    const Set sets[] = {{"(a) 2,000 files of 1 MiB", 2000, std::size_t{1} << 20},
                        {"(b) 10,000 files of 16 KiB", 10000, std::size_t{16} << 10}};
    for (const Set& set : sets) {
        const std::vector<std::string> sources = makeSources(work + "/source", set);
        Series cpTimes, engineTimes;
        for (int round = 0; round < rounds; ++round) {
            const auto cp = [&] { return timed(work + "/dest-cp", [&] { runCp(sources, work + "/dest-cp"); }); };
            const auto engine = [&] { return timed(work + "/dest-engine", [&] { runEngine(sources, work + "/dest-engine"); }); };
            inTurns(round, cpTimes, cp, engineTimes, engine);
        }
        std::printf("%s\n", set.label);
        std::printf("  cp -p    %.3f s, %.3f s with the final sync\n", median(cpTimes.copy), median(cpTimes.withSync));
        std::printf("  engine   %.3f s, %.3f s with the final sync\n", median(engineTimes.copy), median(engineTimes.withSync));
        std::printf("  ratio    %.3f, %.3f with the final sync (medians)\n", median(engineTimes.copy) / median(cpTimes.copy),
                    median(engineTimes.withSync) / median(cpTimes.withSync));
        std::filesystem::remove_all(work + "/source");
        syncFolder(work);
    }
    rusage usage {};
    ::getrusage(RUSAGE_SELF, &usage);
    std::printf("peak memory of this process (the engine's runs): %.1f MB\n", static_cast<double>(usage.ru_maxrss) / 1024.0);
    std::filesystem::remove_all(work);
    return 0;
}
