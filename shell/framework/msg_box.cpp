#include "shell/framework/msg_box.h"

#include <QApplication>
#include <QMessageBox>

namespace {
// The real presenter: a modal box; "\r" breaks a line like "\n".
class QtMessageBoxPresenter : public MessageBoxPresenter {
  public:
    void Present(const std::string& text) override {
        auto shown = QString::fromStdString(text);
        shown.replace("\r\n", "\n").replace('\r', '\n');
        QMessageBox box(QMessageBox::NoIcon, QString(), shown, QMessageBox::Ok);
        box.exec();
    }
};

std::shared_ptr<MessageBoxPresenter>& Installed() {
    static std::shared_ptr<MessageBoxPresenter> presenter;
    return presenter;
}
} // namespace

void InstallMessageBoxPresenter(std::shared_ptr<MessageBoxPresenter> presenter) {
    Installed() = std::move(presenter);
}

MessageBoxPresenter& CurrentMessageBoxPresenter() {
    if (!Installed()) Installed() = std::make_shared<QtMessageBoxPresenter>();
    return *Installed();
}

void MsgBox(const std::string& text) {
    CurrentMessageBoxPresenter().Present(text);
}
