// The spreadsheet export: the sheet XML editing, the export pictures' files and messages,
// and tessarin-cli's --xlsx. The cell values themselves are read back by check_sheets.py.
#include "export/SheetCells.h"
#include "export/Workbook.h"
#include "history/DataFolder.h"
#include "support/CliRun.h"
#include "support/PredictionHistory.h"

#include <QDir>
#include <QXmlStreamReader>

#include <zip.h>

#include <gtest/gtest.h>

namespace {

using exports::CellKind;
using exports::CellText;
using namespace testing_support;

// "dim REF", then "REF style type text" of every cell in document order, "+preserve" when
// the text keeps its blanks.
QStringList cellsOf(const QByteArray& xml) {
    QStringList out;
    QXmlStreamReader r(xml);
    QString cell;
    while (!r.atEnd()) {
        r.readNext();
        if (r.isStartElement() && r.name() == u"dimension")
            out << QStringLiteral("dim ") + r.attributes().value(QStringLiteral("ref")).toString();
        if (r.isStartElement() && r.name() == u"c") {
            const auto a = r.attributes();
            cell = QStringLiteral("%1 %2 %3 ")
                       .arg(a.value(QStringLiteral("r")), a.value(QStringLiteral("s")),
                            a.value(QStringLiteral("t")));
        }
        if (r.isStartElement() && (r.name() == u"t" || r.name() == u"v")) {
            const bool preserve = r.attributes().value(QStringLiteral("xml:space")) == u"preserve";
            cell += r.readElementText() + (preserve ? QStringLiteral("+preserve") : QString());
        }
        if (r.isEndElement() && r.name() == u"c")
            out << cell;
        if (r.hasError())
            return {r.errorString()};
    }
    return out;
}

const char* const kSheet =
    R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>)"
    R"(<worksheet xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main">)"
    R"(<dimension ref="B2:D5"/><sheetData>)"
    R"(<row r="2" spans="2:4"><c r="B2" s="1"/><c r="D2" s="2" t="s"><v>0</v></c></row>)"
    R"(<row r="5"><c r="B5" s="3"><v>12</v></c></row>)"
    R"(</sheetData><pageSetup/></worksheet>)";

TEST(SheetXml, CellsAreSetInPlaceInOrderAndFaultsAreNamed) {
    const struct {
        const char* name;
        exports::SheetCells cells;
        QStringList want;
    } cases[] = {
        {"between cells, styles kept",
         {{2, 3, "x"}, {2, 4, "y"}},
         {"dim B2:D5", "B2 1  ", "C2  inlineStr x", "D2 2 inlineStr y", "B5 3  12"}},
        {"new rows in order, below the sheet with the column's lowest style",
         {{3, 1, "a"}, {7, 2, "b"}, {9, 4, "d"}, {1, 1, "c"}},
         {"dim A1:D9", "A1  inlineStr c", "B2 1  ", "D2 2 s 0", "A3  inlineStr a", "B5 3  12",
          "B7 3 inlineStr b", "D9 2 inlineStr d"}},
        {"later value wins, empty text empties",
         {{5, 2, "first"}, {5, 2, ""}, {2, 2, " 1 "}},
         {"dim B2:D5", "B2 1 inlineStr  1 +preserve", "D2 2 s 0", "B5 3  "}},
        {"numbers and dates stored as such, anything else as text",
         {{2, 2, "625,000", CellKind::Number},
          {2, 4, "1996/09/17", CellKind::Date},
          {5, 2, "0249", CellKind::Number},
          {6, 2, "勝率:47%", CellKind::Number},
          {6, 4, "1996/13/01", CellKind::Date}},
         {"dim B2:D6", "B2 1  625000", "D2 2  35325", "B5 3 inlineStr 0249",
          "B6 3 inlineStr 勝率:47%", "D6 2 inlineStr 1996/13/01"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(cellsOf(exports::setCellTexts(kSheet, c.cells, "t.xlsx")), c.want);
    }
    EXPECT_THROW(exports::setCellTexts("<worksheet/>", {}, "t.xlsx"), exports::WorkbookError);

    // A missing template is named, and nothing is written.
    QTemporaryDir dir;
    const QString missing = dir.filePath("R7予想表ひな形.xlsx");
    try {
        exports::writeWorkbookCopy(missing, dir.filePath("out.xlsx"), {{1, 1, "x"}});
        ADD_FAILURE() << "no error";
    } catch (const exports::WorkbookError& e) {
        EXPECT_TRUE(e.message().contains(missing)) << e.message().toStdString();
    }
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList());
}

// The template with one more part: 9 MB of zeros, packed into a few kilobytes.
QByteArray inflatedTemplate() {
    QTemporaryDir dir;
    const QString path = dir.filePath("bomb.xlsx");
    QFile::copy(history::shippedFile("R7予想表ひな形.xlsx", dir.path()), path);
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
    static const QByteArray zeros(9 * 1024 * 1024, '\0');
    zip_t* z = zip_open(QFile::encodeName(path).constData(), 0, nullptr);
    zip_file_add(z, "xl/zeros.bin", zip_source_buffer(z, zeros.constData(), zeros.size(), 0), 0);
    zip_close(z);
    return readFile(path);
}

// The export picture's faults are told with the file named, and never leave a partial file or
// touch the template. A copy written, opened and numbered anew: check_sheets.py.
TEST(ExportPicture, FaultsNameTheFileAndLeaveNoPartialCopy) {
    const QString good = "予想表_第53回.xlsx";
    const QString bad = "R7予想表ひな形.xlsx";
    // Without a bad template in the data folder, no program can open the copy written.
    for (const auto& [name, badTemplate] : {std::pair{"no program to open it", QByteArray()},
                                            {"unreadable template", QByteArray("not a zip")},
                                            {"template unpacking to 9 MB", inflatedTemplate()}}) {
        SCOPED_TRACE(name);
        const bool written = badTemplate.isEmpty();
        const QString wantFile = written ? good : bad; // the .xlsx afterwards, named by the message
        Workspace ws;
        ws.writeHistory(handWorkedHistory());
        auto& f = ws.load();
        f.Combo1.text = "53";
        f.Combo1_Click();
        f.Command1_Click();
        f.Command2_Click();
        if (!written)
            writeFile(ws.path(bad), badTemplate);
        ws.host.canOpenFiles = !written;
        const QString shipped = history::shippedFile(bad, f.files.AppDir);
        const QByteArray templateBytes = readFile(shipped);
        const QStringList before = QDir(ws.path(".")).entryList(QDir::Files);
        f.Image3_Click();

        EXPECT_EQ(QDir(ws.path(".")).entryList({"*.xlsx"}, QDir::Files), QStringList{wantFile});
        EXPECT_EQ(QDir(ws.path(".")).entryList(QDir::Files).size(), before.size() + written);
        EXPECT_EQ(readFile(shipped), templateBytes);
        EXPECT_EQ(ws.host.openedFiles, written ? QStringList{ws.path(wantFile)} : QStringList());
        EXPECT_TRUE(told(ws.host, ws.path(wantFile)));
    }
}

TEST(ExportCli, XlsxOptionWritesTheSheetButNeverTheTemplate) {
    Workspace ws;
    ws.writeHistory(handWorkedHistory());
    const QString shipped = history::shippedFile("R7集計表ひな形.xlsx", ws.path("."));
    const QByteArray templateBytes = readFile(shipped);
    // The sheet is the last word; the last line names the template itself.
    for (const auto& [args, code] :
         {std::pair{QStringList{"predict", "--draw", "53", "--xlsx", "p.xlsx"}, cli::kOk},
          {QStringList{"verify", "--count", "2", "--xlsx", "t.xlsx"}, cli::kOk},
          {QStringList{"verify", "--count", "2", "--xlsx", shipped}, cli::kFailed}}) {
        const auto r = runCli(args);
        EXPECT_EQ(r.code, code) << args.join(' ').toStdString() << r.err.toStdString();
        EXPECT_TRUE(code != cli::kOk || readFile(ws.path(args.last())).startsWith("PK"));
    }
    EXPECT_EQ(readFile(shipped), templateBytes);
}

} // namespace
