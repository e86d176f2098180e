#include "sound/Sound.h"

#include "files/FolderItem.h"
#include "runtime/ClassRecord.h"
#include "sound/GStreamer.h"
#include "sound/Playback.h"

#include <sys/stat.h>

#include <QtGlobal>

namespace platform {

Sound::Sound() = default;
Sound::~Sound() = default;

void Sound::Play()
{
    if (!playback_)
        throw NilObjectException("The sound's file");
    playback_->play();
}

void Sound::Stop()
{
    if (playback_)
        playback_->stop();
}

bool Sound::IsPlaying() const { return playback_ && playback_->isPlaying(); }

SoundOpening openSound(const FolderItem& file)
{
    const std::string& path = file.nativePath();
    const auto failed = [&](const std::string& reason) {
        return SoundOpening{{}, "\"" + path + "\" cannot be opened as a sound: " + reason};
    };
    // What a link off its disk leads to is not the disk's to give.
    if (!file.staysOnVolume())
        return failed("it is a link that leads off its disk");
    // Only a regular file is handed to the player: opening a named pipe or a device would
    // block the program until someone writes to it.
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0)
        return failed("it does not exist");
    if (!S_ISREG(info.st_mode))
        return failed("it is not a file");

    gst::initializeOnce();
    std::string failure;
    std::unique_ptr<gst::Playback> playback = gst::Playback::open(path, failure);
    if (!playback)
        return failed(failure);

    const ClassRecord* record = ClassRegistry::instance().find(Sound::kClassName);
    Ref<Sound> sound = record ? ObjectFactory<Sound>::make(*record) : Ref<Sound>(std::make_shared<Sound>());
    sound->playback_ = std::move(playback);
    return {std::move(sound), {}};
}

Ref<Sound> OpenAsSound(const FolderItem& file)
{
    SoundOpening opening = openSound(file);
    if (!opening.sound)
        qWarning("%s", opening.failure.c_str());
    return std::move(opening.sound);
}

} // namespace platform
