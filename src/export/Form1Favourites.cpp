// The main window's favourites: add, remove, clear and list them.
#include "app/Form1.h"

void Form1::getfavourites() {}
void Form1::mnufavadd_Click() {}
void Form1::mnufavrem_Click() {}
void Form1::mnufavclear_Click() {}
