// tessarin-cli cards: real PDFs, rendered by poppler's pdftoppm and checked pixel by pixel.
#include "support/CliRun.h"
#include "support/TestHistory.h"

#include "cardprint/CardLayout.h"

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QImage>
#include <QProcess>
#include <QThread>

#include <random>

using testing_support::Workspace;
using testing_support::writeFile;

namespace {

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
    // Each mark's place on the card: CardPrintTest. Here the page is where they land: row 1's
    // B and Ａ marks in slot 0, row 2's digit 9 in slot 1, row 6 alone on the second sheet;
    // the dark areas count the marks.
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
        const QByteArray before = testing_support::readFile(ws.path("out.pdf"));
        QProcess p;
        p.start(TESSARIN_CLI, args);
        QThread::msleep(random() % fullMs);
        p.kill();
        p.waitForFinished();
        const QByteArray after = testing_support::readFile(ws.path("out.pdf"));
        EXPECT_TRUE(after == before || after.endsWith("%%EOF\n")) << kill << ": " << after.size();
    }
}
