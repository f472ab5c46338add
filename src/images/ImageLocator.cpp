#include "images/ImageLocator.h"

#include <QFile>
#include <QRegularExpression>

#include <algorithm>

#include <dirent.h>
#include <sys/stat.h>

namespace {

// The empty path is the current folder.
QByteArray nativePath(const QString& path) {
    return path.isEmpty() ? QByteArrayLiteral(".") : QFile::encodeName(path);
}

// The folder part of `path` before the separator at `slash`, without the separators that end
// it (the root keeps its own); the empty text for the current folder.
QString parentOf(const QString& path, qsizetype slash) {
    if (slash < 0)
        return QString();
    while (slash > 0 && path[slash - 1] == u'/')
        --slash;
    return slash == 0 ? QStringLiteral("/") : path.left(slash);
}

QString join(const QString& folder, const QString& name) {
    if (folder.isEmpty())
        return name;
    if (folder.endsWith(u'/'))
        return folder + name;
    return folder + u'/' + name;
}

bool isWildcard(QStringView name) {
    return name.contains(u'*') || name.contains(u'?');
}

// "*" any run of characters, "?" any one; everything else stands for itself.
QRegularExpression wildcardPattern(QStringView pattern) {
    QString expression;
    qsizetype literal = 0;
    for (qsizetype i = 0; i < pattern.size(); ++i) {
        if (pattern[i] != u'*' && pattern[i] != u'?')
            continue;
        expression += QRegularExpression::escape(pattern.sliced(literal, i - literal));
        expression += pattern[i] == u'*' ? QStringLiteral(".*") : QStringLiteral(".");
        literal = i + 1;
    }
    expression += QRegularExpression::escape(pattern.sliced(literal));
    return QRegularExpression(QRegularExpression::anchoredPattern(expression),
                              QRegularExpression::DotMatchesEverythingOption);
}

} // namespace

bool ImageLocator::present(const QString& path) {
    const qsizetype slash = path.lastIndexOf(u'/');
    const QStringView name = QStringView(path).sliced(slash + 1);
    // No name ("", ".../") is a folder; a leading "." a hidden file, or "." and "..".
    if (name.isEmpty() || name.front() == u'.')
        return false;
    struct stat info;
    if (::stat(QFile::encodeName(path).constData(), &info) == 0)
        return S_ISREG(info.st_mode);

    const FolderPtr parent = folder(parentOf(path, slash));
    if (!parent)
        return false;
    if (isWildcard(name))
        return matchesWildcard(*parent, name);
    return !choose(*parent, name, Kind::File).isNull();
}

ImageLocator::FolderPtr ImageLocator::folder(const QString& path) {
    if (const auto known = m_folders.constFind(path); known != m_folders.cend())
        return *known;
    FolderPtr found = resolve(path);
    m_folders.insert(path, found);
    return found;
}

ImageLocator::FolderPtr ImageLocator::resolve(const QString& path) {
    struct stat info;
    if (::stat(nativePath(path).constData(), &info) == 0 && S_ISDIR(info.st_mode))
        return listing(path);
    if (path.isEmpty() || path == u'/')
        return nullptr;

    const qsizetype slash = path.lastIndexOf(u'/');
    const FolderPtr parent = folder(parentOf(path, slash));
    if (!parent)
        return nullptr;
    const QStringView name = QStringView(path).sliced(slash + 1);
    if (name == u"." || name == u"..") {
        // Not listed, but in every folder.
        const QString onDisk = join(parent->path, name.toString());
        return ::stat(nativePath(onDisk).constData(), &info) == 0 && S_ISDIR(info.st_mode)
                   ? listing(onDisk)
                   : nullptr;
    }
    const QString onDisk = choose(*parent, name, Kind::Folder);
    return onDisk.isNull() ? nullptr : listing(onDisk);
}

ImageLocator::FolderPtr ImageLocator::listing(const QString& path) {
    if (const auto known = m_folders.constFind(path); known != m_folders.cend())
        return *known;
    DIR* stream = ::opendir(nativePath(path).constData());
    if (!stream) {
        m_folders.insert(path, nullptr);
        return nullptr;
    }
    auto listed = std::make_shared<Folder>();
    listed->path = path;
    while (const dirent* entry = ::readdir(stream)) {
        const char* raw = entry->d_name;
        if (raw[0] == '.' && (raw[1] == '\0' || (raw[1] == '.' && raw[2] == '\0')))
            continue;
        Kind kind = Kind::Unknown;
#ifdef DT_UNKNOWN
        // The entry's type saves a stat() of every name matched without case.
        switch (entry->d_type) {
        case DT_REG:
            kind = Kind::File;
            break;
        case DT_DIR:
            kind = Kind::Folder;
            break;
        case DT_LNK:
        case DT_UNKNOWN:
            break;
        default:
            kind = Kind::Other;
        }
#endif
        QString actual = QFile::decodeName(raw);
        listed->names[actual.toCaseFolded()].append(Name{std::move(actual), kind});
    }
    ::closedir(stream);
    // Names that differ only in case are tried in a fixed order, not the file system's.
    for (QList<Name>& alike : listed->names) {
        if (alike.size() > 1)
            std::sort(alike.begin(), alike.end(),
                      [](const Name& a, const Name& b) { return a.actual < b.actual; });
    }
    m_folders.insert(path, listed);
    return listed;
}

ImageLocator::Kind ImageLocator::kindOf(const Name& name, const QString& path) {
    if (name.kind != Kind::Unknown)
        return name.kind;
    struct stat info;
    if (::stat(nativePath(path).constData(), &info) != 0)
        return Kind::Missing;
    if (S_ISREG(info.st_mode))
        return Kind::File;
    return S_ISDIR(info.st_mode) ? Kind::Folder : Kind::Other;
}

QString ImageLocator::choose(const Folder& folder, QStringView name, Kind wanted) {
    const auto alike = folder.names.constFind(name.toString().toCaseFolded());
    if (alike == folder.names.cend())
        return QString();
    for (const Name& candidate : *alike) {
        if (candidate.actual != name)
            continue;
        const QString path = join(folder.path, candidate.actual);
        const Kind kind = kindOf(candidate, path);
        if (kind != Kind::Missing)
            return kind == wanted ? path : QString();
    }
    for (const Name& candidate : *alike) {
        if (candidate.actual == name)
            continue;
        const QString path = join(folder.path, candidate.actual);
        if (kindOf(candidate, path) == wanted)
            return path;
    }
    return QString();
}

bool ImageLocator::matchesWildcard(const Folder& folder, QStringView pattern) {
    const QRegularExpression expression = wildcardPattern(pattern.toString().toCaseFolded());
    for (auto alike = folder.names.cbegin(); alike != folder.names.cend(); ++alike) {
        // Hidden files stay hidden from wildcards too.
        if (alike.key().startsWith(u'.') || !expression.match(alike.key()).hasMatch())
            continue;
        for (const Name& candidate : *alike) {
            if (kindOf(candidate, join(folder.path, candidate.actual)) == Kind::File)
                return true;
        }
    }
    return false;
}
