// Feeds arbitrary bytes to the ticket ledger's CSV import; what it accepts must be buyable
// tickets that the export form reads back the same.
#include "ledger/TicketCsv.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes =
        QByteArray::fromRawData(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const ledger::CsvRead r = ledger::readTicketCsv(bytes, QStringLiteral("f.csv"));
    if (r.error.isEmpty() == r.tickets.empty())
        std::abort(); // tickets without a message or a message with tickets
    std::vector<ledger::Row> rows;
    for (const ledger::Ticket& t : r.tickets) {
        if (!ledger::ticketProblem(t).isEmpty() || t.source != ledger::Source::Import)
            std::abort();
        rows.push_back({t, {}, 0});
    }
    if (rows.empty())
        return 0;
    const ledger::CsvRead again =
        ledger::readTicketCsv(ledger::ticketCsv(rows), QStringLiteral("g.csv"));
    if (!again.error.isEmpty() || again.tickets != r.tickets)
        std::abort();
    return 0;
}
