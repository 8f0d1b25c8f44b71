// The application cards: the print list, its transfer, the marks printed, the print positions
// and the print-list file; and tessarin-cli cards, whose real PDFs are rendered by poppler's
// pdftoppm and checked pixel by pixel.
#include "support/CliRun.h"
#include "support/TestHistory.h"

#include "cardprint/CardLayout.h"
#include "cardprint/PrintListForm.h"
#include "cardprint/TransferForm.h"

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QImage>
#include <QProcess>
#include <QThread>

#include <sys/resource.h>

#include <csignal>
#include <random>

using cardprint::Mark;
using cardprint::PrintListCol;
using testing_support::readFile;
using testing_support::Workspace;
using testing_support::writeFile;

namespace {

// Records what a print run paints; can be told to fail at a new page.
struct RecordingPrinter : ui::Printer {
    bool begin() override {
        pages.emplace_back();
        return true;
    }
    void setFont(const QString&, int) override {}
    void fillRect(int x, int y, int, int) override { pages.back().push_back({x, y}); }
    void drawText(int, int, const QString&) override {}
    bool newPage() override {
        if (failNewPage)
            why = QStringLiteral("paper jam");
        else
            pages.emplace_back();
        return !failNewPage;
    }
    bool end() override { return ended = why.isEmpty(); }
    QString error() const override { return why; }
    QString outputFile() const override { return file; }

    std::vector<std::vector<Mark>> pages;
    QString why, file;
    bool ended = false, failNewPage = false;
};

struct Cards {
    Workspace ws;
    cardprint::PrintListForm list{ws.host, ws.module};
    Cards() {
        ws.module.files.GetAppDir();
        list.Form_Load();
    }
    // Rows from texts "NNNN buy flag", numbered from 1.
    void fill(const QStringList& rows) {
        for (int r = 1; r <= rows.size(); ++r) {
            const QStringList f = rows[r - 1].split(u' ');
            list.PrintList.setText(r, PrintListCol::No, QString::number(r));
            for (int c = 1; c <= 4; ++c)
                list.PrintList.setText(r, c, f[0].mid(c - 1, 1));
            list.PrintList.setText(r, PrintListCol::BuyWay,
                                   f.value(1) == u"_" ? QString() : f.value(1));
            list.PrintList.setText(r, PrintListCol::Print, f.value(2));
        }
    }
    // Rows 1..count as "No|A|B|C|D|buy|flag".
    QStringList rows(int count) const {
        return testing_support::gridRows(list.PrintList, 1, count, 7);
    }
};

// The marks of a card whose slots 0, 1, ... hold these (buy type, number) with the default
// positions: in each slot the buy type, then Ａ to Ｄ.
std::vector<Mark> card(std::initializer_list<std::pair<int, QString>> numbers) {
    std::vector<Mark> m;
    int dy = 0;
    for (const auto& [buyType, digits] : numbers) {
        m.push_back({1180 + buyType * 720, 1120 + dy});
        for (int i = 0; i < 4; ++i)
            m.push_back({820 + digits[i].digitValue() * 360, 1920 - 200 * i + dy});
        dy += 1195;
    }
    return m;
}

void guiApp() {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    testing_support::qtApp<QGuiApplication>();
}

testing_support::CliRun cards(const QStringList& words) {
    return testing_support::runCli(QStringList{QStringLiteral("cards")} + words);
}

// The pages of a PDF at 144 dpi, where one pixel is ten twips.
std::vector<QImage> render(const QString& pdf) {
    const QString prefix = pdf + QStringLiteral(".page");
    EXPECT_EQ(QProcess::execute("pdftoppm", {"-r", "144", "-gray", pdf, prefix}), 0);
    std::vector<QImage> pages;
    for (int p = 1;; ++p) {
        QImage page(prefix + QStringLiteral("-%1.pgm").arg(p));
        if (page.isNull())
            break;
        pages.push_back(page);
    }
    return pages;
}

// Pixels of the page inside the mark's rectangle, and rings of pixels just outside it.
bool dark(const QImage& page, int x, int y) {
    return qGray(page.pixel(x, y)) < 100;
}
// A 200 x 50 twips mark at (x, y) twips fills pixels x/10 .. x/10+19, y/10 .. y/10+4, give or
// take the pixel at each edge.
void expectMark(const QImage& page, int xTwips, int yTwips) {
    const int x = xTwips / 10, y = yTwips / 10;
    EXPECT_TRUE(dark(page, x + 10, y + 2) && dark(page, x + 1, y + 1) && dark(page, x + 18, y + 3))
        << "no mark at " << xTwips << "," << yTwips;
    EXPECT_FALSE(dark(page, x - 2, y + 2) || dark(page, x + 22, y + 2) ||
                 dark(page, x + 10, y - 2) || dark(page, x + 10, y + 7))
        << "mark at " << xTwips << "," << yTwips << " larger than 200 x 50 twips";
}

int darkPixels(const QImage& page) {
    int n = 0;
    for (int y = 0; y < page.height(); ++y)
        for (int x = 0; x < page.width(); ++x)
            n += dark(page, x, y);
    return n;
}

} // namespace

// Five rows to a card; a bad row stops the print before anything is printed, and a printer's
// error is reported.
TEST(CardPrintTest, MarksFollowTheRowsFiveToACard) {
    const QString o = s(u"○"), x = s(u"×");
    const std::vector<Mark> worked{{1180, 1120}, {1180, 1920}, {1540, 1720}, {1900, 1520},
                                   {2260, 1320}, {1180, 2315}, {1180, 3115}, {1540, 2915},
                                   {1900, 2715}, {2260, 2515}};
    const std::vector<Mark> five =
        card({{0, "1234"}, {0, "1234"}, {0, "1234"}, {0, "1234"}, {0, "1234"}});
    struct Case {
        const char* what;
        QStringList rows;
        std::vector<std::vector<Mark>> pages;
        const char16_t* message = nullptr; // a part of the one message, when the print fails
        bool jam = false;                  // the printer fails to start a second sheet
    };
    const Case cases[] = {
        {"the worked example, slots 0 and 1", {"1234 S " + o, "1234 S " + o}, {worked}},
        {"six rows: the sixth on a second sheet, at slot 0",
         {"5678 B " + o, "5678 B " + o, "5678 B " + o, "5678 B " + o, "5678 B " + o, "9012 T " + o},
         {card({{1, "5678"}, {1, "5678"}, {1, "5678"}, {1, "5678"}, {1, "5678"}}),
          card({{2, "9012"}})}},
        {"an empty buy type takes the previous row's, S at first",
         {"0000 _ " + o, "1111 T " + o, "2222 _ " + o, "3333 Q " + o},
         {card({{0, "0000"}, {2, "1111"}, {2, "2222"}, {2, "3333"}})}},
        {"rows flagged × or not at all take no slot",
         {"1111 S " + x, "2222 B", "3333 T " + o, "4444 S " + x, "5555 B " + o},
         {card({{2, "3333"}, {1, "5555"}})}},
        {"a dash", {"1234 S " + o, "5678 S " + x, "12-4 S " + o}, {}, u"3行目"},
        {"three digits", {"1234 S " + o, "5678 S " + x, "123 S " + o}, {}, u"3行目"},
        {"nothing flagged: no blank sheet either", {"1234 S " + x}, {}, u"印刷が"},
        {"a paper jam", QStringList(6, "1234 S " + o), {five}, u"paper jam", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Cards cards;
        cards.fill(c.rows);
        RecordingPrinter printer;
        printer.failNewPage = c.jam;
        EXPECT_EQ(cards.list.PrintCard(printer), !c.message);
        EXPECT_EQ(printer.pages, c.pages);
        EXPECT_EQ(printer.ended, !c.message);
        EXPECT_TRUE(testing_support::told(cards.ws.host, c.message));
    }
}

// The print button counts the flagged rows by buy type and asks before the printer dialog;
// a print into a file names it. Nothing flagged opens nothing.
TEST(CardPrintTest, PrintButtonAsksWithCountAndCost) {
    const QString o = s(u"○");
    const struct {
        QStringList rows;
        bool yes;
        const char16_t* question; // nullptr: none asked
    } cases[] = {
        {{"1234 S " + o, "5678 B " + o, "1111 T " + o, "2222 B " + o, "3333 S " + s(u"×"),
          "4444 T " + o, "5555 S " + o},
         false,
         u"6口（2枚）を印刷します。購入額 ¥1,200\nストレート 2口、ボックス 2口、セット 2口"},
        {{"1234 B " + o}, true, u"1口（1枚）を印刷します。購入額 ¥200\nボックス 1口"},
        {{"1234 S " + s(u"×")}, true, nullptr},
    };
    for (const auto& c : cases) {
        Cards cards;
        cards.fill(c.rows);
        cards.ws.host.answers = {c.yes};
        cards.ws.host.nextPrinter = [] { // into a file, which the message after the print names
            auto p = std::make_unique<RecordingPrinter>();
            p->file = QStringLiteral("/tmp/cards.pdf");
            return p;
        };
        cards.list.Command6_Click();
        const bool printed = c.yes && c.question;
        EXPECT_EQ(cards.ws.host.printerDialogs, printed ? 1 : 0);
        ASSERT_EQ(cards.ws.host.questions.size(), c.question ? 1u : 0u);
        if (c.question) {
            EXPECT_EQ(cards.ws.host.questions[0].text, s(c.question));
        }
        // One message: the file printed, or nothing flagged.
        EXPECT_TRUE(testing_support::told(cards.ws.host, printed      ? u"/tmp/cards.pdf"
                                                         : c.question ? nullptr
                                                                      : u"印刷が"));
    }
}

// inji04.dat is written with the defaults on first use. Positions that print marks on one
// spot, over each other or off the card, and a short file, are told once naming the file and
// the way out, and never printed with; the print-position window shows what the file holds
// and saves only usable positions, keeping the bytes after them.
TEST(CardPrintTest, PositionsFileIsCheckedShownAndSaved) {
    {
        Cards cards;
        cards.list.Show();
        EXPECT_TRUE(cards.list.frmPrsetn4.visible);
        EXPECT_EQ(readFile(cards.ws.path("inji04.dat")),
                  cardprint::encodeInji({cardprint::kDefaultPositions, {}}));
        cards.list.Form_Unload(); // closing the print list takes its positions window along
        EXPECT_FALSE(cards.list.frmPrsetn4.visible);
    }
    const struct {
        cardprint::Positions pos;
        int fileBytes;
        const char16_t* problem; // nullptr: usable
    } cases[] = {
        {{2000, 1190, 210, 350, 800, -3}, 128, nullptr},
        {{0, 0, 0, 0, 0, 0}, 128, u"行の間隔 0 が"},
        {{1920, 1200, 200, 150, 820, 5}, 128, u"列の間隔 150"},
        {{1920, 600, 200, 360, 820, 5}, 128, u"枠の間隔 595"},
        {{1920, 1200, 200, 360, 3000, 5}, 128, u"カードの外"}, // right of it
        {cardprint::kDefaultPositions, 100, u"途中で切れています（100 バイト"},
    };
    for (const auto& c : cases) {
        Cards cards;
        const QString path = cards.ws.path(QStringLiteral("inji04.dat"));
        const QByteArray file =
            cardprint::encodeInji({c.pos, QByteArray(116, 'x')}).left(c.fileBytes);
        writeFile(path, file);
        cards.list.Form_Activate();
        cards.list.Form_Activate();
        ASSERT_EQ(cards.ws.host.messages.size(), c.problem ? 1u : 0u);
        for (const QString& part : {s(c.problem ? c.problem : u""), path, s(u"「印字位置設定」")})
            EXPECT_TRUE(!c.problem || cards.ws.host.messages[0].text.contains(part));
        EXPECT_FALSE(cards.list.frmPrsetn4.visible);
        cards.fill({"1234 S " + s(u"○")});
        RecordingPrinter printer;
        EXPECT_EQ(cards.list.PrintCard(printer), !c.problem);
        auto& window = cards.list.frmPrsetn4;
        window.Show();
        for (int i = 0; i < 6; ++i)
            EXPECT_EQ(window.Text1[i].text, QString::number(c.pos[i]));
        window.Command1_Click();
        const bool refused = c.problem && c.fileBytes == 128;
        EXPECT_EQ(window.visible, refused); // saving hides the window
        EXPECT_EQ(readFile(path), c.fileBytes < 128 ? cardprint::encodeInji({c.pos, {}}) : file);
    }
}

TEST(CardPrintTest, TransferNumbersRowsAcrossTheTickedLists) {
    Cards cards;
    mainwindow::MainForm& main = *cards.ws.form;
    const auto put = [](ui::Grid& g, int& count, QStringList numbers) {
        count = int(numbers.size());
        for (int i = 0; i < count; ++i)
            g.setText(i + 1, 1, numbers[i]);
    };
    put(main.GrdSS, main.basicCountS, {"0123", "0145", "2789"});
    put(main.GrdWW, main.basicCountW, {"1123"});
    put(main.GrdWW2, main.narrowCountW, {"5512", "9901"});
    cardprint::TransferForm transfer(main, cards.list);
    cards.list.PrintList.setText(6, PrintListCol::No, QStringLiteral("6"));
    cards.list.PrintList.setText(2, PrintListCol::Print, s(u"○"));
    transfer.Show();
    main.LabKai.caption = s(u"第7055回"); // the draw the lists stand for
    transfer.Check1[0].value = 0;         // nothing ticked: said, and nothing opens
    transfer.Check2[1].value = 0;
    transfer.Label1_Click(3);
    EXPECT_TRUE(!cards.list.visible && transfer.visible);
    ASSERT_EQ(cards.ws.host.messages.size(), 1u);
    cards.ws.host.messages.clear();
    transfer.Check1[0].value = 1;
    transfer.Check2[1].value = 1;
    transfer.Label1_Click(0); // only the transfer label transfers
    EXPECT_TRUE(cards.list.PrintList.text(1, PrintListCol::No).isEmpty());
    transfer.Label1_Click(3);
    EXPECT_EQ(cards.rows(6), (QStringList{"1|0|1|2|3||", "2|0|1|4|5||" + s(u"○"), "3|2|7|8|9||",
                                          "4|5|5|1|2||", "5|9|9|0|1||", "6||||||"}));
    EXPECT_TRUE(cards.list.visible && !transfer.visible);

    // More than the list holds: rows 1 to 1000, and a message about the rest.
    main.basicCountS = 999;
    transfer.Transfer();
    EXPECT_EQ(testing_support::gridRows(cards.list.PrintList, 1000, 1000, 2)[0], "1000|5"); // WW2
    ASSERT_FALSE(cards.ws.host.messages.empty());
    EXPECT_TRUE(cards.ws.host.messages.back().text.contains(QStringLiteral(" 1 件")));

    // A list not loaded yet is loaded before the transfer fills it, not emptied after.
    cards.list.Form_Unload();
    EXPECT_EQ(transfer.Transfer(), 1000);
    EXPECT_EQ(cards.list.PrintList.text(1, PrintListCol::DigitA), QStringLiteral("0"));
}

TEST(CardPrintTest, SaveWritesFlaggedRowsOnly) {
    const QString o = s(u"○");
    for (const auto& [chosen, written] :
         {std::pair{"cards", "cards.csv"}, {"cards.CSV", "cards.CSV.csv"}}) {
        Cards cards;
        QStringList rows;
        for (int i = 0; i < 10; ++i)
            rows << QStringLiteral("%1 S %2").arg(1000 + 111 * i).arg(i % 4 == 1 ? o : s(u"×"));
        rows[3] = "0042 S";
        cards.fill(rows);
        cards.ws.host.nextFileNames = {cards.ws.path(chosen)};
        cards.list.Command3_Click();
        EXPECT_EQ(readFile(cards.ws.path(written)), QByteArray("1111\r\n1555\r\n1999\r\n"));
        EXPECT_TRUE(testing_support::told(cards.ws.host, u"保存しました"));
    }
}

TEST(CardPrintTest, FailedSaveKeepsTheEarlierFile) {
    Cards cards;
    QStringList rows;
    for (int i = 0; i < 1000; ++i)
        rows << QStringLiteral("%1 S ").arg(i, 4, 10, QLatin1Char('0')) + s(u"○");
    cards.fill(rows);
    const QString path = cards.ws.path(QStringLiteral("old.csv"));
    writeFile(path, "4321\r\n");
    // A file-size limit makes the write fail part-way, as a full disk would.
    rlimit previous{};
    getrlimit(RLIMIT_FSIZE, &previous);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = previous;
    small.rlim_cur = 1000;
    setrlimit(RLIMIT_FSIZE, &small);
    const bool saved = cards.list.CsvOut(path);
    setrlimit(RLIMIT_FSIZE, &previous);
    std::signal(SIGXFSZ, oldHandler);
    EXPECT_FALSE(saved);
    EXPECT_EQ(readFile(path), QByteArray("4321\r\n"));
    ASSERT_EQ(cards.ws.host.messages.size(), 1u);
    EXPECT_FALSE(cards.ws.host.messages[0].text.contains(s(u"保存しました")));
    EXPECT_EQ(QDir(cards.ws.path(".")).entryList(QDir::Files).size(), 1) << "no temporary left";
}

// Setting every row's buy type and flag, then pasting: both pass the rows not in use.
TEST(CardPrintTest, SetAllAndPasteSkipTheRowsNotInUse) {
    Cards cards;
    cards.fill({"5555 S " + s(u"○"), "7 _ "});
    cards.list.PrintList.setText(2, PrintListCol::No, QString()); // typed, not numbered
    cards.list.Command1_Click(2);
    cards.list.Command2_Click(1);
    cards.ws.host.clipboard = QStringLiteral("0123\t9876\r\nabc\n");
    cards.list.Command5_Click();
    EXPECT_EQ(cards.rows(5), (QStringList{"1|5|5|5|5|T|" + s(u"×"), "|7|||||", "3|0|1|2|3||",
                                          "4|9|8|7|6||", "||||||"}));
    EXPECT_TRUE(testing_support::told(cards.ws.host, u"でない 1 件（最初は「abc」）"));
}

TEST(CardPrintTest, LoadFillsRowsAndSkipsWhatIsNotFourDigits) {
    struct Case {
        QByteArray file;
        QStringList rows; // row texts "No|A|B|C|D|buy|flag" for rows 1..n, then row n+1 untouched
        const char16_t* note; // the message, when there is one
    };
    const QString keep = QStringLiteral("|S|") + s(u"○");
    const QStringList oneLoaded = {"1|0|0|0|1||", "2|5|5|5|5||", "3|5|5|5|5" + keep};
    const Case cases[] = {
        {"0123\r\n9876\r\n", {"1|0|1|2|3||", "2|9|8|7|6||", "3|5|5|5|5" + keep}, nullptr},
        {"1234,5678\n", {"1|1|2|3|4||", "2|5|6|7|8||", "3|5|5|5|5" + keep}, nullptr},
        {"\xEF\xBB\xBF \"0042\" ,12,abcd,12345\r\n\r\n7777",
         {"1|0|0|4|2||", "2|7|7|7|7||", "3|5|5|5|5" + keep},
         u"でない 3 件（最初は「12」）"},
        // A line is read whole, however long: no field is cut in two.
        {QByteArray(4091, ',') + "12345678\r\n0001", oneLoaded, u" 1 件（最初は「12345678」）"},
        {QByteArray("12_4\r\n0001").replace('_', '\0'), oneLoaded, u"「12<00>4」"},
        {"\"1234\"5\r\n0001", oneLoaded, u"「\"1234\"5」"},
        // Nothing to load changes nothing and says so.
        {"", {"1|5|5|5|5||", "2|5|5|5|5||", "3|5|5|5|5" + keep}, u"４桁の数字がありません"},
        {"12,abc\r\n", {"1|5|5|5|5||", "2|5|5|5|5||", "3|5|5|5|5" + keep}, u"を読み込めません"},
        // More than the list holds.
        {QByteArray("1000\n1001\n1002\n").repeated(334) + "1003",
         {"1|1|0|0|0||", "2|1|0|0|1||", "3|1|0|0|2" + keep},
         u"1000 行までのため、残りの 3 件"},
    };
    for (const Case& c : cases) {
        Cards cards;
        cards.fill({"5555 _ ", "5555 _ ", "5555 S " + s(u"○")});
        writeFile(cards.ws.path("in.txt"), c.file);
        cards.ws.host.nextFileNames = {cards.ws.path("in.txt")};
        cards.list.Command4_Click();
        EXPECT_EQ(cards.rows(3), c.rows);
        EXPECT_TRUE(testing_support::told(cards.ws.host, c.note));
    }
}

TEST(CardPdfTest, ListPrintsWhereTheMarksBelong) {
    guiApp();
    Workspace ws;
    writeFile(ws.path("list.csv"), "1234\r\n0987\r\n1111\r\n2222\r\n3333\r\n4567\r\n");
    const auto r = cards({ws.path("list.csv"), "--pdf", ws.path("out.pdf"), "--buy", "B"});
    ASSERT_EQ(r.code, 0) << r.err.toStdString();
    EXPECT_FALSE(QFile::exists(ws.path("inji04.dat"))) << "the command only reads the positions";
    const std::vector<QImage> pages = render(ws.path("out.pdf"));
    ASSERT_EQ(pages.size(), 2u);
    EXPECT_EQ(r.out, s(u"6口（2枚）を ") + ws.path("out.pdf") + s(u" に印刷しました。\n"));
    EXPECT_NEAR(pages[0].width(), 1190.55, 1); // A4 at 144 dpi
    // Each mark's place on the card: MarksFollowTheRowsFiveToACard. Here the page is where they
    // land: row 1's B and Ａ marks in slot 0, row 2's digit 9 in slot 1, row 6 alone on the second
    // sheet; the dark areas count the marks.
    for (const auto& [x, y] : {std::pair{1900, 1120}, {1180, 1920}, {4060, 2915}})
        expectMark(pages[0], x, y);
    for (const auto& [x, y] : {std::pair{1900, 1120}, {3340, 1320}})
        expectMark(pages[1], x, y);
    EXPECT_NEAR(darkPixels(pages[1]), 5 * 20 * 5, 5 * 2 * 25);
    EXPECT_NEAR(darkPixels(pages[0]), 25 * 20 * 5, 25 * 2 * 25);
}

TEST(CardPdfTest, CalibrationUsesTheFoldersPositions) {
    guiApp();
    Workspace ws;
    writeFile(ws.path("inji04.dat"), cardprint::encodeInji({{2400, 1200, 250, 400, 900, 5}, {}}));
    const auto r = cards({"--calibration", "--pdf", ws.path("cal.pdf")});
    ASSERT_EQ(r.code, 0) << r.err.toStdString();
    const std::vector<QImage> pages = render(ws.path("cal.pdf"));
    ASSERT_EQ(pages.size(), 1u);
    for (int row = 0; row < 4; ++row)
        for (int d = 0; d <= 9; ++d)
            expectMark(pages[0], 900 + d * 400, 2400 - row * 250);
    for (int b = 0; b < 3; ++b)
        expectMark(pages[0], 900 + 400 + b * 800, 2400 - 1000);
}

TEST(CardPdfTest, ListingAndUsage) {
    guiApp();
    Workspace ws;
    writeFile(ws.path("list.csv"), "1234\r\nx\r\n0987\r\n");
    const auto r = cards({ws.path("list.csv"), "--list", "--buy", "T"});
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(r.out, "1\t1234\tT\t" + s(u"○") + "\n2\t0987\tT\t" + s(u"○") + "\n");
    EXPECT_TRUE(r.err.contains(QStringLiteral("「x」"))) << r.err.toStdString();
    // Usage faults exit with 2 ("L" stands for the list file).
    for (const char* bad : {"L", "L --list --pdf a", "L --list --buy X", "--calibration",
                            "L --list --record", "--calibration --pdf a --record"})
        EXPECT_EQ(cards(QString(bad).replace(u'L', ws.path("list.csv")).split(u' ')).code, 2)
            << bad;
    // Faults exit with 1, naming the file and why, and write nothing.
    writeFile(ws.path("empty.csv"), "");
    const std::pair<QStringList, QString> faults[] = {
        {{ws.path("missing.csv"), "--list"}, "missing.csv"},
        {{ws.path("empty.csv"), "--list"}, s(u"４桁の数字がありません")},
        {{ws.path("list.csv"), "--pdf", "/nonexistent/x.pdf"},
         "/nonexistent/x.pdf を作れません: No"},
        {{ws.path("list.csv"), "--pdf", ws.path("out.pdf")}, ws.path("inji04.dat")},
    };
    for (const auto& [args, why] : faults) {
        if (why == ws.path("inji04.dat")) // every mark on one spot
            writeFile(why, QByteArray(128, '\0'));
        const auto refused = cards(args);
        EXPECT_TRUE(refused.code == 1 && refused.err.contains(why)) << refused.err.toStdString();
    }
    EXPECT_FALSE(QFile::exists(ws.path("out.pdf")));
}

// A print killed at any moment leaves the PDF it replaces, or the new one, whole.
TEST(CardPdfTest, KilledPrintLeavesAWholePdf) {
    Workspace ws;
    writeFile(ws.path("list.csv"), QByteArray("1234\r\n0987\r\n").repeated(500));
    const QStringList args{"cards", ws.path("list.csv"), "--pdf", ws.path("out.pdf")};
    QElapsedTimer clock;
    clock.start();
    ASSERT_EQ(QProcess::execute(TESSARIN_CLI, args), 0);
    const int fullMs = static_cast<int>(clock.elapsed());
    std::mt19937 random(19);
    for (int kill = 0; kill < 20; ++kill) {
        const QByteArray before = readFile(ws.path("out.pdf"));
        QProcess p;
        p.start(TESSARIN_CLI, args);
        QThread::msleep(random() % fullMs);
        p.kill();
        p.waitForFinished();
        const QByteArray after = readFile(ws.path("out.pdf"));
        EXPECT_TRUE(after == before || after.endsWith("%%EOF\n")) << kill << ": " << after.size();
    }
}
