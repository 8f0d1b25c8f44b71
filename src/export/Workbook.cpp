// Writing an .xlsx copy of a template: every zip entry is copied as it is, except the first
// worksheet, whose XML gets the cell values.
#include "Workbook.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <pugixml.hpp>
#include <zip.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <map>
#include <memory>
#include <sstream>
#include <string>

namespace exports {

namespace {

QString tr(const char* text) {
    return QString::fromUtf8(text);
}

// Column number of the letters at the start of a cell reference ("BC12" -> 55), 0 if none.
int columnOf(const char* ref, int* rowOut = nullptr) {
    int col = 0;
    const char* p = ref;
    for (; *p >= 'A' && *p <= 'Z'; ++p)
        col = col * 26 + (*p - 'A' + 1);
    if (rowOut)
        *rowOut = std::atoi(p);
    return col;
}

QString cellRef(int row, int col) {
    return columnLetters(col) + QString::number(row);
}

// Gives every row and cell an explicit number: the format allows them to be left out (the
// next one in order), and inserting a row or cell would then shift its neighbours.
void numberRowsAndCells(pugi::xml_node sheetData) {
    int row = 0;
    for (pugi::xml_node r : sheetData.children("row")) {
        const int given = r.attribute("r").as_int(0);
        row = given > 0 ? given : row + 1;
        if (given <= 0)
            r.append_attribute("r") = row;
        int col = 0;
        for (pugi::xml_node c : r.children("c")) {
            const pugi::xml_attribute ref = c.attribute("r");
            const int givenCol = ref ? columnOf(ref.value()) : 0;
            col = givenCol > 0 ? givenCol : col + 1;
            if (givenCol <= 0) {
                c.remove_attribute("r");
                c.append_attribute("r") = cellRef(row, col).toUtf8().constData();
            }
        }
    }
}

// The rows of sheetData and the cells of each row by number, so that every cell is found or
// placed without walking the sheet again: a sheet of thousands of rows stays linear.
class SheetIndex {
public:
    explicit SheetIndex(pugi::xml_node sheetData) : sheetData_(sheetData) {
        for (pugi::xml_node r : sheetData.children("row")) {
            Row& row = rows_[r.attribute("r").as_int()];
            if (row.node)
                continue; // a repeated row number: the first one holds the cells
            row.node = r;
            for (pugi::xml_node c : r.children("c")) {
                const int col = columnOf(c.attribute("r").value());
                row.cells.emplace(col, c);
                lowestStyle_[col] = c.attribute("s").value();
            }
        }
        lastRow_ = rows_.empty() ? 0 : rows_.rbegin()->first;
    }

    // The cell, made where the sheet has none.
    pugi::xml_node cell(int rowNo, int col) {
        auto [rowIt, newRow] = rows_.try_emplace(rowNo);
        Row& row = rowIt->second;
        if (newRow) {
            const auto next = std::next(rowIt);
            row.node = next != rows_.end()
                           ? sheetData_.insert_child_before("row", next->second.node)
                           : insertAfterLast(sheetData_, "row");
            row.node.append_attribute("r") = rowNo;
        }
        // "spans" is only a hint for readers, and may no longer hold.
        row.node.remove_attribute("spans");
        auto [cellIt, newCell] = row.cells.try_emplace(col);
        if (!newCell)
            return cellIt->second;
        const auto next = std::next(cellIt);
        pugi::xml_node c = next != row.cells.end() ? row.node.insert_child_before("c", next->second)
                                                   : insertAfterLast(row.node, "c");
        c.append_attribute("r") = cellRef(rowNo, col).toUtf8().constData();
        if (const auto style = lowestStyle_.find(col);
            rowNo > lastRow_ && style != lowestStyle_.end() && !style->second.empty())
            c.append_attribute("s") = style->second.c_str();
        cellIt->second = c;
        return c;
    }

private:
    struct Row {
        pugi::xml_node node;
        std::map<int, pugi::xml_node> cells;
    };

    // After the last child of that name (so before any extLst), or first when there is none.
    static pugi::xml_node insertAfterLast(pugi::xml_node parent, const char* name) {
        pugi::xml_node last = parent.last_child();
        while (last && std::string(last.name()) != name)
            last = last.previous_sibling();
        return last ? parent.insert_child_after(name, last) : parent.prepend_child(name);
    }

    pugi::xml_node sheetData_;
    std::map<int, Row> rows_;
    std::map<int, std::string> lowestStyle_; // of the template's lowest cell in each column
    int lastRow_ = 0;
};

// XML 1.0 cannot carry most control characters; they never belong in a cell text anyway.
std::string xmlSafe(const QString& text) {
    QString clean;
    clean.reserve(text.size());
    for (QChar ch : text)
        if (ch.unicode() >= 0x20 || ch == u'\t' || ch == u'\n' || ch == u'\r')
            clean.append(ch);
    return clean.toStdString();
}

// The stored value of a number or a date cell; empty when the text does not read as one.
std::string numericValue(const CellText& cell) {
    if (cell.kind == CellKind::Date) {
        const QDate date = QDate::fromString(cell.text, QStringLiteral("yyyy/MM/dd"));
        // Spreadsheets count days from 1899-12-30.
        return date.isValid()
                   ? std::to_string(date.toJulianDay() - QDate(1899, 12, 30).toJulianDay())
                   : std::string();
    }
    if (cell.kind != CellKind::Number)
        return {};
    // Digits, grouped by three from the right or not at all; a leading zero makes it a text
    // such as a winning number.
    const QString& t = cell.text;
    const qsizetype start = t.startsWith(u'-') ? 1 : 0;
    const QString digits = t.mid(start).remove(u',');
    const bool grouped = digits.size() != t.size() - start;
    if (digits.isEmpty() || (digits.size() > 1 && digits[0] == u'0') ||
        (grouped && (t.size() - start) % 4 == 0))
        return {};
    for (qsizetype i = start; i < t.size(); ++i) {
        const qsizetype fromRight = t.size() - i;
        const bool commaPlace = grouped && fromRight % 4 == 0;
        if (commaPlace ? t[i] != u',' : !t[i].isDigit() || t[i].unicode() > u'9')
            return {};
    }
    return (start ? std::string("-") : std::string()) + digits.toStdString();
}

void setCell(pugi::xml_node c, const CellText& cell) {
    c.remove_attribute("t");
    // Value metadata belongs to the value being replaced.
    c.remove_attribute("cm");
    c.remove_attribute("vm");
    while (c.first_child())
        c.remove_child(c.first_child());
    if (cell.text.isEmpty())
        return;
    if (const std::string value = numericValue(cell); !value.empty()) {
        c.append_child("v").text().set(value.c_str());
        return;
    }
    c.append_attribute("t") = "inlineStr";
    pugi::xml_node t = c.append_child("is").append_child("t");
    const std::string utf8 = xmlSafe(cell.text);
    if (!utf8.empty() && (std::isspace(static_cast<unsigned char>(utf8.front())) ||
                          std::isspace(static_cast<unsigned char>(utf8.back()))))
        t.append_attribute("xml:space") = "preserve";
    t.text().set(utf8.c_str());
}

void updateDimension(pugi::xml_node worksheet, pugi::xml_node sheetData) {
    pugi::xml_node dimension = worksheet.child("dimension");
    if (!dimension)
        return;
    int minRow = 0, maxRow = 0, minCol = 0, maxCol = 0;
    for (pugi::xml_node r : sheetData.children("row")) {
        for (pugi::xml_node c : r.children("c")) {
            int row = 0;
            const int col = columnOf(c.attribute("r").value(), &row);
            minRow = minRow == 0 ? row : std::min(minRow, row);
            maxRow = std::max(maxRow, row);
            minCol = minCol == 0 ? col : std::min(minCol, col);
            maxCol = std::max(maxCol, col);
        }
    }
    if (maxRow == 0)
        return;
    const QString ref = cellRef(minRow, minCol) + u':' + cellRef(maxRow, maxCol);
    dimension.attribute("ref").set_value(ref.toUtf8().constData());
}

// ---- the zip side ------------------------------------------------------------------------

struct ZipCloser {
    void operator()(zip_t* z) const { zip_discard(z); }
};
struct SourceFree {
    void operator()(zip_source_t* s) const { zip_source_free(s); }
};
using ZipPtr = std::unique_ptr<zip_t, ZipCloser>;
using SourcePtr = std::unique_ptr<zip_source_t, SourceFree>;

QByteArray readEntry(zip_t* archive, zip_uint64_t index) {
    zip_stat_t st;
    zip_stat_init(&st);
    if (zip_stat_index(archive, index, 0, &st) != 0 || !(st.valid & ZIP_STAT_SIZE))
        return {};
    std::unique_ptr<zip_file_t, int (*)(zip_file_t*)> file(zip_fopen_index(archive, index, 0),
                                                           zip_fclose);
    if (!file)
        return {};
    QByteArray bytes(static_cast<qsizetype>(st.size), Qt::Uninitialized);
    if (zip_fread(file.get(), bytes.data(), st.size) != static_cast<zip_int64_t>(st.size))
        return {};
    return bytes;
}

QByteArray readEntry(zip_t* archive, const QString& name) {
    const zip_int64_t index = zip_name_locate(archive, name.toUtf8().constData(), 0);
    return index < 0 ? QByteArray() : readEntry(archive, static_cast<zip_uint64_t>(index));
}

// The zip entry of the first worksheet, found through the workbook and its relationships.
QString firstSheetEntry(zip_t* archive) {
    pugi::xml_document workbook, rels;
    const QByteArray wbXml = readEntry(archive, QStringLiteral("xl/workbook.xml"));
    const QByteArray relXml = readEntry(archive, QStringLiteral("xl/_rels/workbook.xml.rels"));
    if (!workbook.load_buffer(wbXml.constData(), wbXml.size()) ||
        !rels.load_buffer(relXml.constData(), relXml.size()))
        return {};
    const pugi::xml_node sheet = workbook.child("workbook").child("sheets").child("sheet");
    // The relationship id is in the relationships namespace, usually as r:id.
    QString id;
    for (pugi::xml_attribute a : sheet.attributes()) {
        const std::string name = a.name();
        if (name.size() > 3 && name.ends_with(":id"))
            id = QString::fromUtf8(a.value());
    }
    for (pugi::xml_node rel : rels.child("Relationships").children("Relationship")) {
        if (QString::fromUtf8(rel.attribute("Id").value()) != id)
            continue;
        const QString target = QString::fromUtf8(rel.attribute("Target").value());
        if (target.startsWith(u'/'))
            return target.mid(1);
        return QDir::cleanPath(QStringLiteral("xl/") + target);
    }
    return {};
}

} // namespace

QString columnLetters(int col) {
    QString letters;
    for (; col > 0; col = (col - 1) / 26)
        letters.prepend(QChar(u'A' + (col - 1) % 26));
    return letters;
}

QByteArray setCellTexts(const QByteArray& sheetXml, const SheetCells& cells,
                        const QString& sheetName) {
    pugi::xml_document doc;
    const unsigned options =
        pugi::parse_default | pugi::parse_declaration | pugi::parse_ws_pcdata_single;
    pugi::xml_node worksheet;
    pugi::xml_node sheetData;
    if (doc.load_buffer(sheetXml.constData(), sheetXml.size(), options)) {
        worksheet = doc.child("worksheet");
        sheetData = worksheet.child("sheetData");
    }
    if (!sheetData)
        throw WorkbookError(tr("ひな形のシートが読めません: %1").arg(sheetName));
    numberRowsAndCells(sheetData);

    SheetIndex index(sheetData);
    for (const CellText& cell : cells)
        if (cell.row >= 1 && cell.col >= 1)
            setCell(index.cell(cell.row, cell.col), cell);
    updateDimension(worksheet, sheetData);

    std::ostringstream out;
    doc.save(out, "", pugi::format_raw | pugi::format_no_declaration, pugi::encoding_utf8);
    const std::string xml = out.str();
    return QByteArray(xml.data(), static_cast<qsizetype>(xml.size()));
}

void writeWorkbookCopy(const QString& templatePath, const QString& outPath,
                       const SheetCells& cells) {
    const QString shownTemplate = QDir::toNativeSeparators(templatePath);
    const QString shownOut = QDir::toNativeSeparators(outPath);
    QFile templateFile(templatePath);
    if (!templateFile.open(QIODevice::ReadOnly))
        throw WorkbookError(tr("ひな形のファイルが開けません: %1（%2）")
                                .arg(shownTemplate, templateFile.errorString()));
    const QString tooBig = tr("ひな形のファイルが大きすぎます（%1 バイト、上限 %2 バイト）: %3");
    if (templateFile.size() > kMaxTemplateBytes)
        throw WorkbookError(
            tooBig.arg(templateFile.size()).arg(kMaxTemplateBytes).arg(shownTemplate));
    const QByteArray templateBytes = templateFile.readAll();
    templateFile.close();

    const QString unreadable =
        tr("ひな形のファイルが読めません（.xlsx ではありません）: %1").arg(shownTemplate);
    zip_error_t error;
    zip_error_init(&error);
    // The template is read from memory: the file itself is never opened for writing.
    zip_source_t* rawIn = zip_source_buffer_create(
        templateBytes.constData(), static_cast<zip_uint64_t>(templateBytes.size()), 0, &error);
    if (!rawIn)
        throw WorkbookError(unreadable);
    ZipPtr in(zip_open_from_source(rawIn, ZIP_RDONLY | ZIP_CHECKCONS, &error));
    if (!in) {
        zip_source_free(rawIn);
        throw WorkbookError(unreadable);
    }
    // What the parts unpack to, as the archive declares it: a small file can hold a bomb.
    const zip_int64_t entries = zip_get_num_entries(in.get(), 0);
    qint64 unpacked = 0;
    for (zip_int64_t i = 0; i < entries && unpacked <= kMaxTemplateBytes; ++i) {
        zip_stat_t st;
        zip_stat_init(&st);
        if (zip_stat_index(in.get(), static_cast<zip_uint64_t>(i), 0, &st) != 0 ||
            !(st.valid & ZIP_STAT_SIZE))
            throw WorkbookError(unreadable);
        unpacked += static_cast<qint64>(std::min<zip_uint64_t>(st.size, kMaxTemplateBytes + 1));
    }
    if (unpacked > kMaxTemplateBytes)
        throw WorkbookError(tr("ひな形のファイルは展開すると大きすぎます（上限 %1 バイト）: %2")
                                .arg(kMaxTemplateBytes)
                                .arg(shownTemplate));
    const QString sheetEntry = firstSheetEntry(in.get());
    const zip_int64_t sheetIndex =
        sheetEntry.isEmpty() ? -1 : zip_name_locate(in.get(), sheetEntry.toUtf8().constData(), 0);
    if (sheetIndex < 0)
        throw WorkbookError(unreadable);
    const QByteArray sheetXml = setCellTexts(
        readEntry(in.get(), static_cast<zip_uint64_t>(sheetIndex)), cells, shownTemplate);

    // The copy is built in memory, then saved in one go.
    SourcePtr outBuffer(zip_source_buffer_create(nullptr, 0, 0, &error));
    if (!outBuffer)
        throw WorkbookError(tr("ブックを作れません: %1").arg(shownOut));
    zip_source_keep(outBuffer.get());
    ZipPtr out(zip_open_from_source(outBuffer.get(), ZIP_TRUNCATE, &error));
    if (!out) {
        zip_source_free(outBuffer.get()); // drops the reference kept for the archive
        throw WorkbookError(tr("ブックを作れません: %1").arg(shownOut));
    }
    for (zip_int64_t i = 0; i < entries; ++i) {
        const auto index = static_cast<zip_uint64_t>(i);
        const char* name = zip_get_name(in.get(), index, ZIP_FL_ENC_RAW);
        zip_source_t* entry = i == sheetIndex
                                  ? zip_source_buffer(out.get(), sheetXml.constData(),
                                                      static_cast<zip_uint64_t>(sheetXml.size()), 0)
                                  : zip_source_zip(out.get(), in.get(), index, ZIP_FL_COMPRESSED, 0,
                                                   -1); // copied packed
        if (!name || !entry)
            throw WorkbookError(unreadable);
        const zip_int64_t added = zip_file_add(out.get(), name, entry, ZIP_FL_ENC_RAW);
        if (added < 0) {
            zip_source_free(entry);
            throw WorkbookError(unreadable);
        }
        // The filled sheet is most of the work: the fastest deflate keeps a whole-history
        // tally sheet (megabytes of XML) well under a second, for a slightly larger file.
        if (i == sheetIndex)
            zip_set_file_compression(out.get(), static_cast<zip_uint64_t>(added), ZIP_CM_DEFLATE,
                                     1);
    }
    if (zip_close(out.get()) != 0)
        throw WorkbookError(tr("ブックを作れません: %1").arg(shownOut));
    out.release();

    QByteArray bytes;
    zip_stat_t st;
    zip_stat_init(&st);
    if (zip_source_stat(outBuffer.get(), &st) == 0 && zip_source_open(outBuffer.get()) == 0) {
        bytes.resize(static_cast<qsizetype>(st.size));
        const zip_int64_t got = zip_source_read(outBuffer.get(), bytes.data(), st.size);
        zip_source_close(outBuffer.get());
        if (got != static_cast<zip_int64_t>(st.size))
            bytes.clear();
    }
    if (bytes.isEmpty())
        throw WorkbookError(tr("ブックを作れません: %1").arg(shownOut));

    QSaveFile file(outPath);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        throw WorkbookError(
            tr("ブックを保存できません: %1（%2）").arg(shownOut, file.errorString()));
}

} // namespace exports
