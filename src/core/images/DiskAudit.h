#pragma once

#include "core/Failures.h"

#include <QString>

#include <functional>

class Catalogue;
struct DiskFiles;

// Where an audit stands after a disk: what the status bar and the progress bar show.
struct AuditProgress {
    qlonglong disksLeft = 0;
    int percentage = 0; // of the bar before this disk's step, halves to even
    float barValue = 0; // 0 to kAuditBarMaximum
};

inline constexpr int kAuditBarMaximum = 10000;

using AuditObserver = std::function<void(const AuditProgress&)>;

// The bar's percentage: value / 100 rounded to the nearest whole number, halves to even.
int auditPercentage(float barValue);

// The whole catalogue: every disk numbered below 25000 gets code 1 when its image is present
// under `root`, else 0; undumped disks (2) and disks without a code keep theirs. The counts and
// the step come from every disk, so with disks numbered 25000 or above the bar ends short.
// Throws a Refusal for an empty catalogue, CatalogueError when the catalogue cannot be written
// before the walk starts, or stops the walk at the first code that cannot be written or
// committed (the batches committed before stay). Returns the number of disks visited.
qlonglong auditAllDisks(Catalogue& catalogue, const QString& root, const AuditObserver& observer);

// The disks whose title contains `group` anywhere, one visit per run of rows of the same disk;
// the step is a whole number, so the bar can end short of its maximum.
qlonglong auditGroup(Catalogue& catalogue, const QString& group, const QString& root,
                     const AuditObserver& observer);

// One entry's disk: looks for its image and stores the answer. Returns the code written.
int auditEntry(Catalogue& catalogue, const DiskFiles& files, const QString& nummer,
               const QString& root);

// Why an audit under `root` would mark every disk it looks at unavailable: the root game
// folder is not set or does not exist (an unmounted drive). "" when it is a folder.
QString missingRootFolderText(const QString& root);

// Why an audit under `root` would mark every disk unavailable, as missingRootFolderText() says,
// or because the folder is empty (the mount point of a drive that is not mounted) or holds none
// of the folders the catalogue's disks lie in, matched as the audit matches them. "" when some
// disk folder is there. The window asks whether to go on; kestrel-cli refuses unless forced.
QString rootFolderProblemText(Catalogue& catalogue, const QString& root);

// What an audit that stopped at a failed write adds to the failure: how many changed codes
// were committed before it.
QString auditStoppedNote(qlonglong committed);

// " Audited in: 12.5 secs"
QString auditedInText(quint32 milliseconds);
