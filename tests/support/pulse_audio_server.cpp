#include "tests/support/pulse_audio_server.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>
#include <cmath>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <gtest/gtest.h>
#include <memory>
#include <unistd.h>

namespace fs = std::filesystem;
using namespace std::chrono_literals;

TempDir::TempDir() {
    std::string pattern = (fs::temp_directory_path() / "dorvane2-audio-XXXXXX").string();
    path = mkdtemp(pattern.data());
}
TempDir::~TempDir() {
    fs::remove_all(path);
}

ScopedEnvironment::ScopedEnvironment(const std::vector<std::string>& entries) {
    for (const std::string& entry : entries) {
        const size_t equals = entry.find('=');
        const std::string name = entry.substr(0, equals);
        const char* old = std::getenv(name.c_str());
        saved_.emplace_back(name, old ? std::optional<std::string>(old) : std::nullopt);
        setenv(name.c_str(), entry.substr(equals + 1).c_str(), 1);
    }
}
ScopedEnvironment::~ScopedEnvironment() {
    for (auto it = saved_.rbegin(); it != saved_.rend(); ++it) {
        if (it->second)
            setenv(it->first.c_str(), it->second->c_str(), 1);
        else
            unsetenv(it->first.c_str());
    }
}

StderrFile::StderrFile() : path_(dir_.path / "stderr") {
    std::fflush(stderr);
    saved_ = dup(STDERR_FILENO);
    const int file = open(path_.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    dup2(file, STDERR_FILENO);
    close(file);
}
StderrFile::~StderrFile() {
    std::fflush(stderr);
    dup2(saved_, STDERR_FILENO);
    close(saved_);
}
std::string StderrFile::Text() const {
    std::ifstream in(path_);
    return std::string((std::istreambuf_iterator<char>(in)), {});
}

CoreApplication::CoreApplication() : app(std::make_unique<QCoreApplication>(argc, argv)) {}
CoreApplication::~CoreApplication() = default;

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

std::vector<int16_t> Tone(std::chrono::milliseconds length) {
    std::vector<int16_t> tone(static_cast<size_t>(44100 * length.count() / 1000));
    for (size_t i = 0; i < tone.size(); ++i)
        tone[i] = static_cast<int16_t>(8000 * std::sin(2 * M_PI * 1000.0 * i / 44100));
    return tone;
}

namespace {
std::vector<std::string> ServerArguments(const fs::path& socket, bool with_sink) {
    std::vector<std::string> arguments = {"pulseaudio",
                                          "-n",
                                          "--daemonize=no",
                                          "--exit-idle-time=-1",
                                          "--disallow-exit",
                                          "-L",
                                          "module-native-protocol-unix auth-anonymous=1 socket=" +
                                              socket.string()};
    if (with_sink)
        arguments.insert(arguments.end(),
                         {"-L", "module-null-sink sink_name=nullsink rate=44100 channels=1"});
    return arguments;
}

std::vector<std::string> ClientEnvironment(const fs::path& dir, const fs::path& socket) {
    return {"PULSE_SERVER=unix:" + socket.string(), "HOME=" + dir.string(),
            "XDG_RUNTIME_DIR=" + dir.string(),
            "DBUS_SESSION_BUS_ADDRESS=unix:path=" + (dir / "bus").string()};
}
} // namespace

PulseAudioServer::PulseAudioServer(const fs::path& dir, bool with_sink, Kind kind)
    : dir_(dir), socket_(kind == Kind::kPipeWire ? dir / "pulse" / "native" : dir / "pulse.sock"),
      kind_(kind) {
    const std::vector<std::string> environment = ClientEnvironment(dir_, socket_);
    const std::string log = (dir / "pulseaudio.log").string();
    if (kind == Kind::kPulseAudio) {
        processes_.push_back(
            std::make_unique<ChildProcess>(ServerArguments(socket_, with_sink), environment, log));
        return;
    }
    processes_.push_back(std::make_unique<ChildProcess>(
        std::vector<std::string>{"dbus-daemon", "--session", "--nofork",
                                 "--address=unix:path=" + (dir / "bus").string()},
        environment, (dir / "dbus.log").string()));
    WaitFor([&] { return fs::exists(dir / "bus"); }, 10s);
    for (const char* program : {"pipewire", "wireplumber", "pipewire-pulse"})
        processes_.push_back(
            std::make_unique<ChildProcess>(std::vector<std::string>{program}, environment,
                                           (dir / (std::string(program) + ".log")).string()));
}

std::string PulseAudioServer::Log() const {
    std::ifstream in(dir_ / "pulseaudio.log");
    return std::string((std::istreambuf_iterator<char>(in)), {});
}

bool PulseAudioServer::WaitUntilReady() const {
    if (!WaitFor([this] { return fs::exists(socket_); }, 10s)) return false;
    if (kind_ == Kind::kPulseAudio) return true;
    Pactl("load-module module-null-sink sink_name=nullsink rate=44100 channels=1");
    Pactl("set-default-sink nullsink");
    return WaitFor(
        [this] {
            return Pactl("list short sources").find("nullsink.monitor") != std::string::npos;
        },
        10s);
}

std::vector<std::string> PulseAudioServer::Environment() const {
    return ClientEnvironment(dir_, socket_);
}

std::vector<int16_t>
PulseAudioServer::Record(const std::function<void()>& play,
                         const std::function<void(const fs::path&)>& settle) const {
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

std::vector<int16_t> PulseAudioServer::Samples(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), {});
    std::vector<int16_t> samples(bytes.size() / 2);
    std::memcpy(samples.data(), bytes.data(), samples.size() * 2);
    return samples;
}

std::string PulseAudioServer::Pactl(const std::string& arguments) const {
    const std::string command =
        "LC_ALL=C PULSE_SERVER='unix:" + socket_.string() + "' pactl " + arguments + " 2>&1";
    std::string text;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        char buffer[4096];
        while (size_t n = std::fread(buffer, 1, sizeof buffer, pipe))
            text.append(buffer, n);
        pclose(pipe);
    }
    return text;
}
