#pragma once

#include <QHash>
#include <QList>
#include <QString>

#include <memory>

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
// One locator serves one walk (an audit): it remembers the folders it has listed, so asking
// for thousands of images costs about one stat() each. Every answer starts with a stat() of
// the path as written, so a file under its exact name is always seen; names matched without
// case or by wildcard come from the listing taken the first time their folder was needed, so
// changes made after that are seen by the next locator only.
class ImageLocator {
public:
    bool present(const QString& path);

private:
    // What a listed name is; Unknown (a symbolic link, a file system without entry types) is
    // settled by a stat() when it matters.
    enum class Kind : quint8 { File, Folder, Other, Missing, Unknown };
    struct Name {
        QString actual;
        Kind kind;
    };
    struct Folder {
        QString path;                      // as on disk; empty for the current folder
        QHash<QString, QList<Name>> names; // by case-folded name
    };
    using FolderPtr = std::shared_ptr<const Folder>;

    // The listed folder a path names, matched component by component as above; null when
    // there is none or it cannot be listed. Remembered by the path as asked.
    FolderPtr folder(const QString& path);
    FolderPtr resolve(const QString& path);
    // The folder at a path that exists as written, listed once.
    FolderPtr listing(const QString& path);

    // A listed name's kind, symbolic links followed; `path` is where it lies.
    static Kind kindOf(const Name& name, const QString& path);
    // The on-disk path of the entry of `folder` named `name` without regard to case: the one
    // written exactly when it exists, else the first of the wanted kind; null when none is.
    static QString choose(const Folder& folder, QStringView name, Kind wanted);
    static bool matchesWildcard(const Folder& folder, QStringView pattern);

    QHash<QString, FolderPtr> m_folders; // by the path as asked and by the path on disk
};
