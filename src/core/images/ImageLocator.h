#pragma once

#include <QHash>
#include <QString>
#include <QVarLengthArray>

#include <memory>
#include <vector>

// Answers whether a disk image is present: a regular file that is not hidden (its name does
// not start with "."); a folder of that name counts as absent. Collections copied from other
// systems differ in letter case ("MENU07.ST" against "Menu07.st"), so each path component
// that does not exist as written is matched without regard to case; one that exists as
// written is used as written. Of several names that differ from it only in case, the first
// in plain text order ("CREW" before "Crew") is taken. "*" and "?" in the last component are
// wildcards, matched without regard to case (a hidden file matches none); elsewhere they are
// ordinary characters. A relative path resolves against the current folder. A folder that
// cannot be listed holds no images.
//
// One locator serves one walk (an audit): each folder is listed the first time it is needed
// and every answer about a name in it comes from that listing, so asking for thousands of
// images costs one listing per folder and a look-up in memory per image. A listed name whose
// kind the listing does not tell (a symbolic link, a file system without entry types) costs
// one stat(). Changes made after a folder was listed are seen by the next locator only.
class ImageLocator {
public:
    bool present(const QString& path);
    // The path as it is on disk of the image `path` names, found as present() finds it (of
    // several wildcard matches the first in plain text order); "" when it is absent.
    QString locate(const QString& path);
    // Whether `path` leads to a folder, its components matched as above; separators at the end
    // do not count.
    bool holdsFolder(const QString& path);

private:
    // What a listed name is; Unknown (a symbolic link, a file system without entry types) is
    // settled by a stat() when it matters.
    enum class Kind : quint8 { File, Folder, Other, Missing, Unknown };
    struct Name {
        qsizetype at; // where in Folder::raw
        Kind kind;
    };
    struct Folder {
        QString path; // as on disk; empty for the current folder
        // The names as the file system gives them, each ended by a null byte: decoding them
        // all would cost more than the rest of the listing.
        QByteArray raw;
        // By case-folded name; names that fold alike (rare) in plain text order.
        QHash<QString, QVarLengthArray<Name, 1>> names;

        QString actual(const Name& name) const;
        QString pathOf(const Name& name) const;
    };

    // The listed folder of the last component of `path`, which becomes `name`; null when
    // that is no file name or the folder cannot be listed.
    const Folder* parentOf(const QString& path, QStringView& name);
    // The listed folder a path names, matched component by component as above; null when
    // there is none or it cannot be listed. Remembered by the path as asked.
    const Folder* folder(QStringView path);
    const Folder* resolve(const QString& path);
    // The folder at a path that exists as written, listed once.
    const Folder* listing(const QString& path);

    // A listed name's kind, symbolic links followed.
    static Kind kindOf(const Folder& folder, const Name& name);
    // The entry of `folder` named `name` without regard to case: the one written exactly when
    // it exists, else the first of the wanted kind; null when none is.
    static const Name* choose(const Folder& folder, QStringView name, Kind wanted);
    static bool matchesWildcard(const Folder& folder, QStringView pattern);

    std::vector<std::unique_ptr<const Folder>> m_listed;
    QHash<QString, const Folder*> m_folders; // by the path as asked and by the path on disk
};
