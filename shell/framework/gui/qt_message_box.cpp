#include "shell/framework/gui/qt_message_box.h"

#include "shell/framework/core/msg_box.h"

#include <QApplication>
#include <QMessageBox>

namespace {
// "\r" breaks a line like "\n".
class QtMessageBoxPresenter : public MessageBoxPresenter {
  public:
    void Present(const std::string& text) override {
        auto shown = QString::fromStdString(text);
        shown.replace("\r\n", "\n").replace('\r', '\n');
        QMessageBox box(QMessageBox::NoIcon, QString(), shown, QMessageBox::Ok);
        box.exec();
    }
};
} // namespace

void InstallQtMessageBoxPresenter() {
    SetRealMessageBoxPresenter(std::make_shared<QtMessageBoxPresenter>());
}
