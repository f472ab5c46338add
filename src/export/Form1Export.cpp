// The main window's exports: save the list to a file, paste it or a report to the clipboard.
#include "app/Form1.h"

void Form1::savelist() {}
void Form1::pastelist() {}
void Form1::reportlist() {}
