// The toolkit's floor: the least a Qt Widgets window like ours costs. The same content
// size, a menu bar and Japanese labels in the same face, so the same libraries and font
// files are loaded; nothing else.
#include <QApplication>
#include <QKeySequence>
#include <QLabel>
#include <QLayout>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QMainWindow window;
    QMenu* file = window.menuBar()->addMenu(QStringLiteral("ファイル"));
    file->addAction(QStringLiteral("終了"), QKeySequence(QStringLiteral("Ctrl+Q")), &application,
                    &QApplication::quit);
    window.menuBar()->addMenu(QStringLiteral("編集"));

    auto* content = new QWidget(&window);
    content->setFixedSize(281, 179);
    QFont font(QStringLiteral("Noto Sans CJK JP"));
    font.setPixelSize(12);
    const struct {
        const char* text;
        int left, top;
    } labels[] = {{"スタート", 20, 14},
                  {"アラーム時刻", 47, 62},
                  {"タイマ時間", 38, 106},
                  {"計測中...", 28, 40}};
    for (const auto& row : labels) {
        auto* label = new QLabel(QString::fromUtf8(row.text), content);
        label->setFont(font);
        label->move(row.left, row.top);
    }
    window.setCentralWidget(content);
    window.layout()->setSizeConstraint(QLayout::SetFixedSize);
    window.show();
    return QApplication::exec();
}
