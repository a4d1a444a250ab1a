#include "tests/support/recording_message_box.h"

std::shared_ptr<RecordingMessageBox> InstallRecordingMessageBox() {
    auto recorder = std::make_shared<RecordingMessageBox>();
    InstallMessageBoxPresenter(recorder);
    return recorder;
}
