#pragma once

#include "core/catalogue/MdbFrames.h"

#include <QString>

#include <sys/types.h>

#include <vector>

// The program that reads .mdb files for an import: kestrel-mdb-reader beside the running
// program or in the install's helper folder, or the one $KESTREL_MDB_READER names (a build
// tree's tests use that).
QString mdbReaderProgram();

// An .mdb file read in a process of its own. libmdb is not made for damaged files: one can
// make it crash, read past its buffers, loop or allocate gigabytes. The process runs with
// limits on memory and processor time and hands the rows over as frames (MdbFrames.h);
// whatever it does, this side ends in a CatalogueError with the reason alone (without the
// file name), and a process still running is killed.
class MdbReaderProcess {
public:
    // Starts the process and reads the list of tables.
    MdbReaderProcess(const QString& mdbPath, const QString& program = mdbReaderProgram());
    ~MdbReaderProcess();
    MdbReaderProcess(const MdbReaderProcess&) = delete;
    MdbReaderProcess& operator=(const MdbReaderProcess&) = delete;

    // The tables, in the order their rows come.
    const std::vector<MdbTableHeader>& tables() const { return m_tables; }

    // The next row of the current table, starting with the first; false at the table's end,
    // after which the next table is current.
    bool nextRow(std::vector<MdbValue>& values);

    // After the last table: the stream must end here and the process must have succeeded.
    void finish();

    // Processor time and address space the reading may take.
    static constexpr int kCpuSeconds = 30;
    static constexpr qint64 kMemoryBytes = qint64(1) << 30;

private:
    void start(const QString& mdbPath, const QString& program);
    void stop();
    MdbFrameReader::Status nextFrame();
    [[noreturn]] void fail(MdbFrameReader::Status status);
    [[noreturn]] void malformed();
    // Waits for the process to end (killing it first if asked); its wait status.
    int reap(bool kill);

    QString m_program;
    pid_t m_pid = -1;
    int m_fd = -1;
    MdbFrameReader m_frames{-1, 0};
    std::vector<MdbTableHeader> m_tables;
    size_t m_current = 0;
};
