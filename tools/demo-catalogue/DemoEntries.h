#pragma once

#include <QString>

#include <cstddef>
#include <optional>
#include <vector>

struct DemoDisk;
class DemoRandom;

// One Compilations row: a game on a disk. Nummer and F_ID follow from the order.
struct DemoEntry {
    std::optional<QString> game; // Null now and then, as in a catalogue kept by hand
    std::size_t disk = 0;        // index into the disks, so F_ID - 1
    bool favourite = false;
};

// The games of every disk in disk order. Popular titles recur on many disks (the same game
// released by several crews), a few entries carry a note ("Demo"), a few have a Null or
// empty title and about one in 1500 is a favourite.
std::vector<DemoEntry> planEntries(const std::vector<DemoDisk>& disks,
                                   const std::vector<QString>& titles,
                                   const std::vector<QString>& extras, DemoRandom& random);
