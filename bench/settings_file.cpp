// The settings file as the window uses it: one open (seven reads) and one close (seven
// writes) on a file holding the seven keys.
#include "settings/class_datafile.h"
#include "shell/framework/core/folder_item.h"

#include <benchmark/benchmark.h>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace {
const char* const kKeys[] = {"h_data",    "m_data",     "h_timer",    "m_timer",
                             "sound_res", "window_top", "window_left"};
const char* const kValues[] = {"7", "05", "1", "30", "3", "240", "512"};

std::shared_ptr<FolderItem> SettingsFile() {
    static const std::string folder = [] {
        char pattern[] = "/tmp/dorvane2-bench.XXXXXX";
        return std::string(mkdtemp(pattern));
    }();
    const std::string path = folder + "/Dorvane2appData";
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    for (int i = 0; i < 7; ++i)
        out << (i ? "\n" : "") << kKeys[i] << "\n" << kValues[i];
    return std::make_shared<FolderItem>(path);
}

void WindowOpen(benchmark::State& state) {
    Class_datafile data(SettingsFile());
    for (auto _ : state) {
        for (const char* key : kKeys)
            benchmark::DoNotOptimize(data.get_data(key));
    }
}
BENCHMARK(WindowOpen);

void WindowClose(benchmark::State& state) {
    Class_datafile data(SettingsFile());
    for (auto _ : state) {
        for (int i = 0; i < 7; ++i)
            data.put_data(kKeys[i], kValues[i]);
    }
}
BENCHMARK(WindowClose);
} // namespace

BENCHMARK_MAIN();
