// The real audio output while an alarm rings: plays a second apart of one sound, on a
// PulseAudio server of the test's own, and the server going away and coming back.
#include "shell/framework/media/pulse_audio_output.h"
#include "shell/framework/media/sound.h"
#include "tests/support/pulse_audio_server.h"

#include <QTimer>
#include <cmath>
#include <filesystem>
#include <gtest/gtest.h>
#include <optional>
#include <regex>
#include <set>

namespace fs = std::filesystem;
using namespace std::chrono_literals;

namespace {
// The server's playback streams (sink inputs): index and whether it is corked.
std::map<int, bool> SinkInputs(const PulseAudioServer& server) {
    std::map<int, bool> inputs;
    const std::string text = server.Pactl("list sink-inputs");
    const std::regex entry(R"(Sink Input #(\d+)[\s\S]*?Corked: (yes|no))");
    for (auto it = std::sregex_iterator(text.begin(), text.end(), entry);
         it != std::sregex_iterator(); ++it)
        inputs[std::stoi((*it)[1])] = (*it)[2] == "yes";
    return inputs;
}

// Plays `sound` every 400 ms, `count` times, starting now; `while_playing` runs 100 ms
// into each play. The event loop runs meanwhile.
void Ring(
    AudioOutput& output, const Sound& sound, int count,
    const std::function<void()>& while_playing = [] {}) {
    for (int i = 0; i < count; ++i) {
        output.Play(sound, 1.0, 0);
        RunEventLoop(100ms);
        while_playing();
        RunEventLoop(300ms);
    }
}

class RealAudioOutputRinging : public testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(server->WaitUntilReady()) << "pulseaudio did not start:\n" << server->Log();
    }
    void TearDown() override { InstallAudioOutput(nullptr); }
    TempDir dir;
    std::optional<PulseAudioServer> server{dir.path};
    ScopedEnvironment environment{server->Environment()};
    CoreApplication application;
    const Sound beep{"Beep", 44100, 1, Tone(200ms)};
};

// Every ring is a write into one stream that is already running: no stream is made per
// ring (its set-up put each ring a different time after its tick). Once the sound has
// been idle a while, the stream is corked, so an idle alarm keeps no device busy.
TEST_F(RealAudioOutputRinging, RepeatedPlaysOfOneSoundShareOneStreamThatIsCorkedWhenIdle) {
    InstallAudioOutput(nullptr); // a fresh real output
    AudioOutput& output = CurrentAudioOutput();
    std::set<int> streams;
    std::vector<bool> corked;
    const std::vector<int16_t> recorded = server->Record([&] {
        Ring(output, beep, 5, [&] {
            for (const auto& [index, is_corked] : SinkInputs(*server)) {
                streams.insert(index);
                corked.push_back(is_corked);
            }
        });
    });
    EXPECT_NEAR(SumOfSquares(recorded) / SumOfSquares(beep.Samples()), 5, 0.75) << "rings heard";
    EXPECT_EQ(streams.size(), 1u) << "streams the server saw while ringing";
    EXPECT_EQ(corked, std::vector<bool>(corked.size(), false)) << "corked while ringing";

    EXPECT_TRUE(WaitFor(
        [&] {
            const auto inputs = SinkInputs(*server);
            return inputs.size() == 1 && inputs.begin()->second;
        },
        std::chrono::milliseconds(PulseAudioOutput::kIdleCorkMs) + 3s))
        << server->Pactl("list sink-inputs");

    // Corked, it plays again at the next ring, in the same stream.
    const std::vector<int16_t> again = server->Record([&] { output.Play(beep, 1.0, 0); });
    EXPECT_NEAR(SumOfSquares(again) / SumOfSquares(beep.Samples()), 1, 0.15);
    EXPECT_EQ(SinkInputs(*server).begin()->first, *streams.begin());
}

// A ring while the last one still sounds starts the sound again: what is left of the
// first play stops, and the second is heard whole.
TEST_F(RealAudioOutputRinging, ASecondPlayOfASoundStillPlayingStartsItAgain) {
    const Sound tone("Tone", 44100, 1, Tone(1000ms));
    InstallAudioOutput(nullptr); // a fresh real output
    AudioOutput& output = CurrentAudioOutput();
    const std::vector<int16_t> recorded = server->Record([&] {
        output.Play(tone, 1.0, 0);
        RunEventLoop(400ms);
        output.Play(tone, 1.0, 0);
    });
    // 0.4 of the first play and all of the second; 2 if they were mixed, 1 if the second
    // were dropped.
    EXPECT_NEAR(SumOfSquares(recorded) / SumOfSquares(tone.Samples()), 1.4, 0.12);
}

// The desktop's sound server restarts while the alarm rings (an update, a crash): the
// rings while it is away are silent with one line on stderr, and the rings after it is
// back are heard again, from the first one on.
TEST_F(RealAudioOutputRinging, AServerThatGoesAwayAndComesBackWhileRingingIsHeardAgain) {
    InstallAudioOutput(nullptr); // a fresh real output
    AudioOutput& output = CurrentAudioOutput();
    const double one = SumOfSquares(beep.Samples());
    const std::vector<int16_t> before = server->Record([&] { Ring(output, beep, 3); });
    EXPECT_NEAR(SumOfSquares(before) / one, 3, 0.45);

    {
        StderrFile said;
        server.reset(); // killed, as a crash would
        fs::remove(dir.path / "pulse.sock");
        Ring(output, beep, 3); // nothing to play on
        const std::string text = said.Text();
        const size_t first = text.find("sounds are silent");
        EXPECT_NE(first, std::string::npos) << text;
        EXPECT_EQ(text.find("sounds are silent", first + 1), std::string::npos) << text;
    }

    server.emplace(dir.path);
    ASSERT_TRUE(server->WaitUntilReady()) << server->Log();
    const std::vector<int16_t> after = server->Record([&] { Ring(output, beep, 4); });
    EXPECT_NEAR(SumOfSquares(after) / one, 4, 0.6) << "rings heard after the server came back";
}
// A ring waits for its start in its stream, after what the server has yet to play. On
// PipeWire a stretch skipped in a stream plays as whatever the server's buffer held there
// before: once that buffer had gone round, every ring began with a piece of an old one.
TEST(RealAudioOutputOnPipeWire, TheWaitBeforeARingIsSilentAfterTheServersBufferWentRound) {
    TempDir dir;
    PulseAudioServer server(dir.path, true, PulseAudioServer::Kind::kPipeWire);
    ASSERT_TRUE(server.WaitUntilReady()) << server.Log();
    const ScopedEnvironment environment(server.Environment());
    CoreApplication application;
    // 3 MB a second of stream: the server's 4 MB buffer goes round within a few rings.
    constexpr int kRate = 192000, kChannels = 6, kRings = 12;
    std::vector<int16_t> samples(kRate / 5 * kChannels); // 200 ms
    for (size_t i = 0; i < samples.size(); ++i)
        samples[i] = static_cast<int16_t>(
            8000 * std::sin(2 * M_PI * 1000.0 * double(i / kChannels) / kRate));
    const Sound burst("Burst", kRate, kChannels, samples);

    InstallAudioOutput(nullptr); // a fresh real output
    AudioOutput& output = CurrentAudioOutput();
    const std::vector<int16_t> recorded = server.Record([&] {
        for (int i = 0; i < kRings; ++i) {
            output.Play(burst, 1.0, 100);
            RunEventLoop(400ms);
        }
    });
    // How long something was heard, in 10 ms steps: each ring's 200 ms and no more.
    int sounding_ms = 0;
    for (size_t at = 0; at + 441 <= recorded.size(); at += 441) {
        const std::vector<int16_t> step(recorded.begin() + at, recorded.begin() + at + 441);
        if (SumOfSquares(step) / 441 > 200.0 * 200.0) sounding_ms += 10;
    }
    EXPECT_NEAR(sounding_ms, kRings * 200, kRings * 200 / 8);
    InstallAudioOutput(nullptr);
}
} // namespace
