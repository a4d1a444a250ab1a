// The six sounds the build writes into the package: short mono AIFF, equally loud, bright
// enough for a laptop's speakers, and each unlike the others.
#include "resources/sound_analysis.h"
#include "shell/framework/media/sound.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace fs = std::filesystem;

namespace {
const char* const kSoundNames[] = {"Glass", "Sosumi", "Submarine", "ChuToy", "Temple", "Purr"};
constexpr int kRate = 44100;

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

std::vector<int16_t> BuiltSamples(const std::string& name) {
    const std::shared_ptr<Sound> sound = DecodeSoundFile(BuiltSoundFile(name).string());
    if (!sound || sound->SampleRate() != kRate || sound->Channels() != 1) {
        ADD_FAILURE() << name << " does not decode as mono at 44.1 kHz";
        return {};
    }
    return sound->Samples();
}

struct Named {
    std::string name;
    SoundFigures figures;
};

std::vector<Named> BuiltSounds() {
    std::vector<Named> sounds;
    for (const char* name : kSoundNames)
        sounds.push_back({name, FiguresOf(BuiltSamples(name), kRate)});
    return sounds;
}

// "A ~ B" for every pair that lies closer than kAlikeBelow.
std::vector<std::string> TooAlike(const std::vector<Named>& sounds) {
    std::vector<std::string> pairs;
    for (size_t i = 0; i < sounds.size(); ++i)
        for (size_t j = i + 1; j < sounds.size(); ++j)
            if (Unlikeness(sounds[i].figures.fingerprint, sounds[j].figures.fingerprint) <
                kAlikeBelow)
                pairs.push_back(sounds[i].name + " ~ " + sounds[j].name);
    return pairs;
}

TEST(SoundFile, GeneratedSoundsAreShortMono16BitAiff) {
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
        EXPECT_EQ(sound->SampleRate(), kRate);
        EXPECT_EQ(sound->Channels(), 1);
        EXPECT_EQ(BigEndian(bytes, comm + 10, 4), sound->Samples().size()) << name;
        EXPECT_GT(sound->Samples().size(), size_t(kRate) / 4) << name;
        EXPECT_LT(sound->Samples().size(), size_t(kRate))
            << name << ": a ring a second must not overlap";
    }
}

TEST(SoundFile, GeneratedSoundsAreEquallyLoudAndPeakAtMostMinus1Dbfs) {
    const std::vector<Named> sounds = BuiltSounds();
    double quietest = INFINITY, loudest = -INFINITY;
    for (const Named& sound : sounds) {
        const Loudness& loudness = sound.figures.loudness;
        EXPECT_TRUE(std::isfinite(loudness.integrated_lufs)) << sound.name;
        quietest = std::min(quietest, loudness.integrated_lufs);
        loudest = std::max(loudest, loudness.integrated_lufs);
        EXPECT_LE(loudness.sample_peak_dbfs, -1.0) << sound.name;
        EXPECT_LE(loudness.true_peak_dbtp, -1.0) << sound.name;
        // Not levelled down to a whisper either.
        EXPECT_GT(loudness.integrated_lufs, -20.0) << sound.name;
    }
    EXPECT_LE(loudest - quietest, 1.0) << "LU between the loudest and the quietest";
}

TEST(SoundFile, GeneratedSoundsHaveMostOfTheirEnergyBetween500HzAnd5kHz) {
    for (const Named& sound : BuiltSounds())
        EXPECT_GT(sound.figures.mid_band_share, 0.5)
            << sound.name << ", centroid " << sound.figures.centroid_hz << " Hz";
}

TEST(SoundFile, GeneratedSoundsDifferFromOneAnother) {
    EXPECT_THAT(TooAlike(BuiltSounds()), testing::IsEmpty());
}

// `sound` at `gain`, its pitch times `pitch`, with a share `mix` of `other` mixed in.
std::vector<int16_t> NearCopy(const std::vector<int16_t>& sound, const std::vector<int16_t>& other,
                              double gain, double pitch, double mix) {
    const auto at = [&sound](size_t k) { return k < sound.size() ? double(sound[k]) : 0.0; };
    std::vector<int16_t> copy(sound.size());
    for (size_t i = 0; i < copy.size(); ++i) {
        const double x = double(i) * pitch;
        const auto k = size_t(x);
        const double resampled = at(k) + (x - double(k)) * (at(k + 1) - at(k));
        const double o = i < other.size() ? other[i] : 0;
        copy[i] = int16_t(std::lround(gain * ((1 - mix) * resampled + mix * o)));
    }
    return copy;
}

TEST(SoundFile, TheLikenessCheckCatchesANearCopyOfEachSound) {
    const struct {
        const char* made;
        double gain, pitch, mix;
    } rows[] = {{"the same", 1, 1, 0},
                {"softer", 0.3, 1, 0},
                {"a semitone higher", 1, 1.0595, 0},
                {"a semitone lower", 1, 1 / 1.0595, 0},
                {"with a fifth of the next sound", 1, 1, 0.2}};
    const size_t count = std::size(kSoundNames);
    for (size_t i = 0; i < count; ++i) {
        const std::string name = kSoundNames[i];
        const std::vector<int16_t> sound = BuiltSamples(name);
        const std::vector<int16_t> next = BuiltSamples(kSoundNames[(i + 1) % count]);
        for (const auto& row : rows) {
            const std::vector<int16_t> copy = NearCopy(sound, next, row.gain, row.pitch, row.mix);
            const std::vector<Named> pair = {{name, FiguresOf(sound, kRate)},
                                             {row.made, FiguresOf(copy, kRate)}};
            EXPECT_THAT(TooAlike(pair), testing::ElementsAre(name + " ~ " + row.made));
        }
    }
}
} // namespace
