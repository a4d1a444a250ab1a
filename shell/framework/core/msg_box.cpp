#include "shell/framework/core/msg_box.h"

namespace {
// Before the GUI has an application no box can be shown: the caller's stderr line, if
// any, is all there is.
class NoBoxPresenter : public MessageBoxPresenter {
  public:
    void Present(const std::string&) override {}
};

struct Presenters {
    std::shared_ptr<MessageBoxPresenter> installed, real;
};

Presenters& State() {
    static Presenters presenters;
    return presenters;
}
} // namespace

void InstallMessageBoxPresenter(std::shared_ptr<MessageBoxPresenter> presenter) {
    State().installed = std::move(presenter);
}

void SetRealMessageBoxPresenter(std::shared_ptr<MessageBoxPresenter> presenter) {
    State().real = std::move(presenter);
}

MessageBoxPresenter& CurrentMessageBoxPresenter() {
    static NoBoxPresenter none;
    if (State().installed) return *State().installed;
    if (State().real) return *State().real;
    return none;
}

void MsgBox(const std::string& text) {
    CurrentMessageBoxPresenter().Present(text);
}
