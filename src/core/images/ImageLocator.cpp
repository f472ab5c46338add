#include "core/images/ImageLocator.h"

#include <QAnyStringView>
#include <QFile>
#include <QRegularExpression>
#include <QUtf8StringView>

#include <algorithm>
#include <cstring>

#include <dirent.h>
#include <sys/stat.h>

namespace {

// The empty path is the current folder.
QByteArray nativePath(const QString& path) {
    return path.isEmpty() ? QByteArrayLiteral(".") : QFile::encodeName(path);
}

// The length of the folder part of `path` before the separator at `slash`, without the
// separators that end it; the root keeps its own, the current folder is the empty text.
qsizetype folderLength(QStringView path, qsizetype slash) {
    if (slash < 0)
        return 0;
    while (slash > 0 && path[slash - 1] == u'/')
        --slash;
    return std::max(slash, qsizetype(1));
}

// QString::toCaseFolded(), sped up for the usual all-ASCII name: a walk folds every name of
// every folder it lists and every name it misses, and the general folding costs about as much
// as the listing itself.
QString folded(QStringView name) {
    QString result(name.size(), Qt::Uninitialized);
    QChar* out = result.data();
    for (const QChar c : name) {
        const char16_t u = c.unicode();
        if (u >= 0x80)
            return name.toString().toCaseFolded();
        *out++ = u >= u'A' && u <= u'Z' ? QChar(char16_t(u - u'A' + u'a')) : c;
    }
    return result;
}

// folded() of a name as the file system gives it, without decoding an all-ASCII one first.
QString foldedRaw(const char* raw, qsizetype size) {
    QString result(size, Qt::Uninitialized);
    QChar* out = result.data();
    for (qsizetype i = 0; i < size; ++i) {
        const char16_t c = static_cast<unsigned char>(raw[i]);
        if (c >= 0x80)
            return folded(QFile::decodeName(QByteArray::fromRawData(raw, size)));
        out[i] = QChar(c >= u'A' && c <= u'Z' ? char16_t(c - u'A' + u'a') : c);
    }
    return result;
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

const ImageLocator::Folder* ImageLocator::parentOf(const QString& path, QStringView& name) {
    const qsizetype slash = path.lastIndexOf(u'/');
    name = QStringView(path).sliced(slash + 1);
    // No name ("", ".../") is a folder; a leading "." a hidden file, or "." and "..".
    if (name.isEmpty() || name.front() == u'.')
        return nullptr;
    // The name is looked up in its folder's listing, not stat()ed: a walk asks for thousands
    // of images in a few hundred folders.
    return folder(QStringView(path).first(folderLength(path, slash)));
}

bool ImageLocator::present(const QString& path) {
    QStringView name;
    const Folder* parent = parentOf(path, name);
    if (!parent)
        return false;
    if (isWildcard(name))
        return matchesWildcard(*parent, name);
    return choose(*parent, name, Kind::File) != nullptr;
}

QString ImageLocator::locate(const QString& path) {
    QStringView name;
    const Folder* parent = parentOf(path, name);
    if (!parent)
        return QString();
    if (!isWildcard(name)) {
        const Name* found = choose(*parent, name, Kind::File);
        return found ? parent->pathOf(*found) : QString();
    }
    // Of several matches the first in plain text order, so that every run reads the same file.
    const QRegularExpression expression = wildcardPattern(folded(name));
    QString first;
    for (auto alike = parent->names.cbegin(); alike != parent->names.cend(); ++alike) {
        if (alike.key().startsWith(u'.') || !expression.match(alike.key()).hasMatch())
            continue;
        for (const Name& candidate : *alike)
            if (kindOf(*parent, candidate) == Kind::File &&
                (first.isEmpty() || parent->actual(candidate) < first))
                first = parent->actual(candidate);
    }
    return first.isEmpty() ? QString() : join(parent->path, first);
}

bool ImageLocator::holdsFolder(const QString& path) {
    return folder(QStringView(path).first(folderLength(path, path.size()))) != nullptr;
}

const ImageLocator::Folder* ImageLocator::folder(QStringView path) {
    // Borrows the text for the look-up: nearly every path is in a folder already known.
    const auto known = m_folders.constFind(QString::fromRawData(path.data(), path.size()));
    if (known != m_folders.cend())
        return *known;
    const QString owned = path.toString();
    const Folder* found = resolve(owned);
    m_folders.insert(owned, found);
    return found;
}

const ImageLocator::Folder* ImageLocator::resolve(const QString& path) {
    struct stat info;
    if (::stat(nativePath(path).constData(), &info) == 0 && S_ISDIR(info.st_mode))
        return listing(path);
    if (path.isEmpty() || path == u'/')
        return nullptr; // nothing above to look in

    const qsizetype slash = path.lastIndexOf(u'/');
    const Folder* parent = folder(QStringView(path).first(folderLength(path, slash)));
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
    const Name* found = choose(*parent, name, Kind::Folder);
    return found ? listing(parent->pathOf(*found)) : nullptr;
}

const ImageLocator::Folder* ImageLocator::listing(const QString& path) {
    if (const auto known = m_folders.constFind(path); known != m_folders.cend())
        return *known;
    DIR* stream = ::opendir(nativePath(path).constData());
    if (!stream) {
        m_folders.insert(path, nullptr);
        return nullptr;
    }
    auto listed = std::make_unique<Folder>();
    listed->path = path;
    while (const dirent* entry = ::readdir(stream)) {
        const char* raw = entry->d_name;
        if (raw[0] == '.' && (raw[1] == '\0' || (raw[1] == '.' && raw[2] == '\0')))
            continue;
        Kind kind = Kind::Unknown;
#ifdef DT_UNKNOWN
        // The entry's type saves a stat() of every name looked up.
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
        const Name name{listed->raw.size(), kind};
        const qsizetype size = qsizetype(std::strlen(raw));
        listed->raw.append(raw, size + 1);
        auto& alike = listed->names[foldedRaw(raw, size)];
        // Names that fold alike keep a fixed order, not the file system's.
        const auto after =
            std::upper_bound(alike.begin(), alike.end(), name, [&](const Name& a, const Name& b) {
                return listed->actual(a) < listed->actual(b);
            });
        alike.insert(after, name);
    }
    ::closedir(stream);
    const Folder* found = m_listed.emplace_back(std::move(listed)).get();
    m_folders.insert(path, found);
    return found;
}

QString ImageLocator::Folder::actual(const Name& name) const {
    return QFile::decodeName(raw.constData() + name.at);
}

QString ImageLocator::Folder::pathOf(const Name& name) const {
    return join(path, actual(name));
}

ImageLocator::Kind ImageLocator::kindOf(const Folder& folder, const Name& name) {
    if (name.kind != Kind::Unknown)
        return name.kind;
    struct stat info;
    if (::stat(nativePath(folder.pathOf(name)).constData(), &info) != 0)
        return Kind::Missing;
    if (S_ISREG(info.st_mode))
        return Kind::File;
    return S_ISDIR(info.st_mode) ? Kind::Folder : Kind::Other;
}

const ImageLocator::Name* ImageLocator::choose(const Folder& folder, QStringView name,
                                               Kind wanted) {
    const auto alike = folder.names.constFind(folded(name));
    if (alike == folder.names.cend())
        return nullptr;
    for (const Name& candidate : *alike) {
        // File names are UTF-8 here (QFile::decodeName); comparing saves decoding.
        if (!QAnyStringView::equal(QUtf8StringView(folder.raw.constData() + candidate.at), name))
            continue;
        const Kind kind = kindOf(folder, candidate);
        if (kind != Kind::Missing)
            return kind == wanted ? &candidate : nullptr;
    }
    // Here the exact name, if listed, is gone: it cannot be of the wanted kind.
    for (const Name& candidate : *alike) {
        if (kindOf(folder, candidate) == wanted)
            return &candidate;
    }
    return nullptr;
}

bool ImageLocator::matchesWildcard(const Folder& folder, QStringView pattern) {
    const QRegularExpression expression = wildcardPattern(folded(pattern));
    for (auto alike = folder.names.cbegin(); alike != folder.names.cend(); ++alike) {
        // Hidden files stay hidden from wildcards too.
        if (alike.key().startsWith(u'.') || !expression.match(alike.key()).hasMatch())
            continue;
        for (const Name& candidate : *alike) {
            if (kindOf(folder, candidate) == Kind::File)
                return true;
        }
    }
    return false;
}
