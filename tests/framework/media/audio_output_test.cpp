// The real audio output, the one in place while no other is installed, against a
// PulseAudio server of the test's own with a null sink whose monitor the test records.
#include "shell/framework/media/pulse_audio_output.h"
#include "shell/framework/media/sound.h"
#include "tests/support/child_process.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>
#include <cmath>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <optional>
#include <sys/socket.h>
#include <sys/un.h>
#include <thread>
#include <unistd.h>

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

// For the event loops some tests run while a sound plays; the output itself needs none.
struct Application {
    int argc = 1;
    char name[18] = "audio_output_test";
    char* argv[2] = {name, nullptr};
    QCoreApplication app{argc, argv};
};

// For the timers some tests play from; the real output plays on PulseAudio's own thread,
// loop or no loop.
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

// A steady 1 kHz tone: its energy grows with the time heard, unlike a bell's.
std::vector<int16_t> Tone(std::chrono::milliseconds length) {
    std::vector<int16_t> tone(static_cast<size_t>(44100 * length.count() / 1000));
    for (size_t i = 0; i < tone.size(); ++i)
        tone[i] = static_cast<int16_t>(8000 * std::sin(2 * M_PI * 1000.0 * i / 44100));
    return tone;
}

std::shared_ptr<Sound> BuiltSound(const std::string& name) {
    return DecodeSoundFile((fs::path(PACKAGE_DIR) / "Resources" / (name + ".aiff")).string());
}

// pulseaudio in the foreground, writing nothing outside `dir`.
class PulseAudioServer {
  public:
    // Without a sink the server has no device to play on.
    explicit PulseAudioServer(const fs::path& dir, bool with_sink = true)
        : dir_(dir), socket_(dir / "pulse.sock"),
          process_(Arguments(socket_, with_sink), Environment(),
                   (dir / "pulseaudio.log").string()) {}

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

    // The monitor's samples while `play` runs and then `settle` lets its sound die away
    // (by default the event loop runs for 1.5 s).
    std::vector<int16_t> Record(
        const std::function<void()>& play,
        const std::function<void(const fs::path&)>& settle = [](const fs::path&) {
            RunEventLoop(1500ms);
        }) const {
        const fs::path file = dir_ / "recording.raw";
        ChildProcess parec({"parec", "-d", "nullsink.monitor", "--raw", "--format=s16le",
                            "--rate=44100", "--channels=1", "--latency-msec=20"},
                           Environment(), file.string());
        // The monitor delivers silence as soon as parec is connected.
        EXPECT_TRUE(WaitFor([&] { return fs::exists(file) && fs::file_size(file) > 0; }, 5s));
        play();
        settle(file);
        parec.Stop(SIGINT);
        return Samples(file);
    }
    static std::vector<int16_t> Samples(const fs::path& file) {
        std::ifstream in(file, std::ios::binary);
        const std::string bytes((std::istreambuf_iterator<char>(in)), {});
        std::vector<int16_t> samples(bytes.size() / 2);
        std::memcpy(samples.data(), bytes.data(), samples.size() * 2);
        return samples;
    }

  private:
    static std::vector<std::string> Arguments(const fs::path& socket, bool with_sink) {
        std::vector<std::string> arguments = {
            "pulseaudio",
            "-n",
            "--daemonize=no",
            "--exit-idle-time=-1",
            "--disallow-exit",
            "-L",
            "module-native-protocol-unix auth-anonymous=1 socket=" + socket.string()};
        if (with_sink)
            arguments.insert(arguments.end(),
                             {"-L", "module-null-sink sink_name=nullsink rate=44100 channels=1"});
        return arguments;
    }
    fs::path dir_, socket_;
    ChildProcess process_;
};

// A PulseAudio server of the test's own; the output closes before the server goes.
class RealAudioOutputOnServer : public testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(server.WaitUntilReady()) << "pulseaudio did not start:\n" << server.Log();
        server.UseInThisProcess();
        application.emplace();
    }
    void TearDown() override { InstallAudioOutput(nullptr); }
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
    const std::vector<int16_t> tone = Tone(200ms);
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

// Once handed over, a sound plays to its end while the UI thread is busy (a slow
// activation script, a modal box, a loaded machine) and never runs its event loop.
TEST_F(RealAudioOutputOnServer, ASoundHandedOverIsHeardWholeWhileTheUiThreadIsBlocked) {
    const std::vector<int16_t> tone = Tone(1000ms);
    const Sound sound("Tone", 44100, 1, tone);
    const double whole = SumOfSquares(tone);

    InstallAudioOutput(nullptr); // a fresh real output
    AudioOutput& output = CurrentAudioOutput();
    const std::vector<int16_t> recorded = server.Record(
        [&] {
            output.Play(sound, 1.0);
            std::this_thread::sleep_for(1500ms); // the UI thread, blocked
        },
        [&](const fs::path& file) { // still blocked until the tone is in or time is up
            WaitFor([&] { return SumOfSquares(PulseAudioServer::Samples(file)) >= 0.95 * whole; },
                    5s);
        });

    std::printf("heard %.3f\n", SumOfSquares(recorded) / whole);
    EXPECT_NEAR(SumOfSquares(recorded) / whole, 1.0, 0.2) << "share of the tone heard, by energy";
}

TEST_F(RealAudioOutputOnServer, AfterCloseNothingPlaysAndASoundMayGoAtAnyTime) {
    auto sound = std::make_shared<Sound>("Tone", 44100, 1, Tone(1000ms));
    InstallAudioOutput(nullptr); // a fresh real output
    AudioOutput& output = CurrentAudioOutput();
    output.Play(*sound, 1.0);
    output.Close(); // stops the tone at once
    const std::vector<int16_t> recorded = server.Record([&] {
        output.Play(*sound, 1.0);
        sound.reset();
    });
    EXPECT_EQ(SumOfSquares(recorded), 0);
}

// Standard error, into a file that can be read while it is written (the audio thread
// reports a failed connection on its own time).
class StderrFile {
  public:
    StderrFile() : path_(dir_.path / "stderr") {
        std::fflush(stderr);
        saved_ = dup(STDERR_FILENO);
        const int file = open(path_.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        dup2(file, STDERR_FILENO);
        close(file);
    }
    ~StderrFile() {
        std::fflush(stderr);
        dup2(saved_, STDERR_FILENO);
        close(saved_);
    }
    std::string Text() const {
        std::ifstream in(path_);
        return std::string((std::istreambuf_iterator<char>(in)), {});
    }

  private:
    TempDir dir_;
    fs::path path_;
    int saved_ = -1;
};

// A server that takes the connection and never answers.
class SilentServer {
  public:
    explicit SilentServer(const fs::path& socket) : fd_(socket_fd(AF_UNIX, SOCK_STREAM, 0)) {
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        std::strncpy(address.sun_path, socket.c_str(), sizeof(address.sun_path) - 1);
        bind(fd_, reinterpret_cast<sockaddr*>(&address), sizeof(address));
        listen(fd_, 4);
    }
    ~SilentServer() { close(fd_); }

  private:
    static int socket_fd(int domain, int type, int protocol) {
        return ::socket(domain, type, protocol);
    }
    int fd_;
};

// No server, one that never answers, or one without a device: Play returns at once, the
// sounds are silent, one line says so within the connection's time limit, and closing
// does not wait.
TEST(RealAudioOutput, WithoutAWorkingServerIsSilentAndSaysSoOnce) {
    enum class Server { kNone, kNeverAnswers, kWithoutDevice };
    for (const Server kind : {Server::kNone, Server::kNeverAnswers, Server::kWithoutDevice}) {
        SCOPED_TRACE(static_cast<int>(kind));
        TempDir dir;
        const fs::path socket = dir.path / "pulse.sock";
        std::optional<SilentServer> silent;
        std::optional<PulseAudioServer> deviceless;
        if (kind == Server::kNeverAnswers) silent.emplace(socket);
        if (kind == Server::kWithoutDevice) {
            deviceless.emplace(dir.path, false);
            ASSERT_TRUE(deviceless->WaitUntilReady()) << deviceless->Log();
        }
        setenv("PULSE_SERVER", ("unix:" + socket.string()).c_str(), 1);
        setenv("HOME", dir.path.c_str(), 1);
        setenv("XDG_RUNTIME_DIR", dir.path.c_str(), 1);
        const Sound sound("Beep", 44100, 1, Tone(200ms));

        StderrFile said;
        InstallAudioOutput(nullptr); // a fresh real output
        AudioOutput& output = CurrentAudioOutput();
        const auto before = std::chrono::steady_clock::now();
        output.Play(sound, 1.0);
        output.Play(sound, 0.2);
        EXPECT_LT(std::chrono::steady_clock::now() - before,
                  std::chrono::milliseconds(PulseAudioOutput::kConnectLimitMs / 4))
            << "Play waited for the server";
        const std::string line = "sounds are silent";
        EXPECT_TRUE(WaitFor([&] { return said.Text().find(line) != std::string::npos; },
                            std::chrono::milliseconds(PulseAudioOutput::kConnectLimitMs) + 3s))
            << said.Text();
        output.Play(sound, 1.0); // tries again, in case the server is back
        std::this_thread::sleep_for(200ms);
        output.Close();
        const std::string text = said.Text();
        std::printf("said: %s", text.c_str());
        const size_t first = text.find(line);
        EXPECT_NE(first, std::string::npos) << text;
        EXPECT_EQ(text.find(line, first + 1), std::string::npos) << text;
        InstallAudioOutput(nullptr);
    }
}
} // namespace
