#include "PlayerFixture.h"

#include <QCoreApplication>
#include <QEvent>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <stdexcept>

namespace testsupport {

namespace fs = std::filesystem;

FakeVolumes::FakeVolumes() : points_{"/"}
{
    if (!folder_.isValid())
        throw std::runtime_error("no temporary folder for the volumes");
    previous_ = platform::setVolumeSource([this] { return points_; });
}

FakeVolumes::~FakeVolumes() { platform::setVolumeSource(std::move(previous_)); }

std::string FakeVolumes::mount(const std::string& name)
{
    // Each volume sits in a folder of its own, so that two may bear the same name.
    const fs::path point = fs::path(folder_.path().toStdString()) / std::to_string(++made_) / name;
    fs::create_directories(point);
    points_.push_back(point.string());
    return point.string();
}

void FakeVolumes::unmount(const std::string& mountPoint)
{
    points_.erase(std::remove(points_.begin(), points_.end(), mountPoint), points_.end());
}

void makeEntries(const std::string& folder, const std::vector<std::string>& paths, const std::string& contents)
{
    for (const std::string& path : paths) {
        const fs::path full = fs::path(folder) / path;
        if (path.ends_with('/')) {
            fs::create_directories(full);
            continue;
        }
        fs::create_directories(full.parent_path());
        std::ofstream(full, std::ios::binary) << contents;
        // Read long before it was written: a copy that took the access time for its
        // modification time shows.
        const timespec times[2] = {{978307200, 0}, {0, UTIME_OMIT}};
        ::utimensat(AT_FDCWD, full.c_str(), times, 0);
    }
}

void makeEntries(const std::string& folder, std::initializer_list<std::string> paths, const std::string& contents)
{
    makeEntries(folder, std::vector<std::string>(paths), contents);
}

void makePlayer(const std::string& volume, std::initializer_list<std::string> musicFolders, int filesEach)
{
    std::vector<std::string> paths{"iPod_Control/Music/"};
    for (const std::string& folder : musicFolders) {
        paths.push_back("iPod_Control/Music/" + folder + "/");
        for (int i = 1; i <= filesEach; ++i)
            paths.push_back("iPod_Control/Music/" + folder + "/" + std::to_string(i) + ".mp3");
    }
    makeEntries(volume, paths, "ID3");
}

std::vector<std::string> folderOrder(const std::string& folder)
{
    std::vector<std::string> names;
    if (DIR* dir = ::opendir(folder.c_str())) {
        while (const dirent* entry = ::readdir(dir))
            if (std::string name = entry->d_name; name != "." && name != "..")
                names.push_back(name);
        ::closedir(dir);
    }
    return names;
}

namespace {

const QEvent::Type kPassEvent = static_cast<QEvent::Type>(QEvent::registerEventType());

} // namespace

YieldCounter::YieldCounter() { post(); }

void YieldCounter::post() { QCoreApplication::postEvent(this, new QEvent(kPassEvent)); }

void YieldCounter::at(int pass, std::function<void()> step)
{
    stepAt_ = pass;
    step_ = std::move(step);
}

// Qt delivers an event posted during the delivery of posted events at the next pass only,
// so the count goes up by one per pass.
void YieldCounter::customEvent(QEvent* event)
{
    if (event->type() != kPassEvent)
        return;
    ++count_;
    post();
    if (count_ == stepAt_ && step_) {
        auto step = std::move(step_);
        step_ = nullptr;
        step();
    }
}

} // namespace testsupport
