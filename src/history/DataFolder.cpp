#include "DataFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

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
    // Named here rather than through the application name, which differs between the two
    // programs and the tests.
    return QDir(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation))
        .filePath(QStringLiteral("tessarin"));
}

bool holdsHistory(const QString& folder) {
    return QFileInfo(QDir(folder).filePath(QStringLiteral("number414.dat"))).isFile();
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
