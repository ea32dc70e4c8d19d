// The working directory: start-up of the program and working folders, the
// "-V=" option, the switch of the project folder and the folder watch with
// its reload of everything that depends on the folder. Prefix `Ver`,
// `Ordner`. Calls config (datwache, verzeich, vorgaben), support and
// platform (locations, argument words). The reload sequence itself lies
// above (the frame registers it through OrdnerEinstFolgeSetzen).
#pragma once

// At start-up: kind 0 = the shipped-data folder, kind 1 = the current
// directory; both normalised and registered; set-at-start flag 1.
void VerStart();
// Each "-V=" argument (any case): the folder (relative to the current
// directory) becomes the working directory, is entered and registered as
// kind 1; set-at-start flag 1. A folder that cannot be entered is skipped.
void VerOption();
// Switches to the directory part of the path (NULL: the program folder).
// 1 when switched; 0 when nothing changed: an empty target, the same
// folder after the first switch, or a folder that cannot be entered.
int VerUmschalten(const char* pfad);

// The folder watch (kind -1).
void OrdnerWacheAnlegen();
// When the folder watch is out of date: runs the registered reload
// sequence and marks the watch current (DatStempelSetzen's result);
// 0 without doing anything while the watch is current.
int OrdnerEinstLaden();
// The reload sequence of the folder-dependent settings (NULL: none).
void OrdnerEinstFolgeSetzen(void (*folge)());
