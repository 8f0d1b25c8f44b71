#pragma once

#include <QString>
#include <QStringList>

namespace history {

// Where the data files live (number414.dat and everything written beside it):
//   1. the folder named with --data-dir, when one was given;
//   2. the folder the program was started in, when it holds number414.dat (portable use, the
//      build tree's run/ folder, the tests);
//   3. otherwise the user's own data folder, ~/.local/share/tessarin (userDataFolder).
QString dataFolderFor(const QString& chosen, const QString& startFolder);
// The rule above for this process: the chosen folder and the current directory.
QString dataFolder();

// The folder given with --data-dir (made absolute against the current directory), or empty
// to go back to the rule. Both programs set it once while reading their command line.
void chooseDataFolder(const QString& folder);
QString chosenDataFolder();

// The user's own data folder: "tessarin" in XDG_DATA_HOME when that is an absolute path,
// else in ~/.local/share. Throws FileError when neither it nor HOME is set.
QString userDataFolder();

// The name of the history file in the data folder.
QString historyFileName();

// Whether folder holds a history file (even an empty one).
bool holdsHistory(const QString& folder);

// Creates folder (and its parents) when missing; false when it cannot be made or is not a
// folder.
bool makeDataFolder(const QString& folder);

// The folders a read-only shipped file (templates, sound, guide, bundled history) is looked
// up in, in order: the data folder, share/tessarin of the installed tree beside the
// executable, and, for a program run from its build tree, the source tree's data/ and docs/.
QStringList shippedFolders(const QString& dataDir, const QString& executableDir,
                           const QString& buildDir, const QString& sourceDir);
// The first existing file `name` in those folders for this program; empty when none.
QString shippedFile(const QString& name, const QString& dataDir = dataFolder());
// The first existing file `name` in the given folders; empty when none.
QString shippedFileIn(const QStringList& folders, const QString& name);

} // namespace history
