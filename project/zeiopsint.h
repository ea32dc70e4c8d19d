// Helpers shared by the drawing operations' files (zeiops.cpp, zeimst.cpp);
// nothing outside project/zeiops* includes this. Prefix `Zo`.
#pragma once

#include <string>
#include <vector>

// The path of a drawing of the project folder.
std::string ZoPfad(const char* name);
// An information box with the name put into the German format.
void ZoFehler(const char* format, const char* name);
// A text of any length, and a yes/no question (1 yes, 0 no), through the
// same hook.
void ZoMelden(const char* text);
int ZoFrage(const char* text);
// The end of every run that changed drawing files: change counted, 2998
// broadcast with 9.
void ZoGeaendert();
// The marked drawings of the list, in list order.
std::vector<std::string> ZoMarkierte();
