// Import dialogs: "DXFImport", "HPGLImport" and "TXTImport" take the target
// name, the placement (rotation, offset, scale; for HPGL the plot window)
// and the header texts of a new drawing, run the importer and complete the
// header. The run is the plain `ImpAusfuehren` under the dialogs. Prefix
// `Imp` (the dialogs' helpers `id`). Calls config (defaults, paths,
// changes), model (drawing headers, the text reader), equipment (header
// cache), output (the DXF and HPGL importers) and winlib (dialogs).
#pragma once

#include "model/justage.h"
#include "model/zeichnun.h"
#include "platform/windef.h"

inline constexpr int IMPSTAMMSUP = 40;
inline constexpr int IMPENDUNGSUP = 10;
inline constexpr int IMPBEZSUP = 40;   // "Bauwerk", "Objekt"

enum { IMP_DXF = 0, IMP_HPGL = 1, IMP_TXT = 2 };

// What the dialog read: the request, the placement and the header fields
// (an empty field keeps what the importer wrote).
struct ImpEingabe {
    int art;
    char quelle[260];
    char stamm[IMPSTAMMSUP + 1];
    char endung[IMPENDUNGSUP + 1];
    JusTrafo trafo;
    double fenster[4];   // HPGL: left, bottom, right, top in mm
    char index[ZEIKURZSUP + 1];
    char titel[5][ZEITITELSUP + 1];
    char bauwerk[IMPBEZSUP + 1];
    char objekt[IMPBEZSUP + 1];
    int a4;              // the "A4" format button
};

// The target's name ("stem.extension"); 0, or -1 with the message given
// when stem or extension is empty or holds '.', '/', '\' or ':'.
int ImpZielName(const ImpEingabe* e, char* name, int groesse);
// Runs the import: 0 done (header written, change counted, 2998/9 sent);
// 1 refused before anything was written (existing target, bad name or
// scale); -1 failed after a message, no partial drawing left.
int ImpAusfuehren(const ImpEingabe* e);

HWND ImpDlgOeffnen(int art, const char* quelle, const char* stamm, const char* endung);

// The defaults editor for a group ("DXFImp", "HPGL"); the frame installs it.
void ImpVgbGruppeHakenSetzen(void (*haken)(const char* gruppe));
// Opens the defaults editor the frame installed for a group (also the
// export dialog's "Einstellen...").
void ImpVgbGruppeEditieren(const char* gruppe);
