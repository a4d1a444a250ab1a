#include "tests/support/child_process.h"

#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace {
std::vector<char*> Pointers(std::vector<std::string>& strings) {
    std::vector<char*> pointers;
    for (std::string& s : strings)
        pointers.push_back(s.data());
    pointers.push_back(nullptr);
    return pointers;
}
} // namespace

ChildProcess::ChildProcess(const std::vector<std::string>& argv,
                           const std::vector<std::string>& environment,
                           const std::string& output_path) {
    // Everything the child needs is built before fork: the test may have threads.
    std::vector<std::string> arguments = argv, variables = environment;
    const auto overridden = [&environment](const char* entry) {
        for (const std::string& own : environment)
            if (std::strncmp(entry, own.c_str(), own.find('=') + 1) == 0) return true;
        return false;
    };
    for (char** e = environ; *e; ++e)
        if (!overridden(*e)) variables.emplace_back(*e);
    std::vector<char*> arg_pointers = Pointers(arguments), env_pointers = Pointers(variables);
    const int output = open(output_path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    const pid_t parent = getpid();
    pid_ = fork();
    if (pid_ == 0) {
        prctl(PR_SET_PDEATHSIG, SIGKILL);
        if (getppid() != parent) _exit(127);
        const int input = open("/dev/null", O_RDONLY);
        dup2(input, STDIN_FILENO);
        dup2(output, STDOUT_FILENO);
        dup2(output, STDERR_FILENO);
        execvpe(arg_pointers[0], arg_pointers.data(), env_pointers.data());
        _exit(127);
    }
    if (output >= 0) close(output);
}

ChildProcess::~ChildProcess() {
    Stop(SIGKILL, std::chrono::milliseconds(0));
}

void ChildProcess::Stop(int signal, std::chrono::milliseconds grace) {
    if (pid_ <= 0) return;
    kill(pid_, signal);
    const auto exited = [this] { return waitpid(pid_, nullptr, WNOHANG) != 0; };
    if (!WaitFor(exited, grace)) {
        kill(pid_, SIGKILL);
        while (waitpid(pid_, nullptr, 0) < 0 && errno == EINTR) {
        }
    }
    pid_ = -1;
}

bool WaitFor(const std::function<bool()>& ready, std::chrono::milliseconds limit) {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (!ready()) {
        if (std::chrono::steady_clock::now() >= deadline) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return true;
}
