#include "QtHost.h"
#include "BusyBar.h"
#include "GuideWindow.h"

#include "cardprint/PaintedPrinter.h"

#include "ui/Controls.h"

#include <QApplication>
#include <QClipboard>
#include <QDesktopServices>
#include <QEventLoop>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDatabase>
#include <QLibraryInfo>
#include <QLocale>
#include <QMessageBox>
#include <QPixmap>
#include <QPointer>
#include <QPrintDialog>
#include <QPrinter>
#include <QScreen>
#include <QSoundEffect>
#include <QTimer>
#include <QTranslator>
#include <QUrl>

#include <exception>
#include <thread>
#include <utility>

namespace gui {

namespace {

// Keeps the user's input from the windows while long work runs, so that no handler starts in
// the middle of another; painting, moving and the bar's 中止 button go on. Closing a window
// asks the work to stop instead.
class InputGate : public QObject {
public:
    InputGate(QWidget* open, std::atomic_bool& stop) : open_(open), stop_(stop) {
        qApp->installEventFilter(this);
    }
    ~InputGate() override { qApp->removeEventFilter(this); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (!watched->isWidgetType())
            return false;
        switch (event->type()) {
        case QEvent::Close:
            stop_ = true;
            event->ignore();
            return true;
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
        case QEvent::Shortcut:
        case QEvent::ContextMenu: {
            auto* widget = static_cast<QWidget*>(watched);
            return !(open_ && (widget == open_ || open_->isAncestorOf(widget)));
        }
        default:
            return false;
        }
    }

private:
    QPointer<QWidget> open_;
    std::atomic_bool& stop_;
};

} // namespace

void QtHost::showMessage(const QString& text, const QString& title) {
    const Waiting waiting(waiting_);
    if (afterEvents)
        afterEvents();
    QMessageBox box(QMessageBox::Information, title, text, QMessageBox::Ok, parent);
    if (toAnswer_ > 0) {
        // A test's answer: the box is shown and closed with OK once its loop runs.
        --toAnswer_;
        answered.push_back({box.text(), box.windowTitle()});
        QTimer::singleShot(0, &box, [&box] { box.done(QMessageBox::Ok); });
    }
    box.exec();
}

bool QtHost::askQuestion(const QString& text, const QString& title) {
    const Waiting waiting(waiting_);
    if (afterEvents)
        afterEvents();
    QMessageBox box(QMessageBox::Question, title, text, QMessageBox::Yes | QMessageBox::No, parent);
    box.setDefaultButton(QMessageBox::No);
    if (!answers_.empty()) {
        const auto button = answers_.front() ? QMessageBox::Yes : QMessageBox::No;
        answers_.erase(answers_.begin());
        answered.push_back({box.text(), box.windowTitle()});
        QTimer::singleShot(0, &box, [&box, button] { box.done(button); });
    }
    return box.exec() == QMessageBox::Yes;
}

void QtHost::processEvents() {
    const Waiting waiting(waiting_);
    if (afterEvents)
        afterEvents();
    QApplication::processEvents();
}

std::unique_ptr<ui::Printer> QtHost::choosePrinter() {
    if (nextPrinter)
        return std::exchange(nextPrinter, nullptr)();
    const Waiting waiting(waiting_);
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    QPrintDialog dialog(printer.get(), parent);
    if (dialog.exec() != QDialog::Accepted)
        return nullptr;
    const QString file =
        printer->outputFormat() == QPrinter::PdfFormat ? printer->outputFileName() : QString();
    auto painted = std::make_unique<cardprint::PaintedPrinter>(std::move(printer));
    painted->setOutputFile(file);
    return painted;
}

namespace {

// "caption|patterns|caption|patterns" as Qt's filter list; the captions name their patterns.
QStringList qtFilters(const ui::FileDialog& dialog) {
    const QStringList parts = dialog.filter.split(u'|');
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2)
        filters << parts[i];
    return filters;
}

QString chooseFile(QWidget* parent, const ui::FileDialog& dialog, QFileDialog::AcceptMode mode) {
    QFileDialog chooser(parent);
    chooser.setAcceptMode(mode);
    chooser.setFileMode(mode == QFileDialog::AcceptSave ? QFileDialog::AnyFile
                                                        : QFileDialog::ExistingFile);
    const QStringList filters = qtFilters(dialog);
    chooser.setNameFilters(filters);
    if (dialog.filterIndex >= 1 && dialog.filterIndex <= filters.size())
        chooser.selectNameFilter(filters[dialog.filterIndex - 1]);
    // The file name is taken as typed: the caller decides about the extension.
    if (chooser.exec() != QDialog::Accepted || chooser.selectedFiles().isEmpty())
        return QString();
    return chooser.selectedFiles().first();
}

} // namespace

QString QtHost::saveFileName(const ui::FileDialog& dialog) {
    const Waiting waiting(waiting_);
    return chooseFile(parent, dialog, QFileDialog::AcceptSave);
}

QString QtHost::openFileName(const ui::FileDialog& dialog) {
    const Waiting waiting(waiting_);
    return chooseFile(parent, dialog, QFileDialog::AcceptOpen);
}

bool prepareApplication() {
    if (QFontDatabase::families().contains(QStringLiteral("IPAGothic"))) {
        QFont font(QStringLiteral("IPAGothic"));
        font.setPointSize(9);
        QApplication::setFont(font);
    }
    // Owned by the application, which keeps it for its whole life.
    auto* translator = new QTranslator(qApp);
    if (!translator->load(QLocale(QLocale::Japanese, QLocale::Japan), QStringLiteral("qtbase"),
                          QStringLiteral("_"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return false;
    }
    return QCoreApplication::installTranslator(translator);
}

// ---- exports, window capture, shutter sound ------------------------------------------------

QtHost::QtHost() = default;
QtHost::~QtHost() = default;

bool QtHost::openFile(const QString& path) {
    return QDesktopServices::openUrl(QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath()));
}

bool QtHost::showGuide(const QString& path) {
    if (!parent)
        return openFile(path);
    GuideWindow::open(path, parent->window());
    return true;
}

void QtHost::clearClipboard() {
    QGuiApplication::clipboard()->clear();
}

QString QtHost::clipboardText() const {
    return QGuiApplication::clipboard()->text();
}

void QtHost::copyScreenImage(bool windowOnly) {
    QPixmap image;
    if (windowOnly && parent)
        image = parent->window()->grab();
    else if (QScreen* screen = QGuiApplication::primaryScreen())
        image = screen->grabWindow(0);
    if (!image.isNull())
        QGuiApplication::clipboard()->setImage(image.toImage());
}

void QtHost::soundCommand(const QString& command, const QString& fileName) {
    if (command == QStringLiteral("Open")) {
        if (!QFileInfo(fileName).isFile())
            return;
        if (!sound_) {
            sound_ = std::make_unique<QSoundEffect>();
            QObject::connect(sound_.get(), &QSoundEffect::playingChanged, sound_.get(), [this] {
                if (!sound_->isPlaying() && soundDone)
                    soundDone();
            });
        }
        sound_->setSource(QUrl::fromLocalFile(QFileInfo(fileName).absoluteFilePath()));
    } else if (sound_ && command == QStringLiteral("Sound")) {
        sound_->play();
    } else if (sound_ && command == QStringLiteral("Close")) {
        sound_->stop();
    }
}

bool QtHost::soundLoading() const {
    return sound_ && sound_->status() == QSoundEffect::Loading;
}

bool QtHost::runInBackground(const std::function<void()>& work, const QString& progressText,
                             std::atomic_bool& stop) {
    const Waiting waiting(waiting_);
    if (afterEvents)
        afterEvents(); // the windows show the state the work starts from
    QPointer<BusyBar> bar = progress;
    shownPermille_ = -1;
    if (bar)
        bar->start(progressText, [&stop] { stop = true; });
    InputGate gate(bar, stop);

    QEventLoop loop;
    std::exception_ptr failure;
    std::thread worker([&] {
        try {
            work();
        } catch (...) {
            failure = std::current_exception();
        }
        QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
    });
    loop.exec();
    worker.join();
    if (bar)
        bar->finish();
    if (failure)
        std::rethrow_exception(failure);
    return !stop;
}

void QtHost::reportProgress(int done, int total) {
    const int permille = total > 0 ? static_cast<int>(1000LL * done / total) : 0;
    if (shownPermille_.exchange(permille) == permille)
        return;
    QPointer<BusyBar> bar = progress;
    if (bar)
        QMetaObject::invokeMethod(
            bar,
            [bar, done, total] {
                if (bar)
                    bar->setProgress(done, total);
            },
            Qt::QueuedConnection);
}

void QtHost::waitForEvents() {
    const Waiting waiting(waiting_);
    if (afterEvents)
        afterEvents();
    QApplication::processEvents(QEventLoop::WaitForMoreEvents);
}

void QtHost::watchTimer(ui::Timer& timer) {
    auto qtimer = std::make_unique<QTimer>();
    QObject::connect(qtimer.get(), &QTimer::timeout, [&timer] { timer.tick(); });
    QTimer* raw = qtimer.get();
    timer.onEnabledChanged = [&timer, raw] {
        if (timer.enabled)
            raw->start(timer.intervalMs);
        else
            raw->stop();
    };
    timers_[&timer] = std::move(qtimer);
}

void QtHost::forgetTimer(ui::Timer& timer) {
    timer.onEnabledChanged = nullptr;
    timers_.erase(&timer);
}

} // namespace gui
