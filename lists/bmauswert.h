// The equipment lists of the evaluations: one record per equipment item
// (type 0), the same with the item's article (type 3), and the standard
// fields every equipment-based list places. Prefix `Aw`. Calls the
// formatter and the catalogue's options (lists), equipment (sorted rows,
// texts) and model (drawing stems).
#pragma once

struct bmzeile;

// Places identifier, position and the five equipment texts of a row.
void AwStdFelder(const bmzeile* z);
// Reads the twenty `zustxt%d` columns (with the current prefix) into
// numbered slots erster .. erster + 19.
void AwZusatzLesen(int erster);
// Places the additional text columns of a row's component (code, nr).
void AwZusatzTexte(const bmzeile* z, const char* code, int nr);
// Runs the equipment list on the current options (AwOptionen); mitArtikel
// 1 adds the article number in slot 0 (key `artik`). 0, or -1 when the
// result could not be written (the formatter warned).
int AwBetriebsmittelListe(int mitArtikel);
