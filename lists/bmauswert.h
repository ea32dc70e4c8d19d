// The equipment lists of the evaluations: one record per equipment item
// (type 0), the same with the item's article (type 3), and the standard
// fields every equipment-based list places. Prefix `Aw`. Calls the
// formatter and the catalogue's options (lists), equipment (sorted rows,
// texts) and model (drawing stems).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

struct bmzeile;

// Equipment text line n (from 1) of a row and article field n (1 the
// number, 2..11 its texts) by the external text mode, cut at a byte 4 after
// the first character, an "@L" reference resolved to its article text.
void AwEquipmentText(const bmzeile* z, int n, char* aus, size_t kap);
void AwArtikelText(const bmzeile* z, int n, char* aus, size_t kap);
// Places identifier, position and the five equipment texts of a row.
void AwStdFelder(const bmzeile* z);
// Reads the twenty `zustxt%d` columns (with the current prefix) into
// numbered slots erster .. erster + 19.
void AwZusatzLesen(int erster);
// Places the additional text columns of a row's component (code, nr).
// `code` and `nr` name the component whose generated texts the columns
// read; `unter` (-1: by the code) says whether the line stands for a sub
// component, which selects the columns by their main and sub flags.
void AwZusatzTexte(const bmzeile* z, const char* code, int nr, int unter = -1);
// Runs the equipment list on the current options (AwOptionen); mitArtikel
// 1 adds the article number in slot 0 (key `artik`). 0, or -1 when the
// result could not be written (the formatter warned).
int AwBetriebsmittelListe(int mitArtikel);
// The potential list: one record per potential item, then its placements
// as cells of `breit` characters, `anzahl` to a line indented by the
// leading number of `pfad`. 0, or -1 as above.
int AwPotentialListe();

// The drawing keys of the marked drawings of the project list, sorted
// ignoring case; AwMarkiert tells whether a drawing key is among them.
void AwMarkListe();
bool AwMarkiert(const char* schluessel);
// The only-marked test and the item filter of a row on the current options.
bool AwZeileFilter(const bmzeile* z);
// Ends a formatter run after its walk: a failed walk drops the result (the
// previous file stays), else the result is written; the key prefix is
// reset. 0, or -1 as AwfEnde.
int AwLaufEnde(int walk);
// The reference at t[p] ("@" and its run of reference characters, at least
// `mindestens` of them): when the reference test accepts it for the
// component (id, code, number; `etikett` the label mode), it is resolved
// with the field option as context and put in its place. The index behind
// the reference or its value into *ende; 1 when it was resolved.
int AwVerweisAufloesen(std::string& t, size_t p, size_t* ende, uint32_t id, const char* code, int nr, int etikett,
                       size_t mindestens);
// The sorted walk of the equipment rows; a walk that failed (its sort
// could not write or read) says so: -1 after the message.
int AwSortiertDurchlaufen(int (*filter)(const bmzeile*, void*), void (*aus)(const bmzeile*, void*), int code, void* benutzer);
