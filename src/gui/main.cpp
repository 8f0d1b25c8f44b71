#include "MainWindow.h"
#include "QtHost.h"

#include "download/DownloadForm.h"
#include "history/HistoryFiles.h"

#include <QApplication>
#include <QFont>
#include <QFontDatabase>
#include <QMessageBox>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tessarin"));
    if (QFontDatabase::families().contains(QStringLiteral("IPAGothic"))) {
        QFont font(QStringLiteral("IPAGothic"));
        font.setPointSize(9);
        QApplication::setFont(font);
    }

    gui::QtHost host;
    history::AppModule module;
    mainwindow::MainForm form(host, module);
    download::DownloadForm downloadForm(host, module, form);
    try {
        form.Form_Load(true);
    } catch (const history::FileError& e) {
        module.files.CloseAll();
        QMessageBox::critical(nullptr, QStringLiteral("Tessarin"), e.message());
        return 1;
    }
    gui::MainWindow window(form, host);
    window.show();
    window.place();
    return app.exec();
}
