#include "parallel.h"

#include <algorithm>
#include <atomic>
#include <exception>
#include <mutex>
#include <thread>
#include <vector>

namespace vk::gen {

void runInParallel(std::size_t count, const std::function<void(std::size_t)>& job) {
    std::atomic<std::size_t> nextJob{0};
    std::atomic<bool> failed{false};
    std::exception_ptr firstError;
    std::mutex errorLock;
    auto work = [&] {
        for (std::size_t i = nextJob++; i < count && !failed; i = nextJob++) {
            try {
                job(i);
            } catch (...) {
                const std::lock_guard<std::mutex> lock(errorLock);
                if (!firstError) firstError = std::current_exception();
                failed = true;
            }
        }
    };
    const std::size_t threads = std::clamp<std::size_t>(std::thread::hardware_concurrency(), 1,
                                                        std::max<std::size_t>(count, 1));
    std::vector<std::thread> workers;
    for (std::size_t t = 1; t < threads; ++t) workers.emplace_back(work);
    work();
    for (std::thread& worker : workers) worker.join();
    if (firstError) std::rethrow_exception(firstError);
}

}  // namespace vk::gen
