#pragma once

#include <QString>

#include <optional>
#include <vector>

struct DemoGroup;
class DemoRandom;

// One disk: a Dnames row, and the title its games carry in Compilations.[Group].
struct DemoDisk {
    QString title;
    std::optional<int> got; // 1 available, 0 unavailable, 2 undumped
    QString folder;
    QString filename;
    std::optional<QString> filenumber;
    QString exten;
    int games = 0; // entries on the disk; all disks together hold exactly the entries asked for
};

// The disks in catalogue order (F_ID 1, 2, ...) for a catalogue of `entries` games: about
// one disk per 3.75 games, every spelling of every crew on at least one disk when there are
// entries enough, the crews' disks entered in batches as a catalogue grows.
std::vector<DemoDisk> planDisks(const std::vector<DemoGroup>& groups, int entries,
                                DemoRandom& random);
