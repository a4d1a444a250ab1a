#pragma once
// The real message-box presenter: a modal QMessageBox.

// Makes it the real presenter; needs the QApplication.
void InstallQtMessageBoxPresenter();
