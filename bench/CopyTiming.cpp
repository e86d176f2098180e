#include "CopyTiming.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

extern char** environ;

namespace bench {

void die(const std::string& what)
{
    std::perror(what.c_str());
    std::exit(1);
}

double secondsSince(Clock::time_point start) { return std::chrono::duration<double>(Clock::now() - start).count(); }

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values.empty() ? -1 : values[values.size() / 2];
}

void syncFolder(const std::string& folder)
{
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0 || ::syncfs(fd) != 0)
        die("syncfs " + folder);
    ::close(fd);
}

void runCp(const std::vector<std::string>& sources, const std::string& dest)
{
    std::vector<std::string> arguments = {"cp", "-p", "-t", dest};
    arguments.insert(arguments.end(), sources.begin(), sources.end());
    std::vector<char*> argv;
    for (std::string& argument : arguments)
        argv.push_back(argument.data());
    argv.push_back(nullptr);
    pid_t child = 0;
    if (::posix_spawnp(&child, "cp", nullptr, nullptr, argv.data(), environ) != 0)
        die("posix_spawnp cp");
    int status = 0;
    ::waitpid(child, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        die("cp failed");
}

void SourceBytes::next(std::vector<char>& bytes)
{
    for (char& c : bytes) {
        state_ = state_ * 1664525u + 1013904223u;
        c = static_cast<char>(state_ >> 24);
    }
}

} // namespace bench
