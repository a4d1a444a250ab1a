#include "shell/framework/core/folder_item.h"
#include "shell/framework/core/timer.h"
#include "shell/framework/media/sound.h"
#include "tests/support/manual_clock.h"
#include "tests/support/recording_audio_output.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

namespace fs = std::filesystem;

namespace {
fs::path BuiltSoundFile(const std::string& name) {
    return fs::path(PACKAGE_DIR) / "Resources" / (name + ".aiff");
}

TEST(Sound, VolumeIsHeldBetween0And100) {
    const struct {
        int32_t set, held;
    } rows[] = {{-5, 0}, {0, 0}, {20, 20}, {100, 100}, {101, 100}, {1000000, 100}};
    Sound sound("Glass", 44100, 1, {});
    EXPECT_EQ(sound.Volume(), 100);
    for (const auto& row : rows) {
        sound.SetVolume(row.set);
        EXPECT_EQ(sound.Volume(), row.held) << row.set;
    }
}

TEST(Sound, PlayHandsTheOutputTheVolumeAsALinearGain) {
    const auto output = InstallRecordingAudioOutput();
    Sound sound("Temple", 44100, 1, {0, 100, -100});
    sound.SetVolume(20);
    sound.Play();
    sound.SetVolume(100);
    sound.Play();
    sound.Play();
    ASSERT_EQ(output->Plays().size(), 3u);
    EXPECT_EQ(output->Plays()[0].sound, "Temple");
    EXPECT_EQ(output->Plays()[0].volume, 20);
    EXPECT_EQ(output->Plays()[1].volume, 100);
    EXPECT_EQ(output->Plays()[2].volume, 100);
}

// A ring's Play comes after its activation script, which takes its own time each ring:
// played by a timer's Action, a sound starts a fixed time after the timer was due,
// whatever came before the Play; outside every Action, or once that time has passed, at
// once.
TEST(Sound, PlayedByATimerItStartsAFixedTimeAfterTheTimerWasDue) {
    const auto clock = InstallManualClock({2026, 12, 10, 7, 0, 0});
    const auto output = InstallRecordingAudioOutput();
    Sound sound("Glass", 44100, 1, {0, 100, -100});
    sound.Play();
    ASSERT_EQ(output->Plays().size(), 1u);
    EXPECT_EQ(output->Plays()[0].delay_ms, 0) << "outside every Action";

    const struct {
        int64_t before_play_ms;
        int32_t delay_ms;
    } rows[] = {{0, Sound::kAfterTimerMs},
                {12, Sound::kAfterTimerMs - 12},
                {Sound::kAfterTimerMs - 1, 1},
                {Sound::kAfterTimerMs, 0},
                {1500, 0}};
    for (const auto& row : rows) {
        output->Clear();
        auto timer = std::make_shared<Timer>();
        timer->SetPeriod(1000);
        timer->on_action = [&](Timer&) {
            clock->Advance(row.before_play_ms);
            sound.Play();
        };
        timer->SetMode(1);
        clock->Advance(1000);
        ASSERT_EQ(output->Plays().size(), 1u) << row.before_play_ms;
        EXPECT_EQ(output->Plays()[0].delay_ms, row.delay_ms) << row.before_play_ms;
    }
    sound.Play();
    EXPECT_EQ(output->Plays().back().delay_ms, 0) << "after the Action";
    InstallAudioOutput(nullptr);
    InstallClock(nullptr);
}

TEST(SoundFile, WhatIsNotASoundGivesNil) {
    const fs::path dir = fs::temp_directory_path() / ("dorvane2-sound-" + std::to_string(getpid()));
    fs::create_directories(dir / "folder.aiff");
    std::ofstream(dir / "empty.aiff").close();
    std::ofstream(dir / "text.aiff") << "FORM, but not a sound";
    for (const char* file : {"missing.aiff", "folder.aiff", "empty.aiff", "text.aiff"}) {
        EXPECT_EQ(DecodeSoundFile((dir / file).string()), nullptr) << file;
        EXPECT_EQ(FolderItem((dir / file).string()).OpenAsSound(), nullptr) << file;
    }
    fs::remove_all(dir);
}

TEST(SoundFile, FolderItemOpensItsFileAsASound) {
    const std::shared_ptr<Sound> sound = FolderItem(BuiltSoundFile("Purr").string()).OpenAsSound();
    ASSERT_NE(sound, nullptr);
    EXPECT_EQ(sound->Name(), "Purr");
    EXPECT_EQ(sound->Samples(), DecodeSoundFile(BuiltSoundFile("Purr").string())->Samples());
}
} // namespace
