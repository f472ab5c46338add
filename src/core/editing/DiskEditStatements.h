#pragma once

#include "core/Failures.h"
#include "core/images/ImagePath.h"

#include <QString>
#include <QStringList>

#include <optional>

// The statements of the two dialogs that edit where disk images lie and how they are named.

// The file fields of the disks of every entry whose disk title begins with `group`, the disk
// with the greatest file number first.
QString diskSetLookupStatement(const QString& group);

// What "OK" of the Edit Disk Set dialog sends: the folder, stem and extension of `files` for
// every disk of the group except undumped ones. An empty stem sends nothing. Without a chosen
// group (nullopt) the pattern would reach every disk of the catalogue, so a non-empty stem
// throws a Refusal instead.
QStringList diskSetUpdateStatements(const std::optional<QString>& group, const DiskFiles& files);

// What "Ok" of the Edit Single Disk dialog sends for the disk of entry `nummer`: the stem and
// extension of `files`, then its number, or Null when the number is empty.
QStringList singleDiskUpdateStatements(const QString& nummer, const DiskFiles& files);
