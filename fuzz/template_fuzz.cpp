// Feeds arbitrary bytes to the export as its template workbook: it either refuses with a
// message or writes a workbook, in bounded memory (libFuzzer's memory limit catches a bomb).
#include "export/Workbook.h"

#include <QFile>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static QTemporaryDir dir;
    const QString templatePath = dir.filePath(QStringLiteral("template.xlsx"));
    const QString outPath = dir.filePath(QStringLiteral("out.xlsx"));
    {
        QFile file(templatePath);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
            file.write(reinterpret_cast<const char*>(data), static_cast<qint64>(size)) !=
                static_cast<qint64>(size))
            std::abort();
    }
    QFile::remove(outPath);
    const exports::SheetCells cells = {
        {3, 2, QStringLiteral("第7055回")}, {8, 3, QStringLiteral("0123")}, {1, 30, QString()}};
    try {
        exports::writeWorkbookCopy(templatePath, outPath, cells);
    } catch (const exports::WorkbookError& e) {
        if (e.message().isEmpty() || QFile::exists(outPath))
            std::abort(); // a refusal says why and leaves nothing behind
        return 0;
    }
    QFile out(outPath);
    if (!out.open(QIODevice::ReadOnly) || out.read(2) != "PK")
        std::abort(); // a workbook was written whole
    return 0;
}
