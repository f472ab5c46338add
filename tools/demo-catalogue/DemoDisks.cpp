#include "DemoDisks.h"

#include "DemoGroups.h"
#include "DemoRandom.h"

#include <algorithm>
#include <numeric>

namespace {

// Disks per crew: each spelling one disk first, the rest in proportion to the weights
// (largest remainder, so the shares add up exactly).
std::vector<int> shareDisks(const std::vector<DemoGroup>& groups, int disks) {
    std::vector<int> counts(groups.size(), 0);
    int left = disks;
    for (std::size_t i = 0; i < groups.size() && left > 0; ++i) {
        counts[i] = std::min(left, int(groups[i].spellings.size()));
        left -= counts[i];
    }
    if (left == 0)
        return counts;
    const long long total =
        std::accumulate(groups.begin(), groups.end(), 0LL,
                        [](long long sum, const DemoGroup& group) { return sum + group.weight; });
    std::vector<long long> remainders(groups.size());
    int given = 0;
    for (std::size_t i = 0; i < groups.size(); ++i) {
        const long long share = 1LL * left * groups[i].weight;
        counts[i] += int(share / total);
        given += int(share / total);
        remainders[i] = share % total;
    }
    std::vector<std::size_t> order(groups.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(),
                     [&](std::size_t a, std::size_t b) { return remainders[a] > remainders[b]; });
    for (std::size_t i = 0; given < left; ++i, ++given)
        ++counts[order[i % order.size()]];
    return counts;
}

QString padded(int number, int width) {
    return QStringLiteral("%1").arg(number, width, 10, QLatin1Char('0'));
}

class CrewDisks {
public:
    CrewDisks(const DemoGroup& group, DemoRandom& random) : m_group(group), m_random(random) {}

    std::vector<DemoDisk> make(int count) {
        pickSpellings(count);
        for (int number = 1; int(m_disks.size()) < count; ++number) {
            if (number > 1 && m_random.chance(30))
                ++number; // a disk the keeper never got
            add(number, QString());
            // Second disks of a number ("12b"), now and then entered twice in another case.
            if (int(m_disks.size()) < count && m_random.chance(25)) {
                add(number, QStringLiteral("b"));
                if (int(m_disks.size()) < count && m_random.chance(200))
                    add(number, QStringLiteral("B"));
            }
        }
        return std::move(m_disks);
    }

private:
    // The older disks mostly under the first spelling, the newer under the last, with some
    // strays; each spelling at least once (the second disk is never a case twin, which
    // would copy the title before it).
    void pickSpellings(int count) {
        const int spellings = int(m_group.spellings.size());
        m_spelling.assign(std::size_t(count), spellings - 1);
        if (spellings < 2 || count < 2)
            return;
        const int split = count * m_random.between(30, 70) / 100;
        for (int i = 0; i < count; ++i) {
            const bool older = i < split;
            m_spelling[std::size_t(i)] = (older != m_random.chance(100)) ? 0 : spellings - 1;
        }
        if (std::count(m_spelling.begin(), m_spelling.end(), 0) == 0)
            m_spelling.front() = 0;
        if (std::count(m_spelling.begin(), m_spelling.end(), spellings - 1) == 0)
            m_spelling[1] = spellings - 1;
    }

    void add(int number, const QString& suffix) {
        const std::size_t index = m_disks.size();
        const int spelling = m_spelling[index];
        DemoDisk disk;
        if (suffix == QStringLiteral("B")) {
            disk.title = m_disks.back().title; // differs from its twin in case only
            disk.title.back() = QLatin1Char('B');
        } else {
            disk.title = m_group.spellings[std::size_t(spelling)] + QLatin1Char(' ');
            if (!m_group.word.isEmpty() && !m_random.chance(40))
                disk.title += m_group.word + QLatin1Char(' ');
            disk.title += padded(number, m_group.titleDigits) + suffix;
        }

        const int got = int(m_random.below(1000));
        if (got >= 10)
            disk.got = got < 110 ? 2 : got < 455 ? 0 : 1;
        disk.folder = m_group.folder;
        const QString fileNumber = padded(number, m_group.padFileNumber ? 3 : 1) + suffix;
        if (m_random.chance(30)) {
            disk.filename = m_group.stem + fileNumber; // number kept in the name itself
        } else {
            disk.filename = m_group.stem;
            disk.filenumber = fileNumber;
        }
        static const std::vector<QString> extens = {QStringLiteral("st"), QStringLiteral("msa"),
                                                    QStringLiteral("dim")};
        disk.exten = m_random.chance(80) ? m_random.pick(extens) : m_group.exten;
        m_disks.push_back(std::move(disk));
    }

    const DemoGroup& m_group;
    DemoRandom& m_random;
    std::vector<int> m_spelling;
    std::vector<DemoDisk> m_disks;
};

// Catalogue order: crews' disks in batches, batch after batch from crews chosen at random,
// each crew's batches in number order.
std::vector<DemoDisk> interleave(std::vector<std::vector<DemoDisk>> crews, DemoRandom& random) {
    std::vector<DemoDisk> disks;
    std::vector<std::size_t> next(crews.size(), 0);
    std::vector<std::size_t> active;
    for (std::size_t i = 0; i < crews.size(); ++i) {
        if (!crews[i].empty())
            active.push_back(i);
    }
    while (!active.empty()) {
        const std::size_t slot = random.below(active.size());
        const std::size_t crew = active[slot];
        const std::size_t end = std::min(crews[crew].size(), next[crew] + random.between(5, 30));
        for (; next[crew] < end; ++next[crew])
            disks.push_back(std::move(crews[crew][next[crew]]));
        if (next[crew] == crews[crew].size())
            active.erase(active.begin() + std::ptrdiff_t(slot));
    }
    return disks;
}

// Games per disk: one to eight, mostly three to five, then nudged until they add up to
// exactly the entries asked for.
void shareGames(std::vector<DemoDisk>& disks, int entries, DemoRandom& random) {
    if (disks.empty())
        return;
    long long total = 0;
    for (DemoDisk& disk : disks) {
        disk.games = 1 + int(random.weighted({5, 12, 26, 28, 18, 6, 3, 2}));
        total += disk.games;
    }
    const auto nudge = [&](int step, int limit) {
        std::size_t at = random.below(disks.size());
        while (disks[at].games == limit)
            at = (at + 1) % disks.size();
        disks[at].games += step;
        total += step;
    };
    while (total > entries)
        nudge(-1, 1);
    while (total < entries)
        nudge(+1, 8);
}

} // namespace

std::vector<DemoDisk> planDisks(const std::vector<DemoGroup>& groups, int entries,
                                DemoRandom& random) {
    int spellings = 0;
    for (const DemoGroup& group : groups)
        spellings += int(group.spellings.size());
    const int wanted = int((8LL * entries + 15) / 30); // entries / 3.75, rounded
    const int diskCount = std::min(entries, std::max(wanted, spellings));

    const std::vector<int> counts = shareDisks(groups, diskCount);
    std::vector<std::vector<DemoDisk>> crews;
    for (std::size_t i = 0; i < groups.size(); ++i)
        crews.push_back(CrewDisks(groups[i], random).make(counts[i]));
    std::vector<DemoDisk> disks = interleave(std::move(crews), random);
    shareGames(disks, entries, random);
    return disks;
}
