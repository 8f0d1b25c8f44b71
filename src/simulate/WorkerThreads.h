#pragma once

#include "SimulationTally.h"

#include <atomic>
#include <functional>

namespace simulate {

// Runs job(t) for t = 0 .. threads - 1, each on a thread of its own, while the calling thread
// calls progress(done, total) every 20 ms; progress returning false sets stop, which the jobs
// watch. Returns once every job has ended: false when stopped. A job that throws sets stop
// and, once all have ended, its exception (the first one) is rethrown here.
bool runOnThreads(int threads, const std::function<void(int)>& job, const std::atomic<int>& done,
                  int total, std::atomic<bool>& stop, const TallyProgress& progress);

} // namespace simulate
