#pragma once

#include "Rules.h"

#include <QByteArray>
#include <QString>

#include <vector>

namespace ledger {

// A ticket with its result, as the list shows it. expectedYen is the chance expectation,
// 0 while pending.
struct Row {
    Ticket ticket;
    Outcome outcome;
    double expectedYen = 0;
};

// The CSV form of the ledger: a heading line "id,draw,number,type,units,cost,status,prize"
// and one line per row, UTF-8, lines ended by CR LF.
QByteArray ticketCsv(const std::vector<Row>& rows);

// Tickets read back from a CSV file: the heading line names the columns, of which draw,
// number and type are needed; units is read when present (else 1) and id when present (an
// empty id is a new ticket). Cost, status and prize are the ledger's and the history's to
// say, and other columns are passed over. A field may stand in double quotes. Any line that
// is not a ticket that can be bought, or repeats an id, makes the whole file refused: error
// names the file, the line and the reason, and tickets is empty. The tickets come as
// Source::Import without a time.
struct CsvRead {
    std::vector<Ticket> tickets;
    QString error;
};
CsvRead readTicketCsv(const QByteArray& bytes, const QString& fileName);

} // namespace ledger
