// Sounds: which files open, playing at the pace of the sound with no sound device, stopping,
// playing again, and the event loop running on throughout.

#include "FullUnwindUnderSanitizer.h"
#include "SoundFiles.h"
#include "TestSupport.h"
#include "files/FolderItem.h"
#include "sound/GStreamer.h"
#include "sound/GstHandle.h"
#include "sound/Playback.h"
#include "sound/Sound.h"
#include "sound/SoundOutput.h"

#include <sys/stat.h>

#include <QElapsedTimer>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <cstring>

using namespace platform;


namespace {

class SoundTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        testsupport::withoutSoundDevice();
        files = new testsupport::SoundFiles();
        tone = files->encodeTone("tone.wav", "wavenc");
    }
    static void TearDownTestSuite()
    {
        delete files;
        files = nullptr;
    }

    static SoundOpening open(const std::string& path) { return openSound(*FolderItem::forNativePath(path)); }

    static Ref<Sound> openTone()
    {
        Ref<Sound> sound = OpenAsSound(*FolderItem::forNativePath(tone));
        EXPECT_TRUE(sound);
        return sound;
    }

    static GstState stateOf(const Ref<Sound>& sound)
    {
        GstState state = GST_STATE_VOID_PENDING;
        gst_element_get_state(sound->playback()->pipeline(), &state, nullptr, 0);
        return state;
    }

    // Milliseconds from now until the sound stops playing (or the limit).
    static qint64 playTimeOf(const Ref<Sound>& sound)
    {
        QElapsedTimer clock;
        clock.start();
        EXPECT_TRUE(QTest::qWaitFor([&] { return !sound->IsPlaying(); }, 5000));
        return clock.elapsed();
    }

    static testsupport::SoundFiles* files;
    static std::string tone;
};

testsupport::SoundFiles* SoundTest::files = nullptr;
std::string SoundTest::tone;

// Counts its ticks while the test runs; the test owns it.
struct Ticker {
    Ticker()
    {
        QObject::connect(&timer, &QTimer::timeout, [this] { ++ticks; });
        timer.start(10);
    }
    QTimer timer;
    int ticks = 0;
};

} // namespace

// ---- Which files open -----------------------------------------------------------------------

TEST_F(SoundTest, OpensEveryMusicFormatOfThePlayer)
{
    struct Case {
        const char* name;
        std::string path;
    };
    const Case cases[] = {
        {"MP3", files->encodeTone("tone.mp3", "lamemp3enc")},
        {"AAC in M4A", files->encodeTone("tone.m4a", "avenc_aac ! mp4mux")},
        {"Apple Lossless in M4A", files->encodeTone("lossless.m4a", "avenc_alac ! mp4mux")},
        {"WAV", tone},
        {"AIFF", files->writeAiff("tone.aif")},
        {"film with a sound track", files->encodeFilm("film.webm", true)},
    };
    for (const Case& c : cases) {
        ASSERT_FALSE(c.path.empty()) << "could not make the " << c.name << " file";
        const SoundOpening opening = open(c.path);
        EXPECT_TRUE(opening.sound) << c.name << ": " << opening.failure;
        EXPECT_TRUE(opening.failure.empty()) << c.name;
    }
}

TEST_F(SoundTest, RefusesWhatHoldsNoSoundWhateverItsName)
{
    const std::string fifo = files->path("pipe.mp3");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    struct Case {
        const char* name;
        std::string path;
        const char* because;
    };
    const Case cases[] = {
        {"text", files->writeBytes("notes.mp3", "Track 1\nTrack 2\n"), "type"},
        {"empty file", files->writeBytes("empty.m4a", ""), ""},
        {"picture renamed", files->writePng("cover.m4a"), "no sound"},
        {"film without a sound track", files->encodeFilm("silent-film.webm", false), "no sound"},
        {"folder", files->path(""), "not a file"},
        {"missing file", files->path("gone.mp3"), "does not exist"},
        // Handing a named pipe to the player would block the program until someone writes.
        {"named pipe", fifo, "not a file"},
    };
    for (const Case& c : cases) {
        ASSERT_FALSE(c.path.empty()) << "could not make the " << c.name;
        const SoundOpening opening = open(c.path);
        EXPECT_FALSE(opening.sound) << c.name;
        EXPECT_NE(opening.failure.find("cannot be opened as a sound"), std::string::npos) << opening.failure;
        EXPECT_NE(opening.failure.find(c.because), std::string::npos) << c.name << ": " << opening.failure;
        EXPECT_FALSE(OpenAsSound(*FolderItem::forNativePath(c.path))) << c.name;
    }
}

TEST_F(SoundTest, MissingDecoderIsNamedWhenTheSoundIsOpened)
{
    // MIDI is recognised by the type finder, but no installed plug-in plays it.
    const SoundOpening opening = open(files->writeMidi("song.mid"));
    EXPECT_FALSE(opening.sound);
    EXPECT_NE(opening.failure.find("no decoder is installed"), std::string::npos) << opening.failure;
    EXPECT_NE(opening.failure.find("midi"), std::string::npos) << opening.failure;
}

TEST_F(SoundTest, NilSoundRaisesTheNilObjectExceptionAtPlay)
{
    Ref<Sound> none = OpenAsSound(*FolderItem::forNativePath(files->writeBytes("nothing.mp3", "x")));
    EXPECT_THROW(none->Play(), NilObjectException);
    // A sound made by the run time rather than from a file has nothing to play either.
    Ref<Sound> blank = RuntimeNewObject<Sound>();
    EXPECT_THROW(blank->Play(), NilObjectException);
    EXPECT_FALSE(blank->IsPlaying());
}

// ---- Playing ----------------------------------------------------------------------------------

TEST_F(SoundTest, WithoutASoundDeviceTheSilentOutputIsChosen)
{
    gst::SoundOutput output = gst::chooseSoundOutput();
    ASSERT_TRUE(output.sink);
    EXPECT_TRUE(output.silent);
    EXPECT_STREQ(GST_OBJECT_NAME(gst_element_get_factory(output.sink.get())), "fakesink");
    gboolean sync = FALSE;
    g_object_get(output.sink.get(), "sync", &sync, nullptr);
    EXPECT_TRUE(sync);

    Ref<Sound> sound = openTone();
    sound->Play();
    EXPECT_TRUE(sound->playback()->silent());
}

TEST_F(SoundTest, PlaysForTheLengthOfTheSoundAndAgainAfterItsEnd)
{
    Ref<Sound> sound = openTone();
    EXPECT_FALSE(sound->IsPlaying());
    sound->Play();
    EXPECT_TRUE(sound->IsPlaying());
    ASSERT_TRUE(sound->playback()->silent());
    const qint64 played = playTimeOf(sound);
    // A one-second sound, silent but in real time: not over long before its end, and over
    // soon after it.
    EXPECT_GE(played, 900);
    EXPECT_LE(played, 3000);
    EXPECT_FALSE(sound->IsPlaying());

    // Again, from the start.
    sound->Play();
    EXPECT_TRUE(sound->IsPlaying());
    EXPECT_GE(playTimeOf(sound), 900);
}

TEST_F(SoundTest, StopStopsAtOnceAndPlayStartsAgain)
{
    Ref<Sound> sound = openTone();
    sound->Play();
    ASSERT_TRUE(QTest::qWaitFor([&] { return stateOf(sound) == GST_STATE_PLAYING; }, testsupport::kPatience));
    sound->Stop();
    EXPECT_FALSE(sound->IsPlaying());
    // Stopped means the device is let go, not just paused.
    EXPECT_EQ(stateOf(sound), GST_STATE_NULL);
    QCoreApplication::processEvents(); // messages of the pipeline still on their way
    EXPECT_FALSE(sound->IsPlaying());

    sound->Play();
    EXPECT_TRUE(sound->IsPlaying());
    // From the start: the full second again, not the 0.7 s left when it was stopped.
    EXPECT_GE(playTimeOf(sound), 900);

    // Stopping a sound that ended changes nothing.
    sound->Stop();
    EXPECT_FALSE(sound->IsPlaying());
}

TEST_F(SoundTest, TheEndIsNoticedByTheEventLoopWithoutBeingAsked)
{
    Ref<Sound> sound = openTone();
    sound->Play();
    // Nobody asks IsPlaying: the bus is read from the event loop, and the end of the sound
    // lets go of the player.
    EXPECT_TRUE(QTest::qWaitFor([&] { return stateOf(sound) == GST_STATE_NULL; }, 5000));
}

TEST_F(SoundTest, EventLoopRunsOnWhileASoundPlays)
{
    Ticker ticker;
    Ref<Sound> sound = openTone();
    sound->Play();
    QElapsedTimer clock;
    clock.start();
    ASSERT_TRUE(QTest::qWaitFor([&] { return clock.elapsed() > 500; }, 5000));
    EXPECT_TRUE(sound->IsPlaying());
    EXPECT_GE(ticker.ticks, 10);
}

TEST_F(SoundTest, AnErrorWhilePlayingEndsTheSoundAndTheEventLoopRunsOn)
{
    const std::string path = files->encodeTone("changing.wav", "wavenc");
    Ref<Sound> sound = OpenAsSound(*FolderItem::forNativePath(path));
    ASSERT_TRUE(sound);
    // The file stops being a sound between opening and playing.
    files->writeBytes("changing.wav", "no longer a sound");
    Ticker ticker;
    sound->Play();
    EXPECT_TRUE(QTest::qWaitFor([&] { return !sound->IsPlaying(); }, 5000));
    const int ticksAtError = ticker.ticks;
    EXPECT_TRUE(QTest::qWaitFor([&] { return ticker.ticks >= ticksAtError + 10; }, 5000));
}

TEST_F(SoundTest, APlayThatNeverStartsIsEndedAfterTheStartLimit)
{
    Ref<Sound> sound = openTone();
    // Hold back every byte of the file, as a player stuck waiting for data would be.
    const auto blockSource = +[](GstElement*, GstElement* source, gpointer) {
        GstPad* pad = gst_element_get_static_pad(source, "src");
        gst_pad_add_probe(pad, GST_PAD_PROBE_TYPE_BLOCK_DOWNSTREAM,
                          [](GstPad*, GstPadProbeInfo*, gpointer) { return GST_PAD_PROBE_OK; }, nullptr, nullptr);
        gst_object_unref(pad);
    };
    g_signal_connect(sound->playback()->pipeline(), "source-setup", G_CALLBACK(blockSource), nullptr);
    sound->playback()->setStartLimit(std::chrono::milliseconds(300));
    Ticker ticker;
    sound->Play();
    EXPECT_TRUE(sound->IsPlaying());
    EXPECT_TRUE(QTest::qWaitFor([&] { return !sound->IsPlaying(); }, 5000));
    EXPECT_EQ(stateOf(sound), GST_STATE_NULL);
    EXPECT_GE(ticker.ticks, 10);
}

TEST_F(SoundTest, AFilmPlaysItsSoundWithoutAnyVideoSink)
{
    Ref<Sound> sound = OpenAsSound(*FolderItem::forNativePath(files->encodeFilm("clip.webm", true)));
    ASSERT_TRUE(sound);
    sound->Play();
    ASSERT_TRUE(QTest::qWaitFor([&] { return stateOf(sound) == GST_STATE_PLAYING; }, 5000));
    // Every sink in the player, however deep, is a fakesink: none could open a window.
    GstIterator* elements = gst_bin_iterate_recurse(GST_BIN(sound->playback()->pipeline()));
    GValue item = G_VALUE_INIT;
    int sinks = 0;
    while (gst_iterator_next(elements, &item) == GST_ITERATOR_OK) {
        GstElement* element = GST_ELEMENT(g_value_get_object(&item));
        if (GST_OBJECT_FLAG_IS_SET(element, GST_ELEMENT_FLAG_SINK) && !GST_IS_BIN(element)) {
            ++sinks;
            EXPECT_STREQ(GST_OBJECT_NAME(gst_element_get_factory(element)), "fakesink") << GST_OBJECT_NAME(element);
        }
        g_value_reset(&item);
    }
    g_value_unset(&item);
    gst_iterator_free(elements);
    EXPECT_GE(sinks, 1);
    EXPECT_GE(playTimeOf(sound), 800);
}

TEST_F(SoundTest, DestroyingAPlayingSoundStopsItCleanly)
{
    Ref<Sound> sound = openTone();
    sound->Play();
    ASSERT_TRUE(QTest::qWaitFor([&] { return stateOf(sound) == GST_STATE_PLAYING; }, testsupport::kPatience));
    ASSERT_TRUE(sound->IsPlaying());
    sound.reset();
    // Messages still on their way must find nothing freed.
    QCoreApplication::processEvents();
}

TEST_F(SoundTest, SoundsHaveTheirClassRecord)
{
    Ref<Sound> sound = openTone();
    ASSERT_NE(sound->classRecord(), nullptr);
}

// ---- Handles --------------------------------------------------------------------------------

TEST(GstHandleTest, EachWayOfTakingAReferenceIsBalanced)
{
    gst::initializeOnce();
    GstElement* raw = gst_element_factory_make("fakesink", nullptr);
    ASSERT_TRUE(g_object_is_floating(raw));
    {
        gst::Element owner = gst::Element::sinkFloating(raw);
        EXPECT_FALSE(g_object_is_floating(raw));
        EXPECT_EQ(GST_OBJECT_REFCOUNT_VALUE(raw), 1);
        {
            gst::Element borrower = gst::Element::share(raw);
            EXPECT_EQ(GST_OBJECT_REFCOUNT_VALUE(raw), 2);
        }
        EXPECT_EQ(GST_OBJECT_REFCOUNT_VALUE(raw), 1);
        gst_object_ref(raw);
        {
            gst::Element adopted = gst::Element::adopt(raw);
            EXPECT_EQ(GST_OBJECT_REFCOUNT_VALUE(raw), 2);
        }
        gst::Element moved = std::move(owner);
        EXPECT_EQ(GST_OBJECT_REFCOUNT_VALUE(raw), 1);
        EXPECT_FALSE(owner);
    }
}
