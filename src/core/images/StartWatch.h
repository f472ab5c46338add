#pragma once

#include "core/images/DetachedStart.h"

#include <QObject>
#include <QTimer>

#include <memory>

class Clock;

// The first seconds of a program started with a record: if it ends within them with a
// failure, failed() brings the message with what it printed. Either way finished() follows
// once, and the watch lets go (the program runs on, detached) and deletes itself later.
class StartWatch : public QObject {
    Q_OBJECT
public:
    StartWatch(std::unique_ptr<StartRecord> record, QString program, Clock& clock,
               QObject* parent = nullptr);

Q_SIGNALS:
    void failed(const QString& message);
    void finished();

private:
    void look();

    std::unique_ptr<StartRecord> m_record;
    QString m_program;
    Clock& m_clock;
    quint32 m_start;
    QTimer m_timer;
};
