#include "core/images/PresenceScan.h"

#include "core/images/ImageLocator.h"

#include <algorithm>

namespace {

// Two workers keep both cores of a small machine busy with look-ups; more gain nothing, the
// folder caches are per worker.
size_t workerCount() {
    return std::clamp<size_t>(std::thread::hardware_concurrency(), 1, 2);
}

} // namespace

PresenceScan::PresenceScan(size_t capacity)
    : m_paths(capacity), m_found(new std::atomic<signed char>[capacity]) {
    for (size_t i = 0; i < capacity; ++i)
        m_found[i].store(-1, std::memory_order_relaxed);
    const size_t workers = workerCount();
    for (size_t w = 0; w < workers; ++w)
        m_workers.emplace_back(&PresenceScan::scan, this, w, workers);
}

PresenceScan::~PresenceScan() {
    m_stop = true;
    for (std::thread& worker : m_workers)
        worker.join();
}

void PresenceScan::add(const QString& path) {
    const size_t index = m_added.load(std::memory_order_relaxed);
    m_paths[index] = path;
    m_added.store(index + 1, std::memory_order_release);
}

void PresenceScan::scan(size_t first, size_t stride) {
    ImageLocator locator;
    for (size_t i = first; i < m_paths.size(); i += stride) {
        while (m_added.load(std::memory_order_acquire) <= i) {
            if (m_stop)
                return;
            std::this_thread::yield();
        }
        m_found[i].store(locator.present(m_paths[i]) ? 1 : 0, std::memory_order_release);
    }
}

bool PresenceScan::present(size_t index) {
    // The workers are usually ahead; when they are not, the answer is a stat() away.
    signed char found;
    while ((found = m_found[index].load(std::memory_order_acquire)) < 0)
        std::this_thread::yield();
    return found == 1;
}
