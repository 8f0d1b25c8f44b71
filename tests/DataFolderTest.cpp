// Where the data files live, the lookup of the shipped files and the first start.
#include "support/CliRun.h"
#include "support/LoopbackServer.h"
#include "support/TestHistory.h"

#include "Cli.h"
#include "history/DataFolder.h"

#include <QDir>
#include <QFileInfo>

#include <gtest/gtest.h>

using namespace testing_support;

namespace {

QStringList filesIn(const QString& folder) {
    return QDir(folder).entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot);
}

// A workspace started in an empty folder, deciding its data folder by the rule itself
// (the workspace pins it to itself otherwise), with an empty home of its own.
struct EmptyStart {
    Workspace ws;
    QString start = ws.path("start");
    QString home = ws.path("home");
    QString user = ws.path("home/tessarin");
    EmptyStart() {
        history::chooseDataFolder(QString());
        qputenv("XDG_DATA_HOME", QFile::encodeName(home));
        QDir().mkpath(home);
        QDir().mkpath(start);
        EXPECT_TRUE(QDir::setCurrent(start));
    }
};

TEST(DataFolder, ChosenThenStartFolderWithHistoryThenUsersFolder) {
    const int bundled = static_cast<int>(bundledHistory().size());
    const auto small = weekdayDraws(12, "2026/08/03", {"0815", "4711"});
    // name, a history in the start folder, the arguments (DIR: a folder of its own), the folder
    // that holds the history after ("start", "user" or "dir"), its draws (0: the bundled ones)
    const std::tuple<const char*, bool, QStringList, QString, int> cases[] = {
        {"start folder holding the history", true, {}, "start", 12},
        {"empty start folder, empty home", false, {}, "user", 0},
        {"--data-dir before the command", false, {"--data-dir", "DIR", "summary"}, "dir", 0},
        {"--data-dir after the command", false, {"predict", "--data-dir=DIR"}, "dir", 0},
        {"--data-dir wins over the start folder", true, {"--data-dir", "DIR"}, "dir", 0},
    };
    for (auto [name, historyInStart, args, whereName, held] : cases) {
        SCOPED_TRACE(name);
        EmptyStart env;
        const QString dir = env.ws.path("chosen/data");
        if (historyInStart)
            writeFile(QDir(env.start).filePath("number414.dat"), historyBytes(small));
        args.replaceInStrings("DIR", dir);
        // On the evening of the last draw of the history in use, when nothing is missing.
        const CliRun r = runCli(args, QDateTime(QDate(2026, 8, held ? 18 : 21), QTime(23, 0)));
        ASSERT_EQ(r.code, cli::kOk) << r.err.toStdString();

        const QString where = whereName == "start"  ? env.start
                              : whereName == "user" ? env.user
                                                    : dir;
        const int draws = held ? held : bundled;
        EXPECT_EQ(QFileInfo(QDir(where).filePath("number414.dat")).size(), draws * 128);
        EXPECT_TRUE(r.out.contains(QStringLiteral("第%1回").arg(draws + 1))) << r.out.toStdString();
        // Nothing is written anywhere else.
        for (const QString& other : {env.start, env.user, dir}) {
            const QString file = QDir(other).filePath("number414.dat");
            if (other == env.start && historyInStart) {
                EXPECT_EQ(readFile(file), historyBytes(small));
            } else if (other != where) {
                EXPECT_FALSE(QFileInfo::exists(file)) << other.toStdString();
            }
        }
        // Seeding is told in one line naming the file; an existing history is not.
        if (held) {
            EXPECT_EQ(r.err, QString());
        } else {
            EXPECT_EQ(r.err.count(u'\n'), 1) << r.err.toStdString();
            EXPECT_TRUE(r.err.contains(QDir(where).filePath("number414.dat")));
            EXPECT_TRUE(QFileInfo(QDir(where).filePath("numbers4_2.csv")).isFile());
        }
    }
}

// The results window's files (the index, the result file, the history) follow --data-dir.
TEST(DataFolder, UpdateWritesItsDownloadsIntoTheDataFolder) {
    LoopbackServer server;
    server.serve("/numbers.csv", indexFile(0, {41}));
    server.serve("/A10041.CSV", resultFile(41, "平成8年3月18日", "2468"));
    EmptyStart env;
    const QString dir = env.ws.path("d");
    QDir().mkpath(dir);
    writeFile(QDir(dir).filePath("number414.dat"),
              historyBytes(weekdayDraws(40, "1996/01/08", {"1357"})));
    const CliRun r = runCli({"update", "--data-dir", dir, "--results-url", server.baseUrl()});
    ASSERT_EQ(r.code, cli::kOk) << r.err.toStdString();
    EXPECT_EQ(QFileInfo(QDir(dir).filePath("number414.dat")).size(), 41 * 128);
    EXPECT_TRUE(QFileInfo(QDir(dir).filePath("prefix.txt")).isFile());
    EXPECT_TRUE(QFileInfo(QDir(dir).filePath("kekka.txt")).isFile());
    EXPECT_EQ(filesIn(env.start), QStringList());
}

// A data folder that cannot be made, or a bundled history that cannot be read, is named
// and leaves everything as it was.
TEST(FirstStart, RefusesCleanly) {
    // name, the user's folder under a regular file (else --data-dir), a numbers4_2.csv already
    // in the data folder, the folder (in the workspace)
    const std::tuple<const char*, bool, const char*, const char*> cases[] = {
        {"--data-dir under a regular file", false, nullptr, "file/sub"},
        {"home under a regular file", true, nullptr, "file/tessarin"},
        {"unreadable history already in the folder", false, "1,1994/13/07,1149,,1,,2,,3,,4,\r\n",
         "d"},
    };
    for (const auto& [name, viaHome, badCsv, inWorkspace] : cases) {
        SCOPED_TRACE(name);
        EmptyStart env;
        writeFile(env.ws.path("file"), "a regular file");
        const QString folder = env.ws.path(inWorkspace);
        if (viaHome)
            qputenv("XDG_DATA_HOME", QFile::encodeName(env.ws.path("file")));
        if (badCsv) {
            QDir().mkpath(folder);
            writeFile(QDir(folder).filePath("numbers4_2.csv"), badCsv);
        }
        const QStringList before = filesIn(folder);
        const CliRun r = runCli(viaHome ? QStringList{} : QStringList{"--data-dir", folder});
        EXPECT_EQ(r.code, cli::kFailed);
        EXPECT_EQ(r.out, QString());
        EXPECT_EQ(r.err.count(u'\n'), 1) << r.err.toStdString();
        EXPECT_TRUE(r.err.contains(folder)) << r.err.toStdString();
        EXPECT_EQ(filesIn(folder), before);
        EXPECT_EQ(readFile(env.ws.path("file")), "a regular file");
        EXPECT_EQ(filesIn(env.start), QStringList());
    }
}

// The XDG rules: XDG_DATA_HOME only when absolute, else ~/.local/share; with neither a home
// nor an absolute XDG_DATA_HOME the program refuses instead of writing under /.
TEST(DataFolder, XdgDataHomeWhenAbsoluteElseHomeElseRefused) {
    const std::array<const char*, 3> cases[] = {
        // XDG_DATA_HOME, HOME (nullptr: unset), the folder (nullptr: refused)
        {"/x/data/", "/h", "/x/data/tessarin"}, {"x/data", "/h", "/h/.local/share/tessarin"},
        {"", "/h", "/h/.local/share/tessarin"}, {"/x/data", nullptr, "/x/data/tessarin"},
        {"x/data", nullptr, nullptr},           {nullptr, "", nullptr},
    };
    EmptyStart env;
    const QByteArray home = qgetenv("HOME");
    for (const auto& [xdg, homeDir, want] : cases) {
        xdg ? qputenv("XDG_DATA_HOME", xdg) : qunsetenv("XDG_DATA_HOME");
        homeDir ? qputenv("HOME", homeDir) : qunsetenv("HOME");
        const CliRun r = want ? CliRun{} : runCli({});
        EXPECT_TRUE(want ? history::userDataFolder() == want
                         : r.code == cli::kFailed && r.err.contains("--data-dir"))
            << r.err.toStdString();
    }
    qputenv("HOME", home);
}

// The data folder first, then share/tessarin beside the executable, then (for a program in
// its build tree only) the source tree's data/ and docs/.
TEST(ShippedFiles, LookupOrder) {
    QTemporaryDir t;
    const auto at = [&](const QString& p) { return t.filePath(p); };
    for (const char* f :
         {"data", "prefix/bin", "prefix/share/tessarin", "src/data", "src/docs", "build/src/cli"})
        QDir().mkpath(at(f));
    // name, the folders holding the file, the executable's folder, the one found (empty: none)
    const std::tuple<const char*, QStringList, const char*, const char*> cases[] = {
        {"data folder first", {"data", "prefix/share/tessarin", "src/data"}, "prefix/bin", "data"},
        {"then the installed share folder",
         {"prefix/share/tessarin", "src/data"},
         "prefix/bin",
         "prefix/share/tessarin"},
        {"an installed program never reads the source tree", {"src/data"}, "prefix/bin", ""},
        {"the build tree reads the source data",
         {"src/data", "src/docs"},
         "build/src/cli",
         "src/data"},
        {"and the source docs", {"src/docs"}, "build/src/cli", "src/docs"},
        {"nowhere", {}, "build/src/cli", ""},
    };
    for (const auto& [name, present, exe, want] : cases) {
        SCOPED_TRACE(name);
        for (const char* f : {"data", "prefix/share/tessarin", "src/data", "src/docs"})
            QFile::remove(at(f) + "/index.html");
        for (const QString& f : present)
            writeFile(at(f) + "/index.html", f.toUtf8());
        const QStringList folders =
            history::shippedFolders(at("data"), at(exe), at("build"), at("src"));
        EXPECT_EQ(history::shippedFileIn(folders, "index.html"),
                  *want ? QDir::cleanPath(at(want) + "/index.html") : QString());
    }
}

} // namespace
