#pragma once

#include <QString>

#include <vector>

struct DemoData;
class DemoRandom;

// One crew of the demo catalogue with the habits its disks are filed by.
struct DemoGroup {
    // How disk titles begin; with two, the older disks mostly use the first.
    std::vector<QString> spellings;
    int weight = 1;             // share of the disks
    QString word;               // between name and number ("Menu"), often empty
    int titleDigits = 1;        // the disk number in the title is zero-padded to this width
    QString folder;             // Dnames.folder
    QString stem;               // Dnames.filename
    bool padFileNumber = false; // Dnames.filenumber zero-padded to 3
    QString exten;              // the usual Dnames.fileexten
};

// The crews of both group lists, each once, in group-box order followed by the disk set's
// own crews. Throws std::runtime_error when the spellings or details name an unknown crew.
std::vector<DemoGroup> planGroups(const DemoData& data, DemoRandom& random);
