#pragma once
// A program a test starts: killed by its PID when the object goes, however the test
// ends, and by the kernel should the test process itself die first.

#include <chrono>
#include <functional>
#include <string>
#include <sys/types.h>
#include <vector>

class ChildProcess {
  public:
    // `environment` entries ("NAME=value") are added to the test's own; standard output
    // and error go to `output_path`.
    ChildProcess(const std::vector<std::string>& argv, const std::vector<std::string>& environment,
                 const std::string& output_path = "/dev/null");
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    bool Started() const { return pid_ > 0; }
    // Sends `signal` and waits for the exit; after `grace` the process is killed.
    void Stop(int signal, std::chrono::milliseconds grace = std::chrono::seconds(2));

  private:
    pid_t pid_ = -1;
};

// Waits until `ready` holds, at most `limit`; false when it never did.
bool WaitFor(const std::function<bool()>& ready, std::chrono::milliseconds limit);
