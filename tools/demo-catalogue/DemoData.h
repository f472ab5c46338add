#pragma once

#include <QString>

#include <map>
#include <utility>
#include <vector>

// Everything the generator reads from the data folder: the two group lists as the program
// ships them, and the word lists and crew notes under demo/.
struct DemoData {
    std::vector<QString> groupBox; // groups/group-box.txt
    std::vector<QString> diskSet;  // groups/disk-set.txt

    // demo/group-spellings.txt: disk-set spelling -> group-box spelling
    std::vector<std::pair<QString, QString>> spellings;

    // demo/group-details.txt, one row per listed crew, split at "|"
    std::vector<std::vector<QString>> details;

    // demo/<name>.txt for each title-pattern slot, plus "title-patterns" and "extras"
    std::map<QString, std::vector<QString>> words;

    // Throws std::runtime_error naming the file that is missing, empty or malformed.
    static DemoData load(const QString& dataFolder);
};
