#pragma once

// Players and other volumes built in a temporary folder and shown to the program as the
// mounted volumes, and a count of the program's yields.

#include "files/Files.h"

#include <QObject>
#include <QTemporaryDir>

#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

namespace testsupport {

// Mounted volumes for one test: the root of the file system, then folders of the test's
// own, each standing for a disk mounted at it. While it lives, the program sees these
// volumes and no others.
class FakeVolumes {
public:
    FakeVolumes();
    ~FakeVolumes();
    FakeVolumes(const FakeVolumes&) = delete;
    FakeVolumes& operator=(const FakeVolumes&) = delete;

    // A new, empty volume named `name` (names may repeat), mounted after the others;
    // returns its mount point.
    std::string mount(const std::string& name);
    // Takes the volume off the list, as when the disk is pulled; its files stay.
    void unmount(const std::string& mountPoint);

    const std::vector<std::string>& mountPoints() const { return points_; }

private:
    QTemporaryDir folder_;
    std::vector<std::string> points_;
    platform::VolumeSource previous_;
    int made_ = 0;
};

// Makes the entries below a folder, in the order given: a path that ends with "/" is a
// folder, any other a file holding `contents`, whose access time lies long before its
// modification time; the folders on the way are made as needed.
void makeEntries(const std::string& folder, std::initializer_list<std::string> paths, const std::string& contents = "");
void makeEntries(const std::string& folder, const std::vector<std::string>& paths, const std::string& contents = "");

// A player's usual content below a volume: iPod_Control/Music with the folders named and
// `filesEach` files in each ("1.mp3", "2.mp3", ...).
void makePlayer(const std::string& volume, std::initializer_list<std::string> musicFolders, int filesEach);

// The entry names of a folder in the order the file system returns them.
std::vector<std::string> folderOrder(const std::string& folder);

// Counts the passes of the event loop (each yield of the program is one) while it lives,
// by an event that posts itself again each time it is delivered. A step can run at a
// chosen pass, inside the yield.
class YieldCounter : public QObject {
public:
    YieldCounter();

    int count() const { return count_; }
    // Runs `step` once, at the pass that brings the count to `pass`.
    void at(int pass, std::function<void()> step);

protected:
    void customEvent(QEvent* event) override;

private:
    void post();

    int count_ = 0;
    int stepAt_ = -1;
    std::function<void()> step_;
};

} // namespace testsupport
