// The load of the results window and the three fetching steps: the timestamp, the index
// file and the result file of one draw.
#include "DownloadForm.h"
#include "ResultFile.h"
#include "ShiftJis.h"

#include "ui/Numeric.h"

#include <QDir>
#include <QFile>

namespace download {

namespace {

constexpr long long kSecondsPerDay = 86400;
constexpr long long kSecondsPerHour = 3600;
constexpr long long kSecondsPerMinute = 60;
constexpr long long kBaseInstant = 1514732400; // 2018-01-01 00:00 in Japan
constexpr long long kBaseYear = 2018;

} // namespace

void DownloadForm::Form_Load() {
    const QDateTime now = host.now();
    Text1[0].text = now.date().toString(QStringLiteral("yyyy/MM/dd"));
    Text1[1].text = now.time().toString(QStringLiteral("HH:mm:ss"));
    Label2.caption.clear();
    MonthDays = {0, 31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};

    static const char16_t* const kGrd1Headings[] = {u"No",   u"回",   u"日付", u"結果",
                                                    u"口",   u"口",   u"口",   u"口",
                                                    u"配当", u"配当", u"配当", u"配当"};
    for (int c = 0; c < 12; ++c) {
        Grd1.setText(0, c, QString::fromUtf16(kGrd1Headings[c]));
        Grd2.setText(0, c, QString::fromUtf16(kGrd1Headings[c]));
    }
    for (int digit = 0; digit <= 9; ++digit)
        Grd2.setText(0, 12 + digit, QString::number(digit));
    Grd2.setText(0, ResultCol::HitFlag, QStringLiteral("当flg"));

    // Column widths in twips: narrow counts and digits, wider dates and payouts.
    for (ui::Grid* grid : {&Grd1, &Grd2}) {
        grid->setColWidth(0, 600);
        grid->setColWidth(1, 600);
        grid->setColWidth(2, 1050);
        grid->setColWidth(3, 600);
        for (int k = 0; k < 4; ++k) {
            grid->setColWidth(4 + k, 600);
            grid->setColWidth(8 + k, 1000);
        }
    }
    for (int c = 12; c < 22; ++c)
        Grd2.setColWidth(c, 360);
    Grd2.setColWidth(22, 600);
}

void DownloadForm::TSkeisan() {
    const QString& date = Text1[0].text;
    const QString& time = Text1[1].text;
    const long long year = ui::leadingInt(date.left(4));
    const long long month = ui::leadingInt(QStringView(date).mid(5, 2));
    const long long day = ui::leadingInt(date.right(2));
    const long long hour = ui::leadingInt(time.left(2));
    const long long minute = ui::leadingInt(QStringView(time).mid(3, 2));
    const long long second = ui::leadingInt(time.right(2));

    long long days = day - 1;
    // A month typed past 12 counts the whole year rather than reading beyond the table.
    for (long long m = 1; m < month && m <= 12; ++m)
        days += MonthDays[m];
    const long long timestamp = kBaseInstant + (year - kBaseYear) * 365 * kSecondsPerDay +
                                days * kSecondsPerDay + hour * kSecondsPerHour +
                                minute * kSecondsPerMinute + second;
    Label2.caption = QString::number(timestamp);
}

QString DownloadForm::indexAddress() const {
    return Label3[0].caption + Label3[1].caption + Label2.caption;
}

QString DownloadForm::resultAddress() const {
    return Label3[0].caption + Label3[2].caption + Label3[3].caption + Text2.text +
           QStringLiteral(".CSV?") + Label2.caption;
}

void DownloadForm::useBaseAddress(const QString& url) {
    Label3[0].caption = url.endsWith(u'/') ? url : url + u'/';
}

QString DownloadForm::resultPath() const {
    return files.appFile(Label3[5].caption);
}

bool DownloadForm::fetch(const QString& url, const QString& localPath, const QString& progress) {
    // The transfer runs off the window's thread: it gets its own copies and writes only
    // `failure`, which is read once it has ended.
    HttpClient& client = *http;
    client.stop = false;
    QString failure;
    const bool finished = host.runInBackground(
        [&client, url, localPath, &failure] { failure = client.download(url, localPath); },
        progress, client.stop);
    lastFailure = finished ? failure : QStringLiteral("中止しました。");
    host.processEvents();
    return finished;
}

bool DownloadForm::FNoget() {
    const QString local = files.appFile(Label3[4].caption);
    if (!fetch(indexAddress(), local, QStringLiteral("最新抽選回を確認中"))) {
        host.messageBox(QStringLiteral("最新抽選回の確認を中止しました。"));
        return false;
    }

    IndexFile index;
    if (lastFailure.isEmpty()) {
        files.CloseAll();
        QFile file(local);
        if (file.open(QIODevice::ReadOnly)) {
            index = parseIndexFile(decodeCp932(file.readAll()));
            if (!index.error.isEmpty())
                lastFailure = QStringLiteral("%1: %2").arg(Label3[4].caption, index.error);
        } else {
            lastFailure = file.errorString();
        }
    }
    if (!lastFailure.isEmpty()) {
        // A data folder that cannot be written is no matter of the connection.
        host.messageBox(http->failedLocally
                            ? QStringLiteral("最新抽選回を確認できません。%1").arg(lastFailure)
                            : QStringLiteral("Prefix番号取得にエラーが発生しました。\r"
                                             "インターネットに接続されているかご確認下さい。"));
        return false;
    }
    Label3[3].caption = index.prefix;
    Label3[6].caption = QString::number(index.latest);
    return true;
}

DownloadForm::StoredDates DownloadForm::storedDates(long long drawNo) const {
    StoredDates stored;
    QFile file(files.appFile(Label4[1].caption));
    if (!file.open(QIODevice::ReadOnly))
        return stored; // no history yet: nothing to compare with
    stored.count = history::recordCount(file.size());
    auto dateOf = [&](long long n) {
        if (n < 1 || n > stored.count || !file.seek((n - 1) * history::DrawRecord::kSize))
            return QDate();
        const QByteArray bytes = file.read(history::DrawRecord::kSize);
        if (bytes.size() != history::DrawRecord::kSize)
            return QDate();
        return QDate::fromString(history::DrawRecord::decode(bytes).dateText(),
                                 QStringLiteral("yyyyMMdd"));
    };
    stored.latest = dateOf(stored.count);
    stored.before = drawNo > stored.count ? stored.latest : dateOf(drawNo - 1);
    stored.after = dateOf(drawNo + 1);
    return stored;
}

bool DownloadForm::KekkaGet() {
    QString progress = QStringLiteral("抽選結果を取得中: 第%1回").arg(Text2.text.trimmed());
    if (runTotal_ > 0)
        progress += QStringLiteral("（%1/%2）").arg(runStep_).arg(runTotal_);
    if (!fetch(resultAddress(), resultPath(), progress)) {
        host.messageBox(QStringLiteral("第%1回の抽選結果の取得を中止しました。"
                                       "抽選履歴には追加していません。")
                            .arg(Text2.text.trimmed()));
        return false;
    }
    if (!lastFailure.isEmpty()) {
        host.messageBox(http->failedLocally
                            ? QStringLiteral("第%1回の抽選結果を保存できません。%2")
                                  .arg(Text2.text.trimmed(), lastFailure)
                            : QStringLiteral("最新抽選結果がダウンロードできませんでした。"));
        return false;
    }
    return true;
}

} // namespace download
