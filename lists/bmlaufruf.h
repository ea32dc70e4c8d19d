// Calls of the equipment list page into the editor's choosers, equipment-text
// dialogs, previews and drag buttons that take the page's arguments: one
// table of function pointers, never null. Each dialog entry starts as a
// stand-in that opens the dialog by its number through the editor's call
// table (DBDialogOeffnen); previews and drags do nothing. BmlAnmelden
// (bmlbearb.h) installs the editor dialogs' real functions at start-up with
// BmlAufrufeSetzen (null entries keep what was installed); tests install
// recording ones over the stand-ins. Prefix `BmlAufruf`; the entries keep the names of the
// functions they stand for. Calls editor/edtaufrufe.
#pragma once

#include <cstdint>

#include "platform/windef.h"

using BmlWahlFn = void (*)(const char* gewaehlt);

struct BmlAufrufe {
    // Article chooser; hands the chosen article number to `fertig`.
    void (*DB1210Oeffnen)(BmlWahlFn fertig) = nullptr;
    // Library chooser of kind 0 dispo, 1 principle, 2 contact mirror.
    void (*DB1232Oeffnen)(int art, BmlWahlFn fertig) = nullptr;
    // Component texts of (id, code, number); `zeile` the text line of a
    // text row, the number of a placed component row, else 0.
    void (*DB1357Oeffnen)(uint32_t id, const char* code, int nr, int zeile) = nullptr;
    // Terminal texts of an item; mode 1 vertical.
    void (*DB1358Oeffnen)(uint32_t id, int modus) = nullptr;
    // An open DB1357 / DB1358 follows the page's row (nothing when closed).
    void (*DB1357Zeigen)(uint32_t id, const char* code, int nr, int zeile) = nullptr;
    void (*DB1358Zeigen)(uint32_t id) = nullptr;
    // Renumbering of an item, owned by the page's window.
    void (*DB1360Oeffnen)(uint32_t id, HWND besitzer) = nullptr;
    // Component preview into a control of the current dialog, and into a
    // window (the big preview).
    void (*BtlVorschauZeichnen)(const char* name, const char* bib, int control, int var, int q) = nullptr;
    void (*BtlVorschauFenster)(const char* name, const char* bib, HWND fenster, int var, int q) = nullptr;
    // An empty preview control (no component chosen).
    void (*VorschauLeeren)(int control) = nullptr;
    // The big preview: a child `neueId` of `dialog` over `control` (corner,
    // size in dialog units); 0 when none was made. One at a time.
    HWND (*VorschauAnlegen)(HWND dialog, int control, int ecke, int groesse, int neueId) = nullptr;
    void (*VorschauEntfernen)() = nullptr;
    // Drag buttons and dragging onto the drawing.
    void (*ZiehKnopfAnmelden)(HWND eltern, int control, int befehl) = nullptr;
    void (*ZiehKnopfAbmelden)(int control) = nullptr;
    void (*ZiehenAnfang)(int art, const char* name) = nullptr;
    void (*ZiehenUeber)(int control, int x, int y) = nullptr;
    void (*ZiehenDispStop)(int control) = nullptr;
    int (*ZiehenEnde)() = nullptr;  // 1 when the drop landed on the drawing
};

// The table in force (every entry set).
const BmlAufrufe& BmlAufrufTabelle();
// Installs the non-null entries of a.
void BmlAufrufeSetzen(const BmlAufrufe& a);
// Back to the stand-ins (tests).
void BmlAufrufeStandard();
