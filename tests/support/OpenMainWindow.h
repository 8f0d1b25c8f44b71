#pragma once

#include "MainWindow.h"
#include "QtHost.h"

namespace testing_support {

// The main window over the history in the working folder, the form loaded before the window
// is made, and shown. Host may be a QtHost that records what a test looks at.
template <typename Host = gui::QtHost> struct OpenMainWindow {
    OpenMainWindow() { window.show(); }

    Host host;
    history::AppModule module;
    mainwindow::MainForm form{host, module};
    gui::MainWindow window{(form.Form_Load(false), form), host};
};

// The first widget of type W under root whose text reads `text`, or null.
template <typename W> W* withText(QWidget& root, const QString& text) {
    for (auto* w : root.findChildren<W*>())
        if (w->text() == text)
            return w;
    return nullptr;
}

} // namespace testing_support
