// The real audio output, the one in place while no other is installed, against a
// PulseAudio server of the test's own with a null sink whose monitor the test records.
#include "shell/framework/media/sound.h"
#include "tests/support/child_process.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>
#include <cmath>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <optional>

namespace fs = std::filesystem;
using namespace std::chrono_literals;

namespace {
struct TempDir {
    TempDir() {
        std::string pattern = (fs::temp_directory_path() / "dorvane2-audio-XXXXXX").string();
        path = mkdtemp(pattern.data());
    }
    ~TempDir() { fs::remove_all(path); }
    fs::path path;
};

// The sinks belong to the application object, so it goes before the audio server does.
struct Application {
    int argc = 1;
    char name[18] = "audio_output_test";
    char* argv[2] = {name, nullptr};
    QCoreApplication app{argc, argv};
};

// The real output plays only while the event loop runs.
void RunEventLoop(std::chrono::milliseconds time) {
    QEventLoop loop;
    QTimer::singleShot(time, &loop, &QEventLoop::quit);
    loop.exec();
}

double SumOfSquares(const std::vector<int16_t>& samples) {
    double sum = 0;
    for (int16_t s : samples)
        sum += double(s) * s;
    return sum;
}

std::shared_ptr<Sound> BuiltSound(const std::string& name) {
    return DecodeSoundFile((fs::path(PACKAGE_DIR) / "Resources" / (name + ".aiff")).string());
}

// pulseaudio in the foreground, writing nothing outside `dir`.
class PulseAudioServer {
  public:
    explicit PulseAudioServer(const fs::path& dir)
        : dir_(dir), socket_(dir / "pulse.sock"),
          process_({"pulseaudio", "-n", "--daemonize=no", "--exit-idle-time=-1", "--disallow-exit",
                    "-L", "module-null-sink sink_name=nullsink rate=44100 channels=1", "-L",
                    "module-native-protocol-unix auth-anonymous=1 socket=" + socket_.string()},
                   Environment(), (dir / "pulseaudio.log").string()) {}

    std::string Log() const {
        std::ifstream in(dir_ / "pulseaudio.log");
        return std::string((std::istreambuf_iterator<char>(in)), {});
    }
    bool WaitUntilReady() const {
        return WaitFor([this] { return fs::exists(socket_); }, 10s);
    }
    // Points this process and its children at the server.
    std::vector<std::string> Environment() const {
        return {"PULSE_SERVER=unix:" + socket_.string(), "HOME=" + dir_.string(),
                "XDG_RUNTIME_DIR=" + dir_.string()};
    }
    void UseInThisProcess() const {
        for (const std::string& entry : Environment()) {
            const size_t equals = entry.find('=');
            setenv(entry.substr(0, equals).c_str(), entry.substr(equals + 1).c_str(), 1);
        }
    }

    // The monitor's samples while `play` runs and its sound dies away.
    std::vector<int16_t> Record(const std::function<void()>& play) const {
        const fs::path file = dir_ / "recording.raw";
        ChildProcess parec({"parec", "-d", "nullsink.monitor", "--raw", "--format=s16le",
                            "--rate=44100", "--channels=1", "--latency-msec=20"},
                           Environment(), file.string());
        // The monitor delivers silence as soon as parec is connected.
        EXPECT_TRUE(WaitFor([&] { return fs::exists(file) && fs::file_size(file) > 0; }, 5s));
        play();
        RunEventLoop(1500ms);
        parec.Stop(SIGINT);
        std::ifstream in(file, std::ios::binary);
        const std::string bytes((std::istreambuf_iterator<char>(in)), {});
        std::vector<int16_t> samples(bytes.size() / 2);
        std::memcpy(samples.data(), bytes.data(), samples.size() * 2);
        return samples;
    }

  private:
    fs::path dir_, socket_;
    ChildProcess process_;
};

// A PulseAudio server of the test's own, and the application the sinks belong to.
class RealAudioOutputOnServer : public testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(server.WaitUntilReady()) << "pulseaudio did not start:\n" << server.Log();
        server.UseInThisProcess();
        application.emplace();
    }
    TempDir dir;
    PulseAudioServer server{dir.path};
    std::optional<Application> application;
};

TEST_F(RealAudioOutputOnServer, PlaysThroughTheAudioServerWithALinearVolume) {
    const std::shared_ptr<Sound> glass = BuiltSound("Glass");
    ASSERT_NE(glass, nullptr);

    InstallAudioOutput(nullptr); // a fresh real output
    AudioOutput& output = CurrentAudioOutput();
    const std::vector<int16_t> soft = server.Record([&] { output.Play(*glass, 0.2); });
    const std::vector<int16_t> loud = server.Record([&] { output.Play(*glass, 1.0); });

    // Levels over the sound's own length: the capture's silences drop out of the sums.
    const double frames = static_cast<double>(glass->Samples().size());
    const double source_rms = std::sqrt(SumOfSquares(glass->Samples()) / frames);
    const double soft_rms = std::sqrt(SumOfSquares(soft) / frames);
    const double loud_rms = std::sqrt(SumOfSquares(loud) / frames);
    std::printf("source RMS %.0f, recorded RMS at volume 20: %.0f, at 100: %.0f, ratio %.3f\n",
                source_rms, soft_rms, loud_rms, loud_rms / soft_rms);
    EXPECT_GT(loud_rms, 0.5 * source_rms) << "the recording is (nearly) silent";
    ASSERT_GT(soft_rms, 0);
    EXPECT_NEAR(loud_rms / soft_rms, 5.0, 0.5);
}

// A ring a second plays the same sound object over and over: every play must be heard,
// not only the first few (a restarted sink once stayed silent now and then).
TEST_F(RealAudioOutputOnServer, EveryRepeatedPlayOfOneSoundIsHeard) {
    std::vector<int16_t> tone(8820); // 200 ms at 1 kHz
    for (size_t i = 0; i < tone.size(); ++i)
        tone[i] = static_cast<int16_t>(8000 * std::sin(2 * M_PI * 1000.0 * i / 44100));
    const Sound beep("Beep", 44100, 1, tone);

    InstallAudioOutput(nullptr); // a fresh real output
    AudioOutput& output = CurrentAudioOutput();
    constexpr int kPlays = 8;
    const std::vector<int16_t> recorded = server.Record([&] {
        for (int i = 0; i < kPlays; ++i)
            QTimer::singleShot(i * 400ms, [&] { output.Play(beep, 1.0); });
        RunEventLoop(kPlays * 400ms);
    });

    const double heard = SumOfSquares(recorded) / SumOfSquares(tone);
    EXPECT_NEAR(heard, kPlays, 0.15 * kPlays) << "plays heard, by energy";
}

TEST(RealAudioOutput, WithoutAServerIsSilentAndSaysSoOnce) {
    TempDir dir;
    setenv("PULSE_SERVER", ("unix:" + (dir.path / "none.sock").string()).c_str(), 1);
    setenv("HOME", dir.path.c_str(), 1);
    Application application;
    const std::shared_ptr<Sound> glass = BuiltSound("Glass");
    ASSERT_NE(glass, nullptr);
    InstallAudioOutput(nullptr); // a fresh real output
    AudioOutput& output = CurrentAudioOutput();
    testing::internal::CaptureStderr();
    output.Play(*glass, 1.0);
    output.Play(*glass, 0.2);
    RunEventLoop(200ms);
    output.Play(*glass, 1.0);
    const std::string said = testing::internal::GetCapturedStderr();
    const std::string line = "sounds are silent";
    const size_t first = said.find(line);
    EXPECT_NE(first, std::string::npos) << said;
    EXPECT_EQ(said.find(line, first + 1), std::string::npos) << said;
}

TEST(RealAudioOutput, WithoutAnApplicationIsSilentAndSaysSoOnce) {
    Sound sound("Beep", 44100, 1, std::vector<int16_t>(441, 1000));
    InstallAudioOutput(nullptr); // a fresh real output
    AudioOutput& output = CurrentAudioOutput();
    testing::internal::CaptureStderr();
    output.Play(sound, 1.0);
    output.Play(sound, 1.0);
    const std::string said = testing::internal::GetCapturedStderr();
    EXPECT_EQ(said, "Sound: no application event loop; sounds are silent\n");
}
} // namespace
