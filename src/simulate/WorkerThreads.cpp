#include "WorkerThreads.h"

#include <chrono>
#include <exception>
#include <mutex>
#include <thread>
#include <vector>

namespace simulate {

bool runOnThreads(int threads, const std::function<void(int)>& job, const std::atomic<int>& done,
                  int total, std::atomic<bool>& stop, const TallyProgress& progress) {
    std::atomic<int> finished{0};
    std::exception_ptr failure;
    std::mutex failureLock;
    std::vector<std::thread> pool;
    for (int t = 0; t < threads; ++t)
        pool.emplace_back([&, t] {
            // An exception leaving a thread would end the program.
            try {
                job(t);
            } catch (...) {
                const std::lock_guard lock(failureLock);
                if (!failure)
                    failure = std::current_exception();
                stop = true;
            }
            ++finished;
        });
    while (finished.load() < threads) {
        if (progress && !stop.load() && !progress(done.load(), total))
            stop = true;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    for (auto& t : pool)
        t.join();
    if (failure)
        std::rethrow_exception(failure);
    return !stop.load();
}

} // namespace simulate
