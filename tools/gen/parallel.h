// Runs independent jobs on all cores; the generator's output files do not depend on
// each other, so they are made side by side.
#pragma once

#include <cstddef>
#include <functional>

namespace vk::gen {

// Calls job(0) .. job(count - 1), each once, on up to the machine's number of threads.
// Rethrows the first exception after every thread has stopped.
void runInParallel(std::size_t count, const std::function<void(std::size_t)>& job);

}  // namespace vk::gen
