// Sectioned tables: fixed-size records grouped into named sections, shown as
// two list displays (the section list, always control 4600, and the record
// list of the current section), with the editing and clipboard commands
// 2550-2564 and the section text file. Also the owner-draw handlers that
// give standard list and combo boxes the list look (item markup ESC F, B, O,
// S), and the dialog texts of the "<dialog>_TEXT" resources.
// Prefix `Els`, `Dlg`. Tables are found by (current dialog, record list id).
// The pieces the record lists share (metrics, item painting, headings,
// record commands, clipboard lines) are exported here too.
// May call: platform/, support/, config/, winlib/, controls/lisanzeige.h,
// controls/ctlkern.h.
#pragma once

#include <functional>
#include <string>

#include <cstdint>

#include "controls/lisanzeige.h"
#include "platform/windef.h"
#include "support/struarr.h"

struct BDAT;

inline constexpr int ELSSUP = 20;             // live tables
inline constexpr int ELSSEITENLISTE = 4600;   // the section list's display id
inline constexpr int ELSNAMESUP = 40;         // characters of a section name
inline constexpr int ELSKOPFSUP = 48;         // bytes of the record header
inline constexpr int ELSMENUSUP = 20;         // characters of the menu name
inline constexpr int ELSZEILESUP = 200;       // characters of a file or clipboard line
inline constexpr int ELSKOPIESUP = 100000;    // characters copied to or pasted from the clipboard
inline constexpr int ELSPUFFERSUP = 101000;   // the clipboard buffer

// The header every record starts with (owned by the table), and a section.
struct ElsKopf {
    int32_t nummer;
    char name[ELSKOPFSUP - 4];
};
static_assert(sizeof(ElsKopf) == ELSKOPFSUP);

using ElsLeseFn = int (*)(void* satz, const char* zeile);            // 1: the line made a record
using ElsFormatFn = void (*)(const void* satz, char* zeile, int groesse);
using ElsSatzFn = void (*)(void* satz);                              // init and blank
using ElsKopfFn = int (*)(int index, char* text);                    // column or -1; text: 256 bytes
using ElsSeitenFn = void (*)(int anzahl, int phase);

void ElsAnlegen(int id, int groesse, ElsLeseFn lesen, ElsFormatFn format, ElsSatzFn init, ElsSatzFn leer,
                const char* menu);
void ElsAufbauen(int id, ElsKopfFn kopf, LisHoeheFn hoehe, LisMalFn malen, LisEreignisFn ereignis);
void ElsSeitenRueckruf(int id, ElsSeitenFn rueckruf);
void ElsNeuZeigen(int id);
void ElsLesen(int id, const char* datei);
int ElsSchreiben(int id, const char* datei);
void ElsBefehl(int id, int befehl);
void ElsFreigeben(int id);
int ElsGeaendert(int id);
void ElsGeaendertSetzen(int id, int flag);
int ElsAnzahl(int id);
int ElsSeiteAnzahl(int id);
void* ElsSatz(int id, int i);
void* ElsSeiteSatz(int id, int i);
SARR* ElsSatzFeld(int id);
int ElsSeitenAnzahl(int id);  // sections (tests, dialogs)
// Ids end at the first one outside 1000..5999.
void ElsSchriftIds(int n, ...);

// ---- Owner-drawn list and combo boxes ---------------------------------------------------------
using ElsTextFn = const char* (*)(int index);
int ElsLbZeichnen(int id, ElsTextFn text, UINT nachricht, WPARAM wp, LPARAM lp);
int ElsCbZeichnen(int id, ElsTextFn text, UINT nachricht, WPARAM wp, LPARAM lp);
void ElsMarkFarbe(int* r, int* g, int* b);
void ElsMarkFarbeSetzen(int r, int g, int b);

// The item markup with the given metrics, pen width and colours already
// selected into the DC: draws from (x, y), stops at byte 3 after a
// sequence or at the end. Shared with the record lists.
void ElsMarkupZeichnen(HDC dc, int x, int y, const char* text, int cw, int lh, int stift);
// The text of item `index` of an owner-drawn list (`liste`) or combo box: from
// `fn` when given, else the box's own string ("" when there is none). Shared
// with the record lists.
std::string ElsEintragText(HWND box, bool liste, int index, ElsTextFn fn);

// The application dialog font's metrics, measured once: line height,
// average character width and the pen width of the item markup. Shared with
// the record lists.
struct ElsMasse {
    int lh, cw, stift;
};
const ElsMasse& ElsMessen();
// Paints owner-drawn item `di` in the list look: fills `flaeche` with
// `grund`, selects a pen of the markup width in the window text colour (the
// text colour too) for `inhalt`, restores the DC and draws the focus box on
// the whole item when the surface style shows it. Shared with the record lists.
void ElsEintragMalen(const DRAWITEMSTRUCT& di, const RECT& flaeche, COLORREF grund,
                     const std::function<void(HDC dc)>& inhalt);

// ---- Shared with the record lists --------------------------------------------------------------
// The column headings of list display `id`: kopf(0), kopf(1), ... until -1
// (at most 100).
void ElsUeberschriften(int id, ElsKopfFn kopf);
// The record commands both give the same meaning: 2550 a new record above
// the cursor, 2555 below it, 2551 deletes the marked ones, 2552 copies them,
// 2553 cuts (the deletion is posted only after a complete copy), 2554
// pastes. False for any other command.
struct ElsSatzBefehle {
    std::function<void(bool darunter)> neu;
    std::function<void()> loeschen;
    std::function<bool()> kopieren;  // false when not everything fitted
    std::function<void()> einfuegen;
};
bool ElsSatzBefehl(int befehl, const ElsSatzBefehle& aktionen);
// Clipboard lines carry tabs where records have FS (0x1C). `text` (an
// fmalloc block, taken and freed) goes to the clipboard.
void ElsAblageAbgeben(char* text);
// Warns when marked rows were left out of a copy (at most `grenze`
// characters fit); returns `vollstaendig`.
bool ElsKopieMelden(bool vollstaendig, int grenze);
// Pasting: every line of `text` (LF-ended, cut at its first CR; tabs become
// FS in place) is read by `lesen` into `arbeit`; a record (1) is inserted
// into `saetze` at *index, which moves on; `arbeit` is reset from `vorlage`
// (`groesse` bytes) after every line. Stops where `lesen` is null or returns
// 0; false when a line longer than `zeileSup` characters stopped it.
bool ElsAblageLesen(char* text, int zeileSup, ElsLeseFn lesen, void* arbeit, const void* vorlage, int groesse,
                    SARR* saetze, int* index);
// A file's records into a slot's array, for the tables and the record
// lists: each line (at most `zeileSup` characters) is read by `lesen` into
// `arbeit` and appended when it answers 1; with `abschnitte` a line
// beginning ")" other than ")S" and ")I" ends the file. False when the
// file cannot be opened or was read short; after a short read the array is
// empty again, the path is kept in `kurz` (the short copy must never be
// written over the file) and a warning is shown. The caller then gives the
// slot its fresh record.
bool ElsDateiLesen(const char* datei, int zeileSup, bool abschnitte, ElsLeseFn lesen, char* arbeit, int groesse,
                   SARR* saetze, std::string& kurz);
// Its writing counterpart: makes `datei` and has `zeilen` write the records'
// lines into it (false when a line could not be written). ERROR, with the
// file untouched, when `datei` is the short copy `kurz`; ERROR too when the
// file cannot be made or a line or the closing fails; else 0.
int ElsDateiSchreiben(const char* datei, const std::string& kurz, const std::function<bool(BDAT*)>& zeilen);

// ---- Dialog texts ------------------------------------------------------------------------------
// The key of RCDATA "<current dialog>_TEXT" ("Main_TEXT" for the main window).
const char* DlgTextHolen(const char* schluessel);
const char* DlgTextHolenFuer(const char* dialog, const char* schluessel);
