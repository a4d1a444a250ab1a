#pragma once
// A folder with no write bit, which takes no new file, while the object lives. Root passes
// every file mode (CAP_DAC_OVERRIDE and its kin), as the tests run in CI: so the calling
// thread also works without those capabilities meanwhile, as any other user would. The
// folder's mode and the thread's capabilities come back when the object goes.

#include <linux/capability.h>
#include <string>
#include <sys/types.h>

class ReadOnlyFolder {
  public:
    explicit ReadOnlyFolder(std::string folder);
    ~ReadOnlyFolder();
    ReadOnlyFolder(const ReadOnlyFolder&) = delete;
    ReadOnlyFolder& operator=(const ReadOnlyFolder&) = delete;

    // Whether making a file in the folder is refused now: what a test must see first.
    bool TakesNoNewFile() const;

  private:
    std::string folder_;
    mode_t mode_ = 0;
    bool capabilities_saved_ = false;
    __user_cap_data_struct capabilities_[_LINUX_CAPABILITY_U32S_3] = {};
};
