// The file update of a folder of an older program version ("Datei-Update",
// main command 1520): version-2 component pairs, old drawings, version-5
// component libraries and the version-7 equipment lists are converted in
// place; the dialog "ZV5Import" drives it and shows the counts. Prefix
// `Zv5`. Calls model (old readers, drawing files, libraries, the batch
// copier), equipment (equipment store, version-7 import), config (paths,
// texts, change counter), winlib (dialogs, boxes, busy cursor, page
// services) and support.
//
// Nothing lost: every listing is taken before anything is renamed, a
// ".tmp" file is never a source, an old file goes only after its new form
// is complete, and the working folder and the project folder are restored
// on every exit path.
#pragma once

struct Zv5Zaehler {
    int zeichnungen;   // 3200
    int bib5;          // 3201 version-5 component files
    int bib3;          // 3202 version-2 pairs ("Zavik 3")
    int bm;            // 3203 equipment lists (0 or 1)
};

// Converts the old files of `ordner`; the counts in `z`. 0, or -1 when the
// folder cannot be listed (nothing changed).
int Zv5Konvertieren(const char* ordner, Zv5Zaehler* z);
// Converts a version-5 library into the (existing, empty) current library
// `neu` in batches; 0 when every component went in, else -1 (reported).
int Zv5BibKonvertieren(const char* alt, const char* neu);
// The status line 3100 of the open dialog (nothing when none is open).
void Zv5Status(const char* text);
// Main command 1520: the dialog "ZV5Import".
void Zv5DlgOeffnen();
void PvwDateiUpdate();
