// The manual viewer: the manual's bookmarks, the topic index "PDFIndex.txt",
// and the dialog "PDFHilfe" that shows a topic's pages one at a time,
// rendered by the platform's PDF library. Prefix `Hilfe`/`Handbuch`. Owns
// the bookmark list (read once per run), the viewer's state and its
// library instance. Calls platform (PDF library, GDI), support (buffered
// files, texts), config (paths), winlib (dialogs, items, scroll bars) and
// the help paths (hilfe.h).
#pragma once

#include <string>
#include <vector>

#include "platform/windef.h"

inline constexpr int HILFETITELSUP = 80;

struct HilfeLesezeichen {
    int seite;
    std::string titel;  // at most 80 characters
};

// Program start and end (the frame's HandbuchInit and HandbuchEnde).
void HilfeStart();
void HilfeEnde();
void HandbuchInit();
void HandbuchEnde();

// First call of a run only: the manual's bookmarks, every one of them.
void HandbuchGliederungLaden(const char* pfad);
// Finds the topic's pages and opens the viewer.
void HilfeThemaZeigen(const char* thema);
// The topic's line of the index file at `pfad` ("key pages title", lines
// of at most 200 characters, the key compared ignoring case): its page
// count (1..HILFESEITENSUP) and title (at most HILFETITELSUP characters).
// 1 found; 0 not found; -1 no file; -2 read short.
inline constexpr int HILFESEITENSUP = 10000;
int HilfeIndexSuchen(const char* pfad, const char* thema, int* seiten, std::string* titel);
// F1: manual, bookmarks, then the topic of the active dialog or mode.
void HilfeKontext();

// Percent of the page height that fits a page area of w x h pixels.
int HilfeSichtAnteil(int breite, int hoehe);
// Resolution in tenths of dots per inch for a page area w pixels wide: a
// page 170 millimetres wide spans it.
int HilfeAufloesung(int breite);
// Renders a page of the manual into the DC (the manual's document selected
// first); 1 or 0.
int HandbuchSeiteRendern(HDC dc, int aufloesung, int seite);

// For tests.
const std::vector<HilfeLesezeichen>& HilfeGliederung();
int HilfeErsteSeite();
int HilfeSeitenAnzahl();
int HilfeAktuelleSeite();
int HilfeScrollPosition();
HWND HilfeFenster();
int HilfeBibliothek();  // the viewer's library instance (0 before loading)
