#include "tests/support/read_only_folder.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace {
__user_cap_header_struct Header() {
    return {_LINUX_CAPABILITY_VERSION_3, 0}; // 0: the calling thread
}

// The capabilities that let a process past the modes of files and folders.
constexpr int kModeOverrides[] = {CAP_DAC_OVERRIDE, CAP_DAC_READ_SEARCH, CAP_FOWNER};
} // namespace

ReadOnlyFolder::ReadOnlyFolder(std::string folder) : folder_(std::move(folder)) {
    struct stat info {};
    if (::stat(folder_.c_str(), &info) == 0) mode_ = info.st_mode & 07777;
    ::chmod(folder_.c_str(), mode_ & ~0222);
    auto header = Header();
    capabilities_saved_ = ::syscall(SYS_capget, &header, capabilities_) == 0;
    if (!capabilities_saved_) return;
    __user_cap_data_struct without[_LINUX_CAPABILITY_U32S_3];
    for (int i = 0; i < _LINUX_CAPABILITY_U32S_3; ++i)
        without[i] = capabilities_[i];
    for (int capability : kModeOverrides)
        without[CAP_TO_INDEX(capability)].effective &= ~CAP_TO_MASK(capability);
    ::syscall(SYS_capset, &header, without);
}

ReadOnlyFolder::~ReadOnlyFolder() {
    // The capabilities first: they may be what lets the mode be set back.
    auto header = Header();
    if (capabilities_saved_) ::syscall(SYS_capset, &header, capabilities_);
    ::chmod(folder_.c_str(), mode_);
}

bool ReadOnlyFolder::TakesNoNewFile() const {
    const std::string probe = folder_ + "/.probe";
    const int fd = ::open(probe.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd < 0) return errno == EACCES;
    ::close(fd);
    ::unlink(probe.c_str());
    return false;
}
