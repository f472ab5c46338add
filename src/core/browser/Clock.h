#pragma once

#include <QtGlobal>

// The millisecond tick count that searches and audits are timed with. It wraps after about
// 49.7 days, so differences are taken as unsigned 32-bit values.
class Clock {
public:
    virtual ~Clock() = default;
    virtual quint32 tickCount() = 0;
};

class SystemClock : public Clock {
public:
    quint32 tickCount() override;
};

// A clock that moves only when told to, for tests.
class FakeClock : public Clock {
public:
    quint32 tickCount() override { return m_now; }
    void set(quint32 now) { m_now = now; }
    void advance(quint32 ms) { m_now += ms; }

private:
    quint32 m_now = 0;
};

inline quint32 ticksBetween(quint32 start, quint32 end) {
    return end - start;
}
