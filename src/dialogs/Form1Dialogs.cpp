// The main window's dialogs for editing disks, About and the release notes.
#include "app/Form1.h"

void Form1::mnueditset_Click() {}
void Form1::mnueditsingle_Click() {}
void Form1::showAbout() {}
void Form1::showReleaseNotes() {}
