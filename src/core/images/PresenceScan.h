#pragma once

#include <QString>

#include <atomic>
#include <memory>
#include <thread>
#include <vector>

// Looks for image files on worker threads while the caller writes codes: the caller adds the
// paths of a walk as it goes, the workers look them up in order (one stat() and, for names
// that differ in case, a cached folder listing each), and the caller takes the answers in the
// same order. The file look-ups and the catalogue work overlap instead of adding up. The
// workers touch nothing but the file system.
class PresenceScan {
public:
    // Room for `capacity` paths; the workers start at once and wait for paths.
    explicit PresenceScan(size_t capacity);
    ~PresenceScan();
    PresenceScan(const PresenceScan&) = delete;
    PresenceScan& operator=(const PresenceScan&) = delete;

    // Adds the next path (at most `capacity` in all).
    void add(const QString& path);

    // Whether the image of the path added as `index` is present; waits for the workers.
    bool present(size_t index);

private:
    void scan(size_t first, size_t stride);

    std::vector<QString> m_paths;
    std::unique_ptr<std::atomic<signed char>[]> m_found; // -1 not yet looked at
    std::atomic<size_t> m_added{0};
    std::atomic<bool> m_stop{false};
    std::vector<std::thread> m_workers;
};
