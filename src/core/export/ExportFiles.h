#pragma once

#include "core/Failures.h"

#include <QString>

// Writes `text` as UTF-8 to `path` through a temporary file that replaces the old one only
// when all of it is written, so a failed save leaves an existing file as it was. Throws
// FileError with the system's reason.
void saveTextFile(const QString& path, const QString& text);

// Writes `text` as UTF-8 to `path`, creating or emptying the file first. Throws FileError.
void overwriteTextFile(const QString& path, const QString& text);

// The whole of a UTF-8 text file. Throws FileError.
QString readTextFile(const QString& path);
