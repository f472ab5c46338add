#include "core/browser/Clock.h"

#include <chrono>

quint32 SystemClock::tickCount() {
    using namespace std::chrono;
    const auto ms = duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
    return quint32(quint64(ms));
}
