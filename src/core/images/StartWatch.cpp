#include "core/images/StartWatch.h"

#include "core/browser/Clock.h"

namespace {

// Often enough that a failure shows without a noticeable wait.
constexpr int kLookEveryMilliseconds = 100;

} // namespace

StartWatch::StartWatch(std::unique_ptr<StartRecord> record, QString program, Clock& clock,
                       QObject* parent)
    : QObject(parent), m_record(std::move(record)), m_program(std::move(program)), m_clock(clock),
      m_start(clock.tickCount()) {
    connect(&m_timer, &QTimer::timeout, this, &StartWatch::look);
    m_timer.start(kLookEveryMilliseconds);
}

void StartWatch::look() {
    const std::optional<int> status = m_record->exitStatus();
    if (!status && ticksBetween(m_start, m_clock.tickCount()) < kStartWatchMilliseconds)
        return;
    // Stopped first: the message may be shown in a modal box, whose event loop runs the timer.
    m_timer.stop();
    if (status && *status != 0)
        Q_EMIT failed(failedStartText(m_program, *status, m_record->lastLines()));
    m_record.reset(); // the temporary files go now, not when the owner closes
    Q_EMIT finished();
    deleteLater();
}
