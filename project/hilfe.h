// Help and program information: the manual's path and the help commands
// of the menus, the mode's help topic, the program information dialog
// "ZvCopy", the maker's web pages and the layer choice "LayerShow". Prefix
// `Hilfe` (the commands keep the frame's names). Owns the mode's help key.
// Calls config (defaults, paths), model (layer names and visibility),
// winlib (dialogs, items, shell) and the start-up screen's addresses.
#pragma once

#include <cstddef>

inline constexpr int HILFESCHLUESSELSUP = 20;

// The manual "Velmo.pdf": in the folder `ZvHlpPfad` when it is set, else
// in the shipped-data folder; exactly one separator before the name.
void HandbuchPfad(char* puffer, size_t groesse);
// Another file beside the manual.
void HilfeDateiPfad(const char* name, char* puffer, size_t groesse);
template <size_t N> void HandbuchPfad(char (&p)[N]) { HandbuchPfad(p, N); }

// The mode's help topic (cut to 20 characters).
void HilfeSchluesselSetzen(const char* schluessel);
const char* HilfeSchluessel();
// The topic of context help: the active dialog's registered topic, else
// its name; without an active dialog the mode's key. Buffer of 21.
char* HilfeThema(char* puffer);

// The commands 1991, 1993..1996.
void HilfePdfOeffnen();
void BauteilDokuOeffnen();
void HandbuchOeffnen();
void InfoOeffnen();
void InternetOeffnen();

// "LayerShow": the named layers, each selected while visible; a change
// sets every listed layer and asks the viewer to redraw (5002).
void LayerAnzeigeDlg();
