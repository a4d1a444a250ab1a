#pragma once
// The message-box seam in tests: records each text and returns at once.

#include "shell/framework/core/msg_box.h"

#include <memory>
#include <string>
#include <vector>

class RecordingMessageBox : public MessageBoxPresenter {
  public:
    void Present(const std::string& text) override { texts.push_back(text); }
    std::vector<std::string> texts;
};

// Installs a fresh recorder as the presenter and returns it.
std::shared_ptr<RecordingMessageBox> InstallRecordingMessageBox();
