#pragma once
// A PulseAudio server of a test's own (a null sink whose monitor the test records), and
// what the tests of the real audio output share around it.

#include "tests/support/child_process.h"

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class QCoreApplication;

struct TempDir {
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    std::filesystem::path path;
};

// Sets environment variables ("NAME=value") and puts back what they were when it goes.
class ScopedEnvironment {
  public:
    explicit ScopedEnvironment(const std::vector<std::string>& entries);
    ~ScopedEnvironment();
    ScopedEnvironment(const ScopedEnvironment&) = delete;
    ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

  private:
    std::vector<std::pair<std::string, std::optional<std::string>>> saved_;
};

// Standard error, into a file that can be read while it is written (the audio thread
// reports a failed connection on its own time).
class StderrFile {
  public:
    StderrFile();
    ~StderrFile();
    StderrFile(const StderrFile&) = delete;
    StderrFile& operator=(const StderrFile&) = delete;
    std::string Text() const;

  private:
    TempDir dir_;
    std::filesystem::path path_;
    int saved_ = -1;
};

// For the event loops some tests run while a sound plays; the output itself needs none.
struct CoreApplication {
    CoreApplication();
    ~CoreApplication();
    int argc = 1;
    char name[10] = "test";
    char* argv[2] = {name, nullptr};
    std::unique_ptr<QCoreApplication> app;
};

// Runs the Qt event loop for `time` (a QCoreApplication must exist).
void RunEventLoop(std::chrono::milliseconds time);

double SumOfSquares(const std::vector<int16_t>& samples);
// A steady 1 kHz tone at 44.1 kHz: its energy grows with the time heard, unlike a bell's.
std::vector<int16_t> Tone(std::chrono::milliseconds length);

// pulseaudio in the foreground, or PipeWire with its PulseAudio service on a session bus
// of its own, writing nothing outside `dir`.
class PulseAudioServer {
  public:
    enum class Kind { kPulseAudio, kPipeWire };
    // Without a sink the server has no device to play on.
    explicit PulseAudioServer(const std::filesystem::path& dir, bool with_sink = true,
                              Kind kind = Kind::kPulseAudio);

    std::string Log() const;
    bool WaitUntilReady() const;
    // What points a process at the server.
    std::vector<std::string> Environment() const;

    // The monitor's samples while `play` runs and then `settle` lets its sound die away
    // (by default the event loop runs for 1.5 s).
    std::vector<int16_t> Record(
        const std::function<void()>& play,
        const std::function<void(const std::filesystem::path&)>& settle =
            [](const std::filesystem::path&) {
                RunEventLoop(std::chrono::milliseconds(1500));
            }) const;
    static std::vector<int16_t> Samples(const std::filesystem::path& file);
    // What `pactl ARGUMENTS` prints about this server.
    std::string Pactl(const std::string& arguments) const;

  private:
    std::filesystem::path dir_, socket_;
    Kind kind_;
    std::vector<std::unique_ptr<ChildProcess>> processes_;
};
