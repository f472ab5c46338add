#include "core/images/Emulators.h"

namespace {

constexpr std::array<EmulatorRow, 4> kEmulators{{
    {Emulator::Steem,
     "steem",
     "STeem",
     "mnusteem",
     "STeem",
     "Frame1",
     "Steem",
     "Text1",
     "Command1",
     "You have not configured STeem correctly!",
     {"Steem.exe", nullptr}},
    {Emulator::Stew,
     "stew",
     "STew",
     "mnuwinston",
     "WinSTon/STew",
     "Frame3",
     "WinSTon/STew",
     "Text3",
     "Command4",
     "You have not configured WinSTon/STew correctly!",
     {"stew.exe", "winston.exe"}},
    {Emulator::Saint,
     "saint",
     "SainT",
     "mnusaint",
     "SainT",
     "Frame4",
     "SainT",
     "Text4",
     "Command6",
     "You have not configured SainT correctly!",
     {"SainT161.exe", nullptr}},
    {Emulator::Hatari,
     "hatari",
     "Hatari",
     "mnuhatari",
     "Hatari",
     "Frame5",
     "Hatari",
     "Text5",
     "Command7",
     "You have not configured Hatari correctly!",
     {"hatari", nullptr}},
}};

} // namespace

std::span<const EmulatorRow> emulatorTable() {
    return kEmulators;
}

const EmulatorRow& emulatorRow(Emulator emulator) {
    return kEmulators[size_t(emulator)];
}

Emulator emulatorFromSetting(const QString& selected) {
    for (const EmulatorRow& row : kEmulators)
        if (selected == QLatin1String(row.setting))
            return row.emulator;
    return Emulator::Saint;
}
