#pragma once
// Modal message boxes, through the message-box seam (tests install a recorder).

#include <memory>
#include <string>

class MessageBoxPresenter {
  public:
    virtual ~MessageBoxPresenter() = default;
    // Shows the text and returns once the user has dismissed it.
    virtual void Present(const std::string& text) = 0;
};

// A test's presenter; nil puts the real one back.
void InstallMessageBoxPresenter(std::shared_ptr<MessageBoxPresenter> presenter);
// The real presenter, set by the GUI once it has an application to show boxes in.
void SetRealMessageBoxPresenter(std::shared_ptr<MessageBoxPresenter> presenter);
MessageBoxPresenter& CurrentMessageBoxPresenter();

// CR or LF breaks a line.
void MsgBox(const std::string& text);
