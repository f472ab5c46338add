#include "core/catalogue/MdbReaderProcess.h"

#include "core/Sanitizers.h"

#include "core/Failures.h"
#include "core/settings/InstalledFiles.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <csignal>
#include <cstring>

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// A catalogue gives a few times its own size as frames (a yes/no field takes no byte in the
// file but nine in a frame); far more means the reading runs in circles.
constexpr qint64 kOutputBase = qint64(256) << 20;
constexpr qint64 kOutputPerFileByte = 64;

QString programName() {
    return QStringLiteral("kestrel-mdb-reader");
}

CatalogueError cannotStart(const QString& program, const QString& reason) {
    return CatalogueError(
        QStringLiteral("The program that reads .mdb files cannot be started:\n%1\n%2")
            .arg(program, reason));
}

} // namespace

QString mdbReaderProgram() {
    const QString chosen = qEnvironmentVariable("KESTREL_MDB_READER");
    if (!chosen.isEmpty())
        return chosen;
    return helperProgram(QCoreApplication::applicationDirPath(), programName());
}

MdbReaderProcess::MdbReaderProcess(const QString& mdbPath, const QString& program)
    : m_program(program) {
    start(mdbPath, program);
    try {
        m_frames =
            MdbFrameReader(m_fd, kOutputBase + kOutputPerFileByte * QFileInfo(mdbPath).size());
        const MdbFrameReader::Status status = nextFrame();
        if (status != MdbFrameReader::Status::Frame)
            fail(status);
        if (m_frames.kind() != MdbFrame::Header || !decodeMdbHeader(m_frames.payload(), m_tables))
            malformed();
    } catch (...) {
        stop(); // no destructor runs for a constructor that throws
        throw;
    }
}

MdbReaderProcess::~MdbReaderProcess() {
    stop();
}

void MdbReaderProcess::stop() {
    if (m_pid > 0)
        reap(true);
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = -1;
}

void MdbReaderProcess::start(const QString& mdbPath, const QString& program) {
    QByteArray executable = QFile::encodeName(program);
    QByteArray file = QFile::encodeName(mdbPath);
    if (!QFileInfo(program).isExecutable())
        throw cannotStart(program, QStringLiteral("It is missing or not executable."));
    int pipe[2];
    if (::pipe2(pipe, O_CLOEXEC) != 0)
        throw cannotStart(program, QString::fromLocal8Bit(std::strerror(errno)));
    const int nothing = ::open("/dev/null", O_RDONLY | O_CLOEXEC);

    // Everything the child needs is made before the fork: after it, in a program with
    // threads, only system calls are safe until the exec.
    char* argv[] = {executable.data(), file.data(), nullptr};
    const rlimit cpu{rlim_t(kCpuSeconds), rlim_t(kCpuSeconds + 1)}; // SIGXCPU, then SIGKILL
    const rlimit memory{rlim_t(kMemoryBytes), rlim_t(kMemoryBytes)};
    const rlimit noCore{0, 0};
    sigset_t none;
    sigemptyset(&none);

    const pid_t pid = ::fork();
    if (pid == 0) {
        ::dup2(pipe[1], STDOUT_FILENO);
        if (nothing >= 0)
            ::dup2(nothing, STDIN_FILENO);
        ::close_range(3, ~0u, 0); // only standard input, output and error go across
        ::setrlimit(RLIMIT_CPU, &cpu);
        if (!kUnderAddressSanitizer)
            ::setrlimit(RLIMIT_AS, &memory); // the sanitizer's shadow memory needs far more
        ::setrlimit(RLIMIT_CORE, &noCore);
        ::signal(SIGPIPE, SIG_DFL);
        ::sigprocmask(SIG_SETMASK, &none, nullptr);
        ::execv(argv[0], argv);
        ::_exit(127);
    }
    const int forkError = errno;
    ::close(pipe[1]);
    if (nothing >= 0)
        ::close(nothing);
    if (pid < 0) {
        ::close(pipe[0]);
        throw cannotStart(program, QString::fromLocal8Bit(std::strerror(forkError)));
    }
    m_pid = pid;
    m_fd = pipe[0];
}

MdbFrameReader::Status MdbReaderProcess::nextFrame() {
    const MdbFrameReader::Status status = m_frames.next();
    if (status == MdbFrameReader::Status::Frame && m_frames.kind() == MdbFrame::Refusal) {
        reap(true);
        const QByteArray& reason = m_frames.payload();
        throw CatalogueError(reason.isEmpty()
                                 ? mdbDamaged(QStringLiteral("it cannot be read")).message()
                                 : QString::fromUtf8(reason));
    }
    return status;
}

bool MdbReaderProcess::nextRow(std::vector<MdbValue>& values) {
    const MdbFrameReader::Status status = nextFrame();
    if (status != MdbFrameReader::Status::Frame)
        fail(status);
    if (m_current >= m_tables.size())
        malformed();
    if (m_frames.kind() == MdbFrame::EndOfTable && m_frames.payload().isEmpty()) {
        ++m_current;
        return false;
    }
    if (m_frames.kind() != MdbFrame::Row ||
        !decodeMdbRow(m_frames.payload(), m_tables[m_current].columns.size(), values))
        malformed();
    return true;
}

void MdbReaderProcess::finish() {
    if (m_current != m_tables.size())
        malformed();
    const MdbFrameReader::Status status = nextFrame();
    if (status != MdbFrameReader::Status::End)
        fail(status == MdbFrameReader::Status::Frame ? MdbFrameReader::Status::Malformed : status);
    const int wait = reap(false);
    if (!WIFEXITED(wait) || WEXITSTATUS(wait) != 0)
        fail(MdbFrameReader::Status::End);
}

void MdbReaderProcess::malformed() {
    fail(MdbFrameReader::Status::Malformed);
}

void MdbReaderProcess::fail(MdbFrameReader::Status status) {
    using Status = MdbFrameReader::Status;
    // At the end of the stream the process has ended or is ending: how it ended says why.
    const bool ended = status == Status::End || status == Status::Truncated;
    const int wait = m_pid > 0 ? reap(!ended) : 0;
    if (ended && WIFSIGNALED(wait)) {
        const int signal = WTERMSIG(wait);
        if (signal == SIGXCPU)
            throw mdbDamaged(QStringLiteral("reading it took more than %1 seconds of processor "
                                            "time")
                                 .arg(kCpuSeconds));
        throw mdbDamaged(QStringLiteral("reading it failed (%1), though a whole catalogue "
                                        "reads well within %2 MB of memory")
                             .arg(QString::fromLocal8Bit(strsignal(signal)))
                             .arg(kMemoryBytes >> 20));
    }
    if (ended && WIFEXITED(wait) && WEXITSTATUS(wait) == 127 && m_tables.empty())
        throw cannotStart(m_program, QStringLiteral("It ended at once."));
    switch (status) {
    case Status::TooLong:
        throw mdbDamaged(QStringLiteral("reading it gave far more data than the file holds"));
    case Status::End:
    case Status::Truncated:
        throw mdbDamaged(QStringLiteral("reading it stopped before the end"));
    case Status::Frame:
    case Status::Malformed:
        break;
    }
    throw mdbDamaged(QStringLiteral("reading it gave malformed data"));
}

int MdbReaderProcess::reap(bool kill) {
    if (kill)
        ::kill(m_pid, SIGKILL);
    int status = 0;
    while (::waitpid(m_pid, &status, 0) < 0 && errno == EINTR) {
    }
    m_pid = -1;
    return status;
}
