#include "DemoEntries.h"

#include "DemoDisks.h"
#include "DemoRandom.h"

#include <algorithm>
#include <stdexcept>

namespace {

// A title for the next game of a disk: three in ten from the popular few, the rest from
// all titles; a disk does not hold the same game twice if it can help it.
std::size_t pickTitle(std::size_t titleCount, const std::vector<std::size_t>& onDisk,
                      DemoRandom& random) {
    const std::size_t popular = std::max<std::size_t>(1, titleCount / 27);
    std::size_t pick = 0;
    for (int attempt = 0; attempt < 10; ++attempt) {
        pick = random.chance(300) ? random.below(popular) : random.below(titleCount);
        if (std::find(onDisk.begin(), onDisk.end(), pick) == onDisk.end())
            break;
    }
    return pick;
}

// `count` different entries, none already marked in `taken`.
std::vector<std::size_t> pickEntries(std::size_t total, int count, std::vector<bool>& taken,
                                     DemoRandom& random) {
    std::vector<std::size_t> picked;
    while (int(picked.size()) < count) {
        const std::size_t at = random.below(total);
        if (taken[at])
            continue;
        taken[at] = true;
        picked.push_back(at);
    }
    return picked;
}

} // namespace

std::vector<DemoEntry> planEntries(const std::vector<DemoDisk>& disks,
                                   const std::vector<QString>& titles,
                                   const std::vector<QString>& extras, DemoRandom& random) {
    if (titles.empty())
        throw std::runtime_error("the word lists make no game titles");
    std::vector<DemoEntry> entries;
    std::vector<std::size_t> onDisk;
    for (std::size_t disk = 0; disk < disks.size(); ++disk) {
        onDisk.clear();
        for (int game = 0; game < disks[disk].games; ++game) {
            const std::size_t title = pickTitle(titles.size(), onDisk, random);
            onDisk.push_back(title);
            QString text = titles[title];
            if (random.chance(50))
                text += QLatin1Char(' ') + random.pick(extras);
            entries.push_back(DemoEntry{text, disk, false});
        }
    }

    // Odd rows only where there are rows enough for them not to crowd the rest.
    const std::size_t total = entries.size();
    const int odd = total >= 100 ? std::max(1, int(total / 7500)) : 0;
    const int favourites = total > 0 ? std::max(1, int((total + 750) / 1500)) : 0;
    std::vector<bool> taken(total, false);
    for (const std::size_t at : pickEntries(total, odd, taken, random))
        entries[at].game.reset();
    for (const std::size_t at : pickEntries(total, odd, taken, random))
        entries[at].game = QString();
    for (const std::size_t at :
         pickEntries(total, std::min<int>(favourites, int(total) - 2 * odd), taken, random))
        entries[at].favourite = true;
    return entries;
}
