#include "DataFolder.h"
#include "HistoryFiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace history {

namespace {

QString& chosen() {
    static QString folder;
    return folder;
}

// The executable's folder, also when no application object exists (the tests).
QString executableDir() {
    if (QCoreApplication::instance())
        return QCoreApplication::applicationDirPath();
    return QFileInfo(QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath()).path();
}

bool isInside(const QString& path, const QString& folder) {
    const QString p = QFileInfo(path).canonicalFilePath();
    const QString f = QFileInfo(folder).canonicalFilePath();
    return !p.isEmpty() && !f.isEmpty() && (p == f || p.startsWith(f + u'/'));
}

} // namespace

QString dataFolderFor(const QString& chosenFolder, const QString& startFolder) {
    if (!chosenFolder.isEmpty())
        return chosenFolder;
    if (holdsHistory(startFolder))
        return startFolder;
    return userDataFolder();
}

QString dataFolder() {
    return dataFolderFor(chosen(), QDir::currentPath());
}

void chooseDataFolder(const QString& folder) {
    chosen() =
        folder.isEmpty() ? QString() : QDir::cleanPath(QDir::current().absoluteFilePath(folder));
}

QString chosenDataFolder() {
    return chosen();
}

QString userDataFolder() {
    // The XDG rules: XDG_DATA_HOME when it is an absolute path (a relative one is ignored),
    // else ~/.local/share. Named here rather than through the application name, which differs
    // between the two programs and the tests.
    const QString xdg = qEnvironmentVariable("XDG_DATA_HOME");
    if (!xdg.isEmpty() && QDir::isAbsolutePath(xdg))
        return QDir(QDir::cleanPath(xdg)).filePath(QStringLiteral("tessarin"));
    // Without a home there is no user's folder; "/" would be everyone's.
    const QString home = qEnvironmentVariable("HOME");
    if (home.isEmpty() || !QDir::isAbsolutePath(home))
        throw FileError(QStringLiteral(
            "データフォルダを決められません: 環境変数 HOME も XDG_DATA_HOME も（絶対パスで）"
            "設定されていません。--data-dir DIR でフォルダを指定してください。"));
    return QDir(QDir::cleanPath(home)).filePath(QStringLiteral(".local/share/tessarin"));
}

QString historyFileName() {
    return QStringLiteral("number414.dat");
}

bool holdsHistory(const QString& folder) {
    return QFileInfo(QDir(folder).filePath(historyFileName())).isFile();
}

bool makeDataFolder(const QString& folder) {
    return QDir().mkpath(folder) && QFileInfo(folder).isDir();
}

QStringList shippedFolders(const QString& dataDir, const QString& executableDir,
                           const QString& buildDir, const QString& sourceDir) {
    QStringList folders{dataDir};
    if (!executableDir.isEmpty())
        folders.append(QDir::cleanPath(executableDir + QStringLiteral("/../share/tessarin")));
    // The source tree only serves a program that was built from it and not installed.
    if (!sourceDir.isEmpty() && isInside(executableDir, buildDir))
        folders << QDir(sourceDir).filePath(QStringLiteral("data"))
                << QDir(sourceDir).filePath(QStringLiteral("docs"));
    return folders;
}

QString shippedFileIn(const QStringList& folders, const QString& name) {
    for (const QString& folder : folders) {
        const QString path = QDir(folder).filePath(name);
        if (QFileInfo(path).isFile())
            return QDir::cleanPath(path);
    }
    return {};
}

QString shippedFile(const QString& name, const QString& dataDir) {
    return shippedFileIn(shippedFolders(dataDir, executableDir(),
                                        QStringLiteral(TESSARIN_BUILD_DIR),
                                        QStringLiteral(TESSARIN_SOURCE_DIR)),
                         name);
}

} // namespace history
