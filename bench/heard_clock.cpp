// Records the null sink's monitor with the server's own timing, for the delay from ring
// tick to sound: heard_cadence.sh runs it in place of parec.
//   bench_heard_clock SCRIPT OUT
// Writes OUT.raw (s16le mono 44.1 kHz, as parec does), then, when ended by SIGINT or
// SIGTERM, OUT.clock: a line a read, the frames recorded so far and the monotonic time in
// microseconds the recording's first sample had by the server's timing of what it has
// captured (now minus the stream time), and OUT.ticks: the monotonic time of every open
// of SCRIPT, the activation script, which the program runs right at each ring tick.
// The times hold near each read: where PulseAudio rewinds the null sink to play a write
// at once, its monitor has already sent what it mixed before, so the recording gains a
// few samples.
#include <atomic>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <mutex>
#include <pulse/pulseaudio.h>
#include <string>
#include <sys/inotify.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {
constexpr pa_sample_spec kSpec{PA_SAMPLE_S16LE, 44100, 1};
std::atomic<bool> stop{false};

int64_t NowUs() {
    return std::chrono::duration_cast<std::chrono::microseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

struct Recording {
    FILE* raw = nullptr;
    int64_t frames = 0;
    std::vector<std::pair<int64_t, int64_t>> origins; // frames so far, now minus stream time
};

void OnRead(pa_stream* stream, size_t, void* data) {
    auto& recording = *static_cast<Recording*>(data);
    const void* bytes = nullptr;
    size_t length = 0;
    while (pa_stream_readable_size(stream) > 0 && pa_stream_peek(stream, &bytes, &length) == 0) {
        if (length == 0) break;
        if (bytes) std::fwrite(bytes, 1, length, recording.raw);
        recording.frames += static_cast<int64_t>(length / pa_frame_size(&kSpec));
        pa_stream_drop(stream);
    }
    pa_usec_t time = 0;
    if (pa_stream_get_time(stream, &time) == 0)
        recording.origins.emplace_back(recording.frames, NowUs() - static_cast<int64_t>(time));
}

// The monotonic time of every open of `script`, until stopped.
void WatchOpens(const std::string& script, std::vector<int64_t>& opens, std::mutex& lock) {
    const int fd = inotify_init1(IN_NONBLOCK);
    if (fd < 0 || inotify_add_watch(fd, script.c_str(), IN_OPEN) < 0) {
        std::fprintf(stderr, "cannot watch %s\n", script.c_str());
        return;
    }
    alignas(inotify_event) char buffer[4096];
    while (!stop) {
        const ssize_t n = read(fd, buffer, sizeof buffer);
        const int64_t now = NowUs();
        if (n <= 0) {
            usleep(200);
            continue;
        }
        std::lock_guard<std::mutex> guard(lock);
        for (ssize_t at = 0; at < n;) {
            const auto* event = reinterpret_cast<const inotify_event*>(buffer + at);
            opens.push_back(now);
            at += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
        }
    }
    close(fd);
}
} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s SCRIPT OUT\n", argv[0]);
        return 2;
    }
    const std::string out = argv[2];
    std::signal(SIGINT, [](int) { stop = true; });
    std::signal(SIGTERM, [](int) { stop = true; });

    std::vector<int64_t> opens;
    std::mutex opens_lock;
    std::thread watcher(WatchOpens, std::string(argv[1]), std::ref(opens), std::ref(opens_lock));

    Recording recording;
    recording.raw = std::fopen((out + ".raw").c_str(), "wb");
    pa_mainloop* loop = pa_mainloop_new();
    pa_context* context = pa_context_new(pa_mainloop_get_api(loop), "heard-clock");
    pa_context_connect(context, nullptr, PA_CONTEXT_NOAUTOSPAWN, nullptr);
    pa_stream* stream = nullptr;
    while (!stop) {
        pa_mainloop_iterate(loop, 0, nullptr);
        const pa_context_state_t state = pa_context_get_state(context);
        if (!PA_CONTEXT_IS_GOOD(state)) break;
        if (state == PA_CONTEXT_READY && !stream) {
            stream = pa_stream_new(context, "monitor", &kSpec, nullptr);
            pa_stream_set_read_callback(stream, OnRead, &recording);
            // Reads of 5 ms, as parec --latency-msec asks for.
            const pa_buffer_attr buffer{static_cast<uint32_t>(-1), static_cast<uint32_t>(-1),
                                        static_cast<uint32_t>(-1), static_cast<uint32_t>(-1),
                                        static_cast<uint32_t>(pa_usec_to_bytes(5000, &kSpec))};
            pa_stream_connect_record(stream, "nullsink.monitor", &buffer,
                                     static_cast<pa_stream_flags_t>(PA_STREAM_ADJUST_LATENCY |
                                                                    PA_STREAM_INTERPOLATE_TIMING |
                                                                    PA_STREAM_AUTO_TIMING_UPDATE));
        }
        if (!stream)
            usleep(1000);
        else
            pa_mainloop_iterate(loop, 1, nullptr);
    }
    std::fclose(recording.raw);
    watcher.join();

    if (FILE* clock = std::fopen((out + ".clock").c_str(), "w")) {
        for (const auto& [frames, origin] : recording.origins)
            std::fprintf(clock, "%lld %lld\n", static_cast<long long>(frames),
                         static_cast<long long>(origin));
        std::fclose(clock);
    }
    if (FILE* ticks = std::fopen((out + ".ticks").c_str(), "w")) {
        for (int64_t at : opens)
            std::fprintf(ticks, "%lld\n", static_cast<long long>(at));
        std::fclose(ticks);
    }
    return 0;
}
