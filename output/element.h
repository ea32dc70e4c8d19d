// Element renderer: every output of a drawing goes through this one core. It
// takes the primitive records that the drawing model hands out (codes 40..69
// with the graphic state in force), works out their geometry in world units
// and calls the primitives of one output device. Prefix `Elem`; the
// background drawing of the editor view is `HgZeichnen`. Calls model/
// (geometry, state, standard texts, text variables, library paths, drawing
// walks), equipment/ (placeholder texts), config/ (paths), support/, and
// output/gdi for the screen devices.
//
// A device (`ELEMGERAET`) is a table of primitives plus five variation
// points: the placement applied to every coordinate (none, the device style
// set of output/stil, or a placement transform), the text extent (measured
// by the device's font, or length x height x width factor), whether a text
// too small to read is drawn as its outline, a hook called with each text's
// first line (viewer link marks, PDF), and the pen member (0 skips the
// element). Members, order and geometry are the same for every device.
//
// State: per device its text-suppressed flag (no caller sets it but tests)
// and, for devices that honour layers, 21 layer flags; nothing else is kept
// between calls.
#pragma once

#include <cstddef>
#include <cstdint>

#include "model/justage.h"

struct BEF;
struct STT;

inline constexpr int ELEMLAYERSUP = 20;    // layer flags 1..20 (0 is always on)
inline constexpr int ELEMSTILSUP = 99;     // pen styles 1..99
inline constexpr int ELEMBLOCKSUP = 80;    // characters of a block name before '@'
inline constexpr int ELEMMESSSUP = 250;    // letters measured for a block's width

// Placement of coordinates before they reach the primitives.
inline constexpr int ELEM_PLATZ_KEINE = 0;
inline constexpr int ELEM_PLATZ_STIL = 1;  // StilPunkt / StilMass / StilWinkel
inline constexpr int ELEM_PLATZ_JUS = 2;   // JusPunkt / JusMass / JusWinkel of `jus`

struct ELEMGERAET {
    void* benutzer;
    // Pen for an element: pen style 1..99 (already clamped), the state for
    // line type and dash length; 0 skips the element.
    int (*stift)(void* b, int stil, const STT* s);
    void (*linie)(void* b, double x1, double y1, double x2, double y2);
    void (*rechteck)(void* b, double x1, double y1, double x2, double y2, int gefuellt);
    // pts: n points as x, y pairs.
    void (*polygon)(void* b, const double* pts, int n, int gefuellt);
    void (*ellipse)(void* b, double x1, double y1, double x2, double y2, int gefuellt);
    void (*ellipseGedreht)(void* b, double cx, double cy, double rx, double ry, int drehung, int gefuellt);
    void (*bogen)(void* b, double cx, double cy, double rx, double ry, int drehung, int modus, int anfang,
                  int ende);
    void (*schrift)(void* b, int font, int winkel, double hoehe, double faktor);
    // Too small to read (null: never): the outline is drawn instead.
    int (*zuKlein)(void* b);
    // Text extent in world units (null: length x height x width factor, and
    // the height).
    void (*textGroesse)(void* b, const char* text, double* breite, double* hoehe);
    void (*textZeile)(void* b, double x, double y, const char* text, int stdtext);
    // Called with line 0 and the block's origin before the lines (may be null).
    void (*ersteZeile)(void* b, const char* zeile, double x, double y, const STT* s);
    int (*bild)(void* b, double x1, double y1, double x2, double y2, int drehung, const char* datei);
    int platzierung;           // ELEM_PLATZ_...
    const JusTrafo* jus;       // for ELEM_PLATZ_JUS
    int textAus;               // text-suppressed flag of this device
    int layerAn;               // honours the layer flags below
    uint8_t layer[ELEMLAYERSUP + 1];
    int attributAus = 0;       // attribute texts (byte 1, kind letter, text) hidden
};

// ---- Members -------------------------------------------------------------------------------
// The pen style of an element: the style argument unless 0, else the state's
// pen; clamped to 1..99 (a state pen 0 selects entry 0, never entry -1).
int ElemStilNummer(int stil, const STT* s);
// Pen member: 0 skips the element.
int ElemStift(ELEMGERAET* g, const STT* s, int stil);
void ElemLinie(ELEMGERAET* g, const BEF* b, const STT* s);
void ElemRechteck(ELEMGERAET* g, const BEF* b, const STT* s);
void ElemDreieck(ELEMGERAET* g, const BEF* b, const STT* s);
void ElemEllipse(ELEMGERAET* g, const BEF* b, const STT* s);
void ElemTextAus(ELEMGERAET* g, int an);
// Text flags: a standard-text mode, b horizontal (0 left, 1 centre, 2 right),
// c vertical (0 base line, 1 centre of the block).
void ElemText(ELEMGERAET* g, const char* text, const STT* s, int a, int bx, int c);
// Steps 1 to 5 of a text shared by every device, the DXF export included:
// placeholder and reference texts are skipped, an attribute text (byte 1,
// kind letter, text) shows its text unless `attributAus`, variables are
// expanded, and the lines go into the standard-text list. The number of
// lines, 0 when nothing is to be drawn.
int ElemTextZeilen(const char* text, const STT* s, int a, int attributAus);
int ElemBild(ELEMGERAET* g, const BEF* b, const STT* s);
// The file of a picture record: a library picture (int0 != 0) lies in the
// folder of the state's component library, any other in the project folder.
void ElemBildPfad(const BEF* b, const STT* s, char* aus, size_t kap);
// The element switch: codes 40..69, others ignored. 1 when drawn through a
// member, else 0.
int ElemZeichnen(ELEMGERAET* g, const BEF* b, const STT* s);

// ---- Layer flags -----------------------------------------------------------------------------
// Start of a drawing: flag 0 on, flags 1..20 from the layers shown.
void ElemLayerAnfang(ELEMGERAET* g);
// LRA (code 16): flag min(max(int0, 1), 20) becomes int1. 1 when it was LRA.
int ElemLayerSchalten(ELEMGERAET* g, const BEF* b);
// The state's layer is shown on this device (always without layer flags).
int ElemLayerAn(const ELEMGERAET* g, const STT* s);

// ---- Screen devices ------------------------------------------------------------------------
// The screen copy that draws the background drawing through output/gdi.
ELEMGERAET* ElemBildschirm();
// The pen of the screen: the viewer's pen table, dash term and unit scaled
// through the current mapping.
int ElemBildschirmStift(int stil, const STT* s);
// Walk callback passing every element to the screen background copy.
int ElemRueckruf(const BEF* b, const STT* s);
// Clears the text-suppressed flag of the screen copies.
void RenderMerkerLoeschen();

// ---- Background drawing --------------------------------------------------------------------
// Editor-owned inputs: whether the background drawing is shown, its file
// name and colour, and the PKT point size (tenths). The stand-ins give "off"
// and 5 tenths until the editor registers its own.
struct ElemEditorHaken {
    int (*hgAn)() = nullptr;
    void (*hgName)(char* puffer, size_t groesse) = nullptr;
    void (*hgFarbe)(int rgb[3]) = nullptr;
    int (*pktGroesse)() = nullptr;
};
// Installs the members that are set (null members keep what was there).
void ElemEditorHakenSetzen(const ElemEditorHaken& h);
// The PKT point size (tenths) every device draws with.
int ElemPunktGroesse();
// The file of a background name: without a folder it is looked up by
// PfadHPfadDatei, with one it is used as it stands.
void HgPfad(const char* name, char* aus, size_t kap);
// Draws the background drawing into the current GDI target when it is shown.
void HgZeichnen();

// Installs the renderer's services into the drawing model's hook table
// (`HintergrundZeichnen`). Called once at start.
void ElemDiensteEintragen();
