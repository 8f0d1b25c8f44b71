#include "Program.h"
#include "Version.h"

#include "history/DataFolder.h"

#include <QApplication>

#include <cstdio>
#include <string_view>

namespace {

const char* const kUsage = "使い方: tessarin [オプション]\n"
                           "ナンバーズ４の予想画面を開きます。\n"
                           "\n"
                           "オプション:\n"
                           "  -h, --help            この説明\n"
                           "  --version             版を表示する\n"
                           "  --results-url URL     抽選結果のアドレス（既定は運営元のサイト）\n"
                           "  --data-dir DIR        データフォルダ（既定は number414.dat のある\n"
                           "                        現在のフォルダ、なければ\n"
                           "                        ~/.local/share/tessarin）\n"
                           "\n"
                           "画面なしの操作は tessarin-cli --help を参照してください。\n";

} // namespace

int main(int argc, char** argv) {
    // Answered before QApplication exists, so neither needs a display.
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--version" || arg == "--help" || arg == "-h") {
            std::fputs(arg == "--version" ? TESSARIN_VERSION_LINE "\n" : kUsage, stdout);
            return 0;
        }
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tessarin"));
    QGuiApplication::setDesktopFileName(QStringLiteral(TESSARIN_APP_ID));

    // Without the translations installed, Qt's dialogs stay in English; nothing else changes.
    gui::prepareApplication();
    gui::Program program;
    // --results-url URL replaces the operator's address; --data-dir DIR names the data folder.
    const QStringList args = app.arguments();
    for (qsizetype i = 1; i < args.size(); ++i) {
        for (const QString& name :
             {QStringLiteral("--results-url"), QStringLiteral("--data-dir")}) {
            QString value;
            if (args[i] == name && i + 1 < args.size())
                value = args[++i];
            else if (args[i].startsWith(name + u'='))
                value = args[i].mid(name.size() + 1);
            else
                continue;
            if (name == QStringLiteral("--data-dir"))
                history::chooseDataFolder(value);
            else
                program.results.useBaseAddress(value);
            break;
        }
    }
    if (!program.start())
        return 1;
    return app.exec();
}
