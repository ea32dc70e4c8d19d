// The evaluation output formatter: a generator places the fields of one
// record at fixed columns and line offsets of a line grid; the formatter
// writes each finished record to the result file (paged with a page column
// when `seiten` and `zeilen` are set), keeps blocks together on a page, fills
// short earlier lines with indented later ones, and builds the CSV text of
// the same records for the clipboard and CSV exports. Prefix `Awf`. Calls
// config (defaults keys, clean-up table, warning hook), support (buffered
// files) and winlib (clipboard).
//
// One run at a time: AwfStart ... records ... AwfEnde. The grid, the held
// block and the waiting lines grow as needed (no line of a record, a block
// or the CSV text is dropped); only the characters of a field beyond
// column ZEILNG are cut. The result is written to a temporary file that
// AwfEnde renames over the target, so a failed run keeps the previous file.
#pragma once

#include <cstdint>
#include <string>

inline constexpr int ZEILNG = 250;   // characters of a record line
inline constexpr int ZEISUP = 50;    // record lines cleared by AwfSatzLeeren
inline constexpr int OUTSUP = 50;    // output lines kept for the fill-up
inline constexpr int AWSLOTSUP = 30;  // numbered column slots
inline constexpr int AWCSVFELDSUP = 100;  // characters of a CSV field
inline constexpr int AWZEILEMAX = 100000;  // line offsets beyond are dropped (a key's nonsense)

struct awspalte {
    int32_t haupt;   // 1: output for main components
    int32_t unter;   // 1: output for sub components
    int32_t spalte;  // 1-based first character; 0 = not output
    int32_t zeile;   // 0-based line offset in the record
    int32_t breite;  // at most this many characters; 0 = no limit
};

// Column slots beside the 30 numbered ones (0..29).
enum AwfSlot { AWF_KENN = AWSLOTSUP, AWF_PFAD, AWF_TEXT1, AWF_SLOTANZ = AWF_TEXT1 + 5 };

// The text form "[flags] column line width" of a column key.
awspalte AwfSpalteAusText(const char* text);

// Starts a run: clears the slots and the CSV text, reads `seiten`, `zeilen`
// and the keys `kenn`, `pfad`, `texta`..`texte`, `beschr` (slot 0) with the
// key prefix (which stays set for the generator), creates the result file.
// -1 with the warning "Kann Ausgabedatei %s nicht anlegen." when it cannot.
int AwfStart(const char* praefix, const char* datei);
// Flushes, writes the numbers of the remaining pages, closes the file.
// -1 with the same warning when the file could not be written (the previous
// file stays). Does nothing without a run.
int AwfEnde();
bool AwfLaeuft();
// Ends a run without touching the result file (the previous one stays).
void AwfVerwerfen();

void AwfSatzLeeren();
// Places one field; `unter` 0 for a main component, 1 for a sub component.
void AwfFeld(const char* text, const awspalte* sp, int zusatz, int unter);
void AwfSatzAus();
void AwfZeile(const char* text);
void AwfLeerzeilen(int n);
void AwfBlock(int ein);
// With paging: the next line opens a page (unless it does already).
void AwfNeueSeite();
// The smallest column start above c among all slots (below 10000); 0 none.
int AwfNaechsteSpalte(int c);

// Slots: read from a key (with the prefix) or a text; place a text.
void AwfSlotLesen(int slot, const char* schluessel);
void AwfSlotAusText(int slot, const char* text);
const awspalte& AwfSlotSpalte(int slot);
void AwfSlotFeld(int slot, const char* text, int zusatz = 0, int unter = 0);
void AwfPfadLoeschen();
void AwfBreiteLesen(const char* schluessel);
int AwfBreite();

// CSV text: flags set before a run; the text stays after it.
void AwfCsvModus(int anfuehren, int tab);
const std::string& AwfCsvText();
int AwfCsvKopieren();
// Writes the CSV text to a file (atomically); -1 with a warning.
int AwfCsvSchreiben(const char* pfad);
// True when a CSV field counts as a number (never quoted by the flag).
bool AwfIstZahl(const char* text);
// One CSV field as it is written: quoted when the flag asks for a text, and
// always when it holds the separator, '"', CR or LF ('"' doubled).
std::string AwfCsvFeld(const char* text, int anfuehren, char trenner);
