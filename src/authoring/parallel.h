#pragma once
// Work spread over the machine's cores: decoding photos takes a good tenth of a second each, and a
// quiz may hold 192 of them.
#include <algorithm>
#include <atomic>
#include <cstddef>
#include <system_error>
#include <thread>
#include <vector>

namespace fenok::pack {

// More workers than this only add memory: each holds a decoded photo.
constexpr unsigned kMaxWorkers = 8;

// Runs work(i) for every i below count, on up to kMaxWorkers threads, this one among them.
template <typename Work>
void runInParallel(std::size_t count, const Work& work) {
  std::atomic<std::size_t> next{0};
  const auto worker = [&] {
    for (std::size_t i = next++; i < count; i = next++) work(i);
  };
  const unsigned cores = std::max(1u, std::min(std::thread::hardware_concurrency(), kMaxWorkers));
  std::vector<std::thread> helpers;
  for (unsigned i = 1; i < cores && i < count; ++i) {
    try {
      helpers.emplace_back(worker);
    } catch (const std::system_error&) {
      break;  // no more threads: the ones there are share the work
    }
  }
  worker();
  for (std::thread& helper : helpers) helper.join();
}

}  // namespace fenok::pack
