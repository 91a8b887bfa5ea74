// The yardstick for start-up: a main window with a menu bar and one Chinese label.
#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <QMenuBar>

int main(int argc, char **argv) {
    QApplication app(argc, argv);
    QMainWindow w;
    w.setWindowTitle(QStringLiteral("bare"));
    w.menuBar()->addMenu(QStringLiteral("少儿加法"))->addAction(QStringLiteral("一位数加一位数"));
    auto *label = new QLabel(QStringLiteral("小朋友，你好"), &w);
    w.setCentralWidget(label);
    w.resize(586, 384);
    w.show();
    return app.exec();
}
