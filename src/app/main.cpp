#include "app/SingleInstance.h"

#include <QApplication>
#include <QMessageBox>
#include <cstdio>

int main(int argc, char **argv) {
    QString why;
    if (!app::displayAvailable(&why)) {
        std::fprintf(stderr, "%s\n", why.toUtf8().constData());
        return 1;
    }
    QApplication application(argc, argv);
    application.setApplicationName(QStringLiteral("Lumibo"));
    app::ProgramOptions options;
    options.programDir = QCoreApplication::applicationDirPath();
    options.showMessage = [](const QString &title, const QString &text) {
        QMessageBox::information(nullptr, title, text, QMessageBox::Ok);
    };
    return app::runLumibo(application, options);
}
