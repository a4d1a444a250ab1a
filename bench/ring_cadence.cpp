// The ring cadence in real time: the real program on the offscreen platform, the alarm
// set to the current minute, and the time of every play taken at the audio output.
// Prints the mean interval of 60 rings and the worst deviation from 1000 ms.
#include "shell/framework/core/runtime.h"
#include "shell/framework/gui/application.h"
#include "shell/framework/media/sound.h"
#include "shell/startup.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

namespace {
constexpr int kRings = 60;

class TimedOutput : public AudioOutput {
  public:
    void Play(const Sound&, double, int32_t) override {
        plays.push_back(std::chrono::steady_clock::now());
        // The start-up ring, then the rings.
        if (static_cast<int>(plays.size()) == kRings + 1) Quit(0);
    }
    std::vector<std::chrono::steady_clock::time_point> plays;
};

std::tm LocalNow() {
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return local;
}
} // namespace

int main() {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    char home[] = "/tmp/dorvane2-cadence.XXXXXX";
    setenv("HOME", mkdtemp(home), 1);
    const std::string documents = std::string(home) + "/Documents";
    std::filesystem::create_directories(documents);

    // The first tick comes within five seconds: it must still be in this minute.
    while (LocalNow().tm_sec >= 50)
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
    const std::tm now = LocalNow();
    std::ofstream(documents + "/Dorvane2appData") << "h_data\n"
                                                  << now.tm_hour << "\nm_data\n"
                                                  << now.tm_min;

    // The sounds and the script come from the built package.
    SetExecutablePathForTesting(PACKAGE_DIR "/bin/Dorvane2");
    auto output = std::make_shared<TimedOutput>();
    InstallAudioOutput(output);
    std::printf("ringing %d times in real time...\n", kRings);
    RunProgram();

    std::vector<double> intervals;
    for (size_t i = 2; i < output->plays.size(); ++i)
        intervals.push_back(
            std::chrono::duration<double, std::milli>(output->plays[i] - output->plays[i - 1])
                .count());
    if (intervals.empty()) {
        std::printf("no rings\n");
        return 1;
    }
    double sum = 0, worst = 0;
    for (double interval : intervals) {
        sum += interval;
        worst = std::max(worst, std::abs(interval - 1000.0));
    }
    std::printf("ring cadence over %zu intervals: mean %.2f ms, worst deviation %.2f ms\n",
                intervals.size(), sum / intervals.size(), worst);
    std::filesystem::remove_all(home);
    return 0;
}
