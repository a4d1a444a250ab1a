#include "shell/framework/core/folder_item.h"
#include "shell/framework/media/sound.h"
#include "tests/support/recording_audio_output.h"

#include <cmath>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

namespace fs = std::filesystem;

namespace {
const char* const kSoundNames[] = {"Glass", "Sosumi", "Submarine", "ChuToy", "Temple", "Purr"};

fs::path BuiltSoundFile(const std::string& name) {
    return fs::path(PACKAGE_DIR) / "Resources" / (name + ".aiff");
}

std::string Bytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), {});
}

uint32_t BigEndian(const std::string& bytes, size_t at, size_t width) {
    uint32_t value = 0;
    for (size_t i = 0; i < width; ++i)
        value = value << 8 | static_cast<uint8_t>(bytes.at(at + i));
    return value;
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

TEST(SoundFile, GeneratedSoundsAreShortMono16BitAiffPeakingNearMinus3Dbfs) {
    for (const char* name : kSoundNames) {
        const fs::path path = BuiltSoundFile(name);
        const std::string bytes = Bytes(path);
        ASSERT_GE(bytes.size(), 38u) << name;
        EXPECT_EQ(bytes.substr(0, 4), "FORM") << name;
        EXPECT_EQ(bytes.substr(8, 4), "AIFF") << name;
        const size_t comm = bytes.find("COMM");
        ASSERT_NE(comm, std::string::npos) << name;
        EXPECT_EQ(BigEndian(bytes, comm + 8, 2), 1u) << name << ": channels";
        EXPECT_EQ(BigEndian(bytes, comm + 14, 2), 16u) << name << ": bits per sample";

        const std::shared_ptr<Sound> sound = DecodeSoundFile(path.string());
        ASSERT_NE(sound, nullptr) << name;
        EXPECT_EQ(sound->Name(), name);
        EXPECT_EQ(sound->SampleRate(), 44100);
        EXPECT_EQ(sound->Channels(), 1);
        EXPECT_EQ(BigEndian(bytes, comm + 10, 4), sound->Samples().size()) << name;
        EXPECT_GT(sound->Samples().size(), 44100u / 4) << name;
        EXPECT_LT(sound->Samples().size(), 44100u) << name << ": a ring a second must not overlap";
        int peak = 0;
        for (int16_t s : sound->Samples())
            peak = std::max(peak, std::abs(int(s)));
        const double peak_dbfs = 20 * std::log10(peak / 32768.0);
        EXPECT_GT(peak_dbfs, -4.0) << name;
        EXPECT_LT(peak_dbfs, -2.0) << name;
    }
}

TEST(SoundFile, GeneratedSoundsDifferFromOneAnother) {
    std::vector<std::vector<int16_t>> seen;
    for (const char* name : kSoundNames) {
        const std::shared_ptr<Sound> sound = DecodeSoundFile(BuiltSoundFile(name).string());
        ASSERT_NE(sound, nullptr) << name;
        for (const auto& other : seen)
            EXPECT_NE(sound->Samples(), other) << name;
        seen.push_back(sound->Samples());
    }
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
