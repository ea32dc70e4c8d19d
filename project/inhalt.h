// Table of contents "Inhalt.txt", the subtitle list (file named by the
// defaults key `IVUTdatnam`) and the HTML index page "Inhalt.html". The two
// text files are laid out in fixed columns by the "IV..." keys of the
// defaults set and written from the project manager's drawing list, put in
// number order with headings for the time of the write. Owns the settings
// read by IvEinstellungenLesen and the one open HTML index. Prefixes `Iv`
// (settings, column layout), `Html` (index page), `Pvw` (the writers the
// frame calls). Calls support (buffered files, dates, sort, texts), config
// (project folder, defaults set), model (drawing names and headers),
// equipment (title texts, translations) and project/pvwliste.
//
// Every file is written to a temporary name and renamed over the old one on
// a clean close; a failed create or write leaves the old file and gives -1.
#pragma once

#include <cstddef>

inline constexpr int IVPUFFERSUP = 300;  // characters of one line buffer of an output entry
inline constexpr int IVTEXTSUP = 100;    // widest text a column places
inline constexpr int IVUTDATNAMSUP = 80; // characters of the subtitle-list file name
inline constexpr int IVKURZTEXTE = 5;    // short texts of a drawing, text lines of a subtitle

// A column: line buffer (1 first, 2 second, anything else the third), start
// column and width in characters.
struct IvSpalte {
    int zeile;
    int start;
    int breite;
};

// The three line buffers of an output entry.
using IvPuffer = char[3][IVPUFFERSUP + 1];

// Reads one column setting of the defaults set ("w", "s w" or "l s w");
// `zweiteZeile` reads fewer than three numbers as line 2, start, width.
// The defaults set must be open (VgbOeffnen).
IvSpalte IvSpalteLesen(const char* schluessel, bool zweiteZeile = false);

// Blanks the three buffers.
void IvPufferLeeren(IvPuffer b);
// Overlays `text`, cut or padded to min(breite, IVTEXTSUP) characters, on
// buffer `zeile` from column `start`: only blanks of the buffer take the
// text's characters; nothing is written outside the buffer; width 0 or less
// places nothing.
void IvSpalteSetzen(IvPuffer b, const char* text, int breite, int start, int zeile);
inline void IvSpalteSetzen(IvPuffer b, const char* text, const IvSpalte& s)
{
    IvSpalteSetzen(b, text, s.breite, s.start, s.zeile);
}
// Finishing an entry: "|" into column 0 of the first buffer when blank
// there and of the other two when they hold anything; trailing blanks cut.
void IvPufferAbschliessen(IvPuffer b);

// Reads every setting of both text files. The writers read them themselves
// when they have not been read yet.
void IvEinstellungenLesen();
// The frame's name for IvEinstellungenLesen.
void PvwInhaltEinstLesen();
// Tests: forget the settings, so the next writer reads them again.
void IvEinstellungenVergessen();

// Writes "Inhalt.txt" into the project folder (an empty list deletes it).
// 0, or -1 when the file could not be created or written (the old one stays).
int PvwInhaltSchreiben();
// Writes the subtitle list when `IVUTdatnam` is not blank and `IVUTseiten`
// is not 0 (an empty list deletes the file). 0, or -1 as above.
int PvwUntertitelSchreiben();

// The HTML index page in a folder: begin (an index still open is finished
// first), one row per exported drawing, end. Each 0, or -1 when the file
// could not be created or written or no index is open; a failed write keeps
// the old page when the index ends.
int HtmlIndexBeginnen(const char* ordner);
int HtmlIndexZeile(const char* zeichnung, const char* datei);
int HtmlIndexBeenden();
