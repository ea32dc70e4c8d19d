// The project manager's drawing list: one in-memory list of what the current
// project folder holds (drawings, the project's PDF files and, while sorted
// by number, a heading in front of each range of drawings that has a
// subtitle), rebuilt from the folder by PvwVerzLesen and between rebuilds
// changed only by sorting, headings and marking. Also keeps the page's
// cursor name for PvwAktZeichnung. Prefix `Pvw`. Calls support (listings,
// sort, dates, texts), config (project folder, defaults, language), model
// (drawing names and headers), equipment (title texts, translations) and
// platform (text widths in the list's font).
//
// Invariants:
//  1. Headings (kind 1) exist only while the sort mode is 0.
//  2. After a rebuild or a sort all drawings precede all PDF files.
//  3. The count never exceeds PVWSUP; headings that would pass it are left out.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "equipment/utitel.h"
#include "model/zeichnun.h"
#include "support/datum.h"

inline constexpr int PVWSUP = 2000;           // entries of the list
inline constexpr int PVWNAMESUP = 200;        // characters of a name
inline constexpr int PVWUTTEXTSUP = 40;       // characters of a heading's texts
inline constexpr int PVWUTZEILEN = 5;         // text lines kept per heading

enum : int32_t { PVW_ZEICHNUNG = 0, PVW_UNTERTITEL = 1, PVW_PDF = 2 };
enum : int { PVW_SORT_NUMMER = 0, PVW_SORT_DATUM = 1, PVW_SORT_INDEX = 2 };

// One entry; the kind decides which fields hold meaning, the rest is zero.
struct PvwEintrag {
    int32_t art;                         // PVW_ZEICHNUNG, PVW_UNTERTITEL, PVW_PDF
    int32_t markiert;                    // 1 when the row is marked
    // Drawing and PDF file.
    char name[PVWNAMESUP + 1];           // drawing: file name; PDF: path as listed
    DATZEIT zeit;                        // modification time of the file
    int32_t groesse;                     // file size in bytes
    ZeiKopf kopf;                        // drawing: its header data
    char datei[PVWNAMESUP + 1];          // PDF: file name without folder
    char titel0[ZEITITELSUP + 1];        // title lines shown for the drawing
    char titel1[ZEITITELSUP + 1];
    // Heading (copies of the subtitle entry, each cut to 40 characters).
    char kenn[UTKENNSUP + 1];            // key: the subtitle's start page
    char utitel[PVWUTTEXTSUP + 1];       // "Titel"
    char anlage[PVWUTTEXTSUP + 1];
    char ort[PVWUTTEXTSUP + 1];
    char bauwerk[PVWUTTEXTSUP + 1];      // identifier 1
    char objekt[PVWUTTEXTSUP + 1];       // identifier 2
    int32_t pdfTitel;                    // 1: the heading in front of the PDF files
    char zeilen[PVWUTZEILEN][PVWUTTEXTSUP + 1];
};

// The title shown for a damaged sheet, and the start of the names the
// atomic file writer gives its temporary files.
inline constexpr const char* PVWBESCHAEDIGT = "*** Zeichnung besch\xE4" "digt ***";
inline constexpr const char* PVWRESTVORSATZ = ".velmo-neu-";

// Rebuilds the list from the current project folder: drawings, then the PDF
// files (of the subfolder `IVpdfVerz` when set), sorted, with headings in
// sort mode 0. A sheet whose header cannot be read (cut short, empty,
// overwritten) is listed with an empty header and the title PVWBESCHAEDIGT,
// and reported once (ZoFehler) until the damaged set changes; a temporary
// file of an interrupted save is never listed: the user is asked (ZoFrage)
// whether to delete it, and a kept one is not asked about again.
void PvwVerzLesen();
// What the last scan found: damaged sheets (names) and leftovers (paths).
const std::vector<std::string>& PvwBeschaedigte();
const std::vector<std::string>& PvwReste();
// A drawing entry of a damaged sheet.
bool PvwIstBeschaedigt(const PvwEintrag& e);
// The format column of a drawing entry: "A4", "A3", or "?" for a damaged
// sheet (its header, and so its format, could not be read).
const char* PvwFormatText(const PvwEintrag& e);
// The project folder of the last PvwVerzLesen ("" before the first).
const char* PvwVerzOrdner();
int PvwAnzahl();
int PvwZeiAnzahl();
int PvwNameLaengeMax();
int PvwNameBreiteMax();
// The widest short name and pair of short texts (pixels, list font).
int PvwKurzBreiteMax();
int PvwZusatzBreiteMax();
// Texts 10 and 11 of a drawing's header as the list shows them: 20 characters.
std::string PvwKurztexte(const PvwEintrag& e);

// Entry n; entry 0 when n is out of range.
PvwEintrag* PvwEintragAdr(int n);
void PvwMarkSetzen(int n, int flag);
int PvwMarkiert(int n);
int PvwAnzMarkiert();
int PvwAnzMarkiertMitPdf();

// Name outputs need PVWNAMESUP + 1 bytes unless `kap` says less (cut then).
// 1 and the name when entry n is a drawing; else 0, the output untouched.
int PvwZeiName(int n, char* name, size_t kap = PVWNAMESUP + 1);
// The name field whatever the kind (a heading's is its key): 1 drawing,
// 2 PDF file, 0 heading; 0 and the output untouched when n is out of range.
int PvwEintragName(int n, char* name, size_t kap = PVWNAMESUP + 1);
// The frame's name for PvwEintragName.
int PvwEintragArt(int n, char* name, size_t kap = PVWNAMESUP + 1);
// Index of the drawing of exactly this name (case counts), -1 when none.
int PvwZeiSuchen(const char* name);
// The smallest drawing name by drawing number; 0 and "" when there is none.
int PvwErsteZeichnung(char* name, size_t kap = PVWNAMESUP + 1);
// Display text of entry n (entry 0 when out of range), cut to `kap`.
void PvwEintragText(int n, char* text, size_t kap);
template <size_t N> void PvwEintragText(int n, char (&text)[N]) { PvwEintragText(n, text, N); }

int PvwSortModus();
// A mode other than 0..2, or the current one, changes nothing.
void PvwSortSetzen(int modus);
// 1 unless the defaults key "BMzkNvrw" is 1.
int PvwKurztexteZeigen();

// Record comparators for shellsort over the entries.
int PvwVergleich(const void* a, const void* b);
int PvwNrVergleich(const void* a, const void* b);

void PvwUntertitelEinfuegen();
void PvwUntertitelEntfernen();

// The page's cursor name (a drawing's file name, or empty) and the current
// drawing: the cursor name unless blank, else the first drawing of the list,
// else "". The pointer stays valid until the next call.
void PvwCursorNameSetzen(const char* name);
const char* PvwCursorName();
const char* PvwAktZeichnung();

// Empties the list and restores the start state (sort mode 0, no cursor).
void PvwListeZuruecksetzen();
