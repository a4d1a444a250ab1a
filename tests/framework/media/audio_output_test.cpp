// The real audio output, the one in place while no other is installed, against a
// PulseAudio server of the test's own with a null sink whose monitor the test records.
#include "shell/framework/media/pulse_audio_output.h"
#include "shell/framework/media/sound.h"
#include "tests/support/pulse_audio_server.h"

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
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace fs = std::filesystem;
using namespace std::chrono_literals;

namespace {
std::shared_ptr<Sound> BuiltSound(const std::string& name) {
    return DecodeSoundFile((fs::path(PACKAGE_DIR) / "Resources" / (name + ".aiff")).string());
}

// A PulseAudio server of the test's own; the output closes before the server goes.
class RealAudioOutputOnServer : public testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(server.WaitUntilReady()) << "pulseaudio did not start:\n" << server.Log();
        application.emplace();
    }
    void TearDown() override { InstallAudioOutput(nullptr); }
    TempDir dir;
    PulseAudioServer server{dir.path};
    ScopedEnvironment environment{server.Environment()};
    std::optional<CoreApplication> application;
};

TEST_F(RealAudioOutputOnServer, PlaysThroughTheAudioServerWithALinearVolume) {
    const std::shared_ptr<Sound> glass = BuiltSound("Glass");
    ASSERT_NE(glass, nullptr);

    InstallAudioOutput(nullptr); // a fresh real output
    AudioOutput& output = CurrentAudioOutput();
    const std::vector<int16_t> soft = server.Record([&] { output.Play(*glass, 0.2, 0); });
    const std::vector<int16_t> loud = server.Record([&] { output.Play(*glass, 1.0, 0); });

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
            QTimer::singleShot(i * 400ms, [&] { output.Play(beep, 1.0, 0); });
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
            output.Play(sound, 1.0, 0);
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
    output.Play(*sound, 1.0, 0);
    output.Close(); // stops the tone at once
    const std::vector<int16_t> recorded = server.Record([&] {
        output.Play(*sound, 1.0, 0);
        sound.reset();
    });
    EXPECT_EQ(SumOfSquares(recorded), 0);
}

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
        const ScopedEnvironment environment({"PULSE_SERVER=unix:" + socket.string(),
                                             "HOME=" + dir.path.string(),
                                             "XDG_RUNTIME_DIR=" + dir.path.string()});
        const Sound sound("Beep", 44100, 1, Tone(200ms));

        StderrFile said;
        InstallAudioOutput(nullptr); // a fresh real output
        AudioOutput& output = CurrentAudioOutput();
        const auto before = std::chrono::steady_clock::now();
        output.Play(sound, 1.0, 0);
        output.Play(sound, 0.2, 0);
        EXPECT_LT(std::chrono::steady_clock::now() - before,
                  std::chrono::milliseconds(PulseAudioOutput::kConnectLimitMs / 4))
            << "Play waited for the server";
        const std::string line = "sounds are silent";
        EXPECT_TRUE(WaitFor([&] { return said.Text().find(line) != std::string::npos; },
                            std::chrono::milliseconds(PulseAudioOutput::kConnectLimitMs) + 3s))
            << said.Text();
        output.Play(sound, 1.0, 0); // tries again, in case the server is back
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
// Where no server runs, the output starts none of its own: a desktop starts its server
// with the session, and starting one would hold up the sound thread. Checked as an
// ordinary user in a child process (the client library never starts one for root) whose
// client configuration asks for servers to be started, as it does where no systemd runs.
TEST(RealAudioOutput, StartsNoAudioServerOfItsOwn) {
    TempDir dir;
    const fs::path home = dir.path / "home", runtime = dir.path / "run";
    fs::create_directories(home);
    fs::create_directories(runtime);
    constexpr uid_t kNobody = 65534;
    if (getuid() == 0) {
        fs::permissions(dir.path,
                        fs::perms::owner_all | fs::perms::group_exec | fs::perms::others_exec);
        ASSERT_EQ(chown(home.c_str(), kNobody, kNobody), 0);
        ASSERT_EQ(chown(runtime.c_str(), kNobody, kNobody), 0);
    }
    const fs::path config = dir.path / "client.conf";
    std::ofstream(config) << "autospawn = yes\n";
    const fs::path socket = runtime / "pulse" / "native";
    const pid_t child = fork();
    if (child == 0) {
        if (getuid() == 0 && (setgid(kNobody) != 0 || setuid(kNobody) != 0)) _exit(2);
        setenv("HOME", home.c_str(), 1);
        setenv("XDG_RUNTIME_DIR", runtime.c_str(), 1);
        setenv("PULSE_CLIENTCONFIG", config.c_str(), 1);
        unsetenv("PULSE_SERVER");
        const Sound sound("Beep", 44100, 1, Tone(200ms));
        PulseAudioOutput output;
        output.Play(sound, 1.0, 0);
        // A server started for the output would make its socket within this time.
        const bool started = WaitFor([&] { return fs::exists(socket); }, 3s);
        output.Close();
        _exit(started ? 1 : 0);
    }
    ASSERT_GT(child, 0);
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    // A server that was started anyway goes with the test.
    const fs::path pid_path = runtime / "pulse" / "pid";
    if (WIFEXITED(status) && WEXITSTATUS(status) == 1)
        WaitFor([&] { return fs::exists(pid_path); }, 2s);
    std::ifstream pid_file(pid_path);
    if (pid_t server = 0; pid_file >> server) kill(server, SIGKILL);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0) << "1: a server was started; 2: no ordinary user";
}
} // namespace
