#include "HandlerScope.h"
#include "QtHost.h"

#include "history/HistoryFiles.h"

namespace gui {

HandlerScope::HandlerScope(QtHost& host, Setup setup)
    : host_(host), setup_(std::move(setup)), previousParent_(host.parent),
      previousProgress_(host.progress) {
    host_.parent = setup_.over;
    if (setup_.progress)
        host_.progress = setup_.progress;
    if (setup_.running)
        *setup_.running = true;
}

HandlerScope::~HandlerScope() {
    host_.parent = previousParent_;
    host_.progress = previousProgress_;
    if (setup_.running)
        *setup_.running = false;
    if (setup_.refresh)
        setup_.refresh();
}

void HandlerScope::run(QtHost& host, Setup setup, history::HistoryFiles& files,
                       const std::function<void()>& handler) {
    const HandlerScope scope(host, std::move(setup));
    try {
        handler();
    } catch (const history::FileError& e) {
        files.CloseAll();
        host.messageBox(e.message());
    }
}

} // namespace gui
