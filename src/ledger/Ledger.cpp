#include "Ledger.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QThread>
#include <QVariant>

#include <atomic>
#include <functional>

namespace ledger {

namespace {

// Schema step k brings version k - 1 to version k. A later version appends a step; the
// steps of a file already at a version never run again.
const std::vector<std::vector<const char*>> kSteps = {
    {"CREATE TABLE tickets ("
     " id INTEGER PRIMARY KEY AUTOINCREMENT,"
     " draw INTEGER NOT NULL CHECK (draw >= 1),"
     " number TEXT NOT NULL CHECK (number GLOB '[0-9][0-9][0-9][0-9]'),"
     " type TEXT NOT NULL CHECK (type IN ('S', 'B', 'T')),"
     " units INTEGER NOT NULL CHECK (units BETWEEN 1 AND 10),"
     " added_at TEXT NOT NULL,"
     " source TEXT NOT NULL CHECK (source IN ('card', 'hand', 'import')))",
     "CREATE INDEX tickets_by_draw ON tickets (draw)"},
};

// How long a copy waits for another copy's change before it reports the file as locked.
constexpr int kBusyTimeoutMs = 15000;

QString newConnectionName() {
    static std::atomic_int count{0};
    return QStringLiteral("tessarin-ledger-%1").arg(++count);
}

void closeConnection(const QString& name) {
    QSqlDatabase::database(name, false).close();
    QSqlDatabase::removeDatabase(name);
}

} // namespace

void Ledger::fail(const QString& what, const QString& detail) const {
    throw LedgerError(QStringLiteral("購入記録 %1 %2\n%3")
                          .arg(QDir::toNativeSeparators(path_), what, detail)
                          .trimmed());
}

Ledger::Ledger(const QString& path, bool create) : path_(QFileInfo(path).absoluteFilePath()) {
    if (!create && !QFileInfo::exists(path_))
        return;
    if (!QSqlDatabase::isDriverAvailable(QStringLiteral("QSQLITE")))
        fail(QStringLiteral("を開けません。"),
             QStringLiteral("SQLite のドライバ（libqt6sql6-sqlite）がありません。"));
    connection_ = newConnectionName();
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection_);
    db.setDatabaseName(path_);
    // Another copy's change is waited for, not taken as a failure.
    db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(kBusyTimeoutMs));
    try {
        if (!db.open())
            fail(QStringLiteral("を開けません。"), db.lastError().text());
        check();
        migrate();
    } catch (...) {
        db = QSqlDatabase();
        closeConnection(connection_);
        throw;
    }
}

Ledger::~Ledger() {
    if (!connection_.isEmpty())
        closeConnection(connection_);
}

namespace {

QSqlQuery exec(const QSqlDatabase& db, const QString& sql,
               const std::function<void(QString)>& fail) {
    QSqlQuery q(db);
    if (!q.exec(sql))
        fail(q.lastError().text());
    return q;
}

// The switch to WAL needs the file to itself, and SQLite answers "database is locked" at once
// instead of waiting through the busy timeout: two copies making the file together would
// see one of them fail. The switch is tried again for as long as the busy timeout waits.
void switchToWal(const QSqlDatabase& db, const std::function<void(QString)>& fail) {
    constexpr int kSqliteBusy = 5;
    const QDeadlineTimer deadline(kBusyTimeoutMs);
    for (;;) {
        QSqlQuery q(db);
        if (q.exec(QStringLiteral("PRAGMA journal_mode = WAL")))
            return;
        const bool busy = (q.lastError().nativeErrorCode().toInt() & 0xff) == kSqliteBusy;
        if (!busy || deadline.hasExpired()) {
            fail(q.lastError().text());
            return;
        }
        QThread::msleep(10);
    }
}

} // namespace

void Ledger::check() {
    const QSqlDatabase db = QSqlDatabase::database(connection_, false);
    const auto damaged = [this](const QString& detail) {
        fail(QStringLiteral("は壊れているか、購入記録のファイルではありません。"
                            "ファイルはそのままにしてあります。"),
             detail);
    };
    QSqlQuery q = exec(db, QStringLiteral("PRAGMA quick_check"), damaged);
    if (!q.next() || q.value(0).toString() != QStringLiteral("ok"))
        damaged(q.value(0).toString());
}

template <typename Work> auto Ledger::writing(Work work) {
    const QSqlDatabase db = QSqlDatabase::database(connection_, false);
    const auto failed = [this](const QString& detail) {
        fail(QStringLiteral("に書き込めません。"), detail);
    };
    // IMMEDIATE takes the write lock at once, waiting for another writer through the busy
    // timeout; a deferred transaction would fail instead when another wrote in between.
    exec(db, QStringLiteral("BEGIN IMMEDIATE"), failed);
    try {
        auto result = work(db, failed);
        exec(db, QStringLiteral("COMMIT"), failed);
        return result;
    } catch (...) {
        QSqlQuery(db).exec(QStringLiteral("ROLLBACK"));
        throw;
    }
}

void Ledger::migrate() {
    const QSqlDatabase db = QSqlDatabase::database(connection_, false);
    const auto failed = [this](const QString& detail) {
        fail(QStringLiteral("を準備できません。"), detail);
    };
    const auto version = [&](const QSqlDatabase& d) {
        QSqlQuery q = exec(d, QStringLiteral("PRAGMA user_version"), failed);
        return q.next() ? q.value(0).toInt() : 0;
    };
    // Every commit reaches the disk before it is reported.
    exec(db, QStringLiteral("PRAGMA synchronous = FULL"), failed);
    int v = version(db);
    if (v < kSchemaVersion) {
        switchToWal(db, failed);
        v = writing([&](const QSqlDatabase& d, const auto& writeFailed) {
            // Another copy may have brought it up to date while this one waited.
            const int found = version(d);
            if (found == 0) {
                QSqlQuery q =
                    exec(d, QStringLiteral("SELECT count(*) FROM sqlite_master"), writeFailed);
                if (q.next() && q.value(0).toInt() != 0)
                    fail(QStringLiteral("は購入記録のファイルではありません。"
                                        "ファイルはそのままにしてあります。"),
                         QString());
            }
            for (int step = found; step < kSchemaVersion; ++step)
                for (const char* sql : kSteps[static_cast<std::size_t>(step)])
                    exec(d, QString::fromLatin1(sql), writeFailed);
            if (found < kSchemaVersion)
                exec(d, QStringLiteral("PRAGMA user_version = %1").arg(kSchemaVersion),
                     writeFailed);
            return std::max(found, kSchemaVersion);
        });
    }
    if (v > kSchemaVersion)
        fail(QStringLiteral("は新しい版の Tessarin で作られています（形式 %1）。"
                            "この版では読めないので、ファイルはそのままにしてあります。")
                 .arg(v),
             QString());
}

std::vector<long long> Ledger::add(const std::vector<Ticket>& tickets) {
    if (connection_.isEmpty())
        fail(QStringLiteral("が書き込み用に開かれていません。"), QString());
    const QString now = QDateTime::currentDateTimeUtc().toString(Qt::ISODate);
    return writing([&](const QSqlDatabase& db, const auto& failed) {
        std::vector<long long> ids;
        QSqlQuery taken(db);
        taken.prepare(QStringLiteral("SELECT count(*) FROM tickets WHERE id = ?"));
        QSqlQuery q(db);
        q.prepare(QStringLiteral("INSERT INTO tickets (id, draw, number, type, units, added_at, "
                                 "source) VALUES (?, ?, ?, ?, ?, ?, ?)"));
        for (const Ticket& t : tickets) {
            if (t.id > 0) {
                taken.addBindValue(t.id);
                if (!taken.exec() || !taken.next())
                    failed(taken.lastError().text());
                if (taken.value(0).toInt() > 0)
                    fail(QStringLiteral("には ID %1 が既にあります。何も記録していません。"
                                        "同じファイルを2度取り込んでいなければ、id の列を消すと"
                                        "新しい ID で記録できます。")
                             .arg(t.id),
                         QString());
            }
            // NULL lets SQLite number a new ticket.
            q.addBindValue(t.id > 0 ? QVariant(t.id) : QVariant(QMetaType(QMetaType::LongLong)));
            q.addBindValue(t.drawNo);
            q.addBindValue(t.number);
            q.addBindValue(typeLetter(t.type));
            q.addBindValue(t.units);
            q.addBindValue(t.addedAt.isValid() ? t.addedAt.toUTC().toString(Qt::ISODate) : now);
            q.addBindValue(sourceName(t.source));
            if (!q.exec())
                failed(q.lastError().text());
            ids.push_back(q.lastInsertId().toLongLong());
        }
        return ids;
    });
}

std::vector<long long> Ledger::remove(const std::vector<long long>& ids) {
    if (connection_.isEmpty())
        return ids;
    return writing([&](const QSqlDatabase& db, const auto& failed) {
        std::vector<long long> missing;
        QSqlQuery find(db);
        find.prepare(QStringLiteral("SELECT count(*) FROM tickets WHERE id = ?"));
        for (long long id : ids) {
            find.addBindValue(id);
            if (!find.exec() || !find.next())
                failed(find.lastError().text());
            if (find.value(0).toInt() == 0)
                missing.push_back(id);
        }
        if (!missing.empty())
            return missing;
        QSqlQuery erase(db);
        erase.prepare(QStringLiteral("DELETE FROM tickets WHERE id = ?"));
        for (long long id : ids) {
            erase.addBindValue(id);
            if (!erase.exec())
                failed(erase.lastError().text());
        }
        return missing;
    });
}

std::vector<Ticket> Ledger::tickets() const {
    std::vector<Ticket> all;
    if (connection_.isEmpty())
        return all;
    const QSqlDatabase db = QSqlDatabase::database(connection_, false);
    QSqlQuery q =
        exec(db,
             QStringLiteral("SELECT id, draw, number, type, units, added_at, source "
                            "FROM tickets ORDER BY draw, id"),
             [this](const QString& detail) { fail(QStringLiteral("を読めません。"), detail); });
    while (q.next()) {
        Ticket t;
        t.id = q.value(0).toLongLong();
        t.drawNo = q.value(1).toInt();
        t.number = q.value(2).toString();
        const auto type = typeFromLetter(q.value(3).toString());
        t.units = q.value(4).toInt();
        t.addedAt = QDateTime::fromString(q.value(5).toString(), Qt::ISODate);
        const auto source = sourceFromName(q.value(6).toString());
        // The table's checks keep such rows out; a file edited by hand may still hold one.
        if (!type || !source)
            fail(QStringLiteral("の ID %1 の行が読めません。").arg(t.id), QString());
        t.type = *type;
        t.source = *source;
        all.push_back(t);
    }
    return all;
}

} // namespace ledger
