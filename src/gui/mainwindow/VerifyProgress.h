#pragma once

#include "core/disks/DiskVerification.h"

class QWidget;

// Verifies every disk's image (verifyDisks) while a progress dialog shows how far it is; its
// Cancel button stops the walk after the disk at hand, keeping what was verified. Throws as
// verifyDisks does.
VerifyCounts verifyWithProgress(QWidget* parent, Catalogue& catalogue, const QString& root);
