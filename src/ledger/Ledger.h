#pragma once

#include "Rules.h"

#include "history/HistoryFiles.h"

#include <QString>

#include <vector>

namespace ledger {

// The ledger could not be opened, read or written. The message names the file. A damaged
// file, one that is not a ledger and one from a newer program are reported this way and
// left exactly as they are.
class LedgerError : public history::FileError {
public:
    using FileError::FileError;
};

// The tickets the player bought: tickets.sqlite in the data folder, an SQLite database in
// WAL mode with its schema version in PRAGMA user_version. Only tickets are stored, never
// their results. Every change is one transaction that waits for another copy of the
// program's change to finish, so two copies adding at once both keep their tickets, and a
// copy killed in the middle of a change leaves the ledger as it was before it.
class Ledger {
public:
    static constexpr int kSchemaVersion = 1;
    static QString fileName() { return QStringLiteral("tickets.sqlite"); }

    // Opens the ledger file at path and brings an older schema up to date. A missing file is
    // created when `create` is set, else it stays an empty ledger that is not made.
    Ledger(const QString& path, bool create);
    ~Ledger();
    Ledger(const Ledger&) = delete;
    Ledger& operator=(const Ledger&) = delete;

    // Stores the tickets, which must be buyable (ticketProblem), stamping those without a
    // time with now; returns their ids in order. A ticket with an id keeps it (a ledger read
    // back from its export); when the ledger already holds one of those ids nothing is stored
    // and LedgerError says so (the same file imported twice).
    std::vector<long long> add(const std::vector<Ticket>& tickets);
    // Removes the tickets of the given ids, all of them or, when any id is not in the
    // ledger, none; returns the ids not found.
    std::vector<long long> remove(const std::vector<long long>& ids);
    // Every ticket, by draw and then by id.
    std::vector<Ticket> tickets() const;

    const QString& path() const { return path_; }

private:
    void check();
    void migrate();
    // Runs statements in one write transaction, rolled back when `work` throws.
    template <typename Work> auto writing(Work work);
    [[noreturn]] void fail(const QString& what, const QString& detail) const;

    QString path_;
    QString connection_; // empty while the ledger is a missing file
};

} // namespace ledger
