// Drawing view: shows a sheet in control 5000 (an ORVAGUCK window) of the
// current dialog and lets the user zoom and scroll it. Owns zoom and centre
// (percent of the sheet), the sheet rectangle, the cross cursor's world
// point, the scroll bars 5001/5002, the corner button 5003, the two controls
// below the view (5010, 5020) and the first handling of keys and mouse. The
// editor and the viewer attach the one view to their dialog in turn; the
// view's window forwards its input to the dialog, whose procedure passes it
// to `AnsichtNachricht`. Also the screen services the drawing model reaches
// through its hooks (`AnsichtDiensteEintragen`). Prefix `Ansicht`;
// file-static helpers `ans`. Calls platform/ (window manager, scroll bars,
// input), winlib/ (current dialog), model/ (grid snap, the drawing
// window's paint, the hook table), output/gdi, output/strich, output/guck.
//
// State (one view, GUI thread): zoom 25..3200 and centre 0..100 always held
// to their ranges; the view's pixel size and origin measured from 5000;
// handlers for keys, mouse and painting; a drag state. Invariants:
//  1. Every change of zoom, centre, sheet or size ends in a refit
//     (`AnsichtEinpassen`): mapping, invalidation, scroll bars, cursor.
//  2. Nothing is drawn into the window while no view is attached, while a
//     paint is running (direct drawing) or while another GDI target (printer,
//     bitmap, metafile) is current; a paint skipped for a target is made up
//     once that target has ended.
//  3. The dash state of output/strich is the same after a paint as before.
#pragma once

#include "platform/windef.h"

inline constexpr int ANSICHT_FENSTER = 5000;
inline constexpr int ANSICHT_VSCROLL = 5001;
inline constexpr int ANSICHT_HSCROLL = 5002;
inline constexpr int ANSICHT_ECKE = 5003;
inline constexpr int ANSICHT_UNTEN = 5010;       // moves down with the dialog
inline constexpr int ANSICHT_UNTENBREIT = 5020;  // moves down and widens
inline constexpr int ANSICHTZOOMMIN = 25;
inline constexpr int ANSICHTZOOMMAX = 3200;
inline constexpr int ANSICHTZIEHEN = 5;          // pixels before a press becomes a drag
inline constexpr int ANSICHTZIEHZOOM = 11;       // a drag wider and higher than this zooms
inline constexpr double ANSICHTSCHATTEN = 4;     // sheet shadow in world units

// Key and mouse handlers get the message (client pixels of the view for
// mouse messages); the paint handler draws into the current GDI target.
using AnsichtHakenFn = int (*)(UINT nachricht, WPARAM wp, LPARAM lp);
using AnsichtMalFn = void (*)();

// ---- Attaching -----------------------------------------------------------------------------
// Takes 5000..5003, 5010, 5020 of the current dialog, measures, sets the A4
// sheet and the start view. 0, or -1 when the dialog has no control 5000.
int AnsichtAnbinden();
void AnsichtLoesen();
// The view window, 0 while none is attached.
HWND AnsichtFenster();
void AnsichtNeuMessen();
// Control rectangles in the dialog's client coordinates.
RECT AnsichtItemRect(int id);
void AnsichtItemSetzen(int id, int x1, int y1, int x2, int y2);
void AnsichtMausFangen(int an);
void AnsichtFokus();
void AnsichtHaken(AnsichtHakenFn taste, AnsichtHakenFn maus, int eckBefehl);
void AnsichtMalHaken(AnsichtMalFn malen);
void AnsichtGroesseSperren(int flag);
void AnsichtZiehenVerfolgen(int flag);
void AnsichtMausVerfolgen(HWND fenster, int flag);
void AnsichtTasteUnten(int flag);
void AnsichtRahmenSetzen(int flag);
void AnsichtHintergrund(int r, int g, int b);

// ---- Sheet and start ------------------------------------------------------------------------
void AnsichtWeltSetzen(double x0, double y0, double x1, double y1);
void AnsichtBlattSetzen(double w, double h);
void AnsichtA4();
void AnsichtA3();
void AnsichtStart();
void AnsichtStartpunktSetzen(double x, double y);
void AnsichtSchrittSetzen(double dx, double dy);
void AnsichtBlattStandard();
// The sheet rectangle x0, y0, x1, y1.
void AnsichtRandHolen(double r[4]);

// ---- Zoom and centre ------------------------------------------------------------------------
void AnsichtZoom(int p);
void AnsichtZoomFaktor(int p);
void AnsichtMitteX(int p);
void AnsichtMitteXPlus(int d);
void AnsichtMitteY(int p);
void AnsichtMitteYPlus(int d);
void AnsichtZoomSetzen3(int zoom, int cx, int cy);
void AnsichtZoomSetzenFeld(const int v[3]);
void AnsichtZoomHolen(int* zoom, int* cx, int* cy);
// The zoom and centre the view had when it was last taken from the window
// `fenster` (the editor and the viewer take it in turn); false when never.
bool AnsichtZoomZuletzt(HWND fenster, int* zoom, int* cx, int* cy);
void AnsichtZoomRechteck(double x1, double y1, double x2, double y2);
void AnsichtZoomBefehl(const char* text);
void AnsichtBefehl(const char* text);
void AnsichtEinpassen();

// ---- Cursor point ------------------------------------------------------------------------------
// Clamped to the sheet; the cross cursor follows, the view does not scroll.
void AnsichtMitteSetzen(double x, double y);
void AnsichtKreuzWelt(double x, double y);
void AnsichtPunktSchieben(int nx, int ny);
void AnsichtKreuzRaster(double x0, double sx, double y0, double sy);
void AnsichtKreuzSetzen(int px, int py);
void AnsichtKreuzZeigen(int an);
void AnsichtCaretModus(int an);
void AnsichtFadenkreuz(int an);
void AnsichtFadenkreuzZeigen(int an);

// ---- Queries --------------------------------------------------------------------------------------
// Within the visible world rectangle; 1 without a view (nothing to scroll).
int AnsichtPunktSichtbar(double x, double y);
int AnsichtPunktImBlatt(double x, double y);
// The cursor point.
void AnsichtMitteHolen(double* x, double* y);
void AnsichtPixelGroesse(int* w, int* h);
// 0 Shift, 1 Ctrl, 2 Alt: 1 while held.
int TasteGedrueckt(int welche);

// ---- Drawing ----------------------------------------------------------------------------------------
void AnsichtNeuZeichnen();
void AnsichtRechteckNeu(int x1, int y1, int x2, int y2);
// The view's DC as the GDI target, for drawing outside a paint; 0 while no
// view is attached, a paint runs or another target is current.
HDC AnsichtDCHolen();
void AnsichtDCFreigeben(HDC dc);
// 1 when the view window's paint must wait for another drawing target to
// end (the view then paints again by itself); 0 to paint now.
int AnsichtMalenAufschieben(HWND fenster);
// The view window's paint into its paint DC.
void AnsichtMalen(HWND fenster, HDC dc);
void AnsichtRahmenMalen();
// Rubber rectangle in view pixels (mode of GdiGummiband), drawn directly.
void AnsichtGummiband(int modus, int x1, int y1, int x2, int y2);

// ---- Input ------------------------------------------------------------------------------------------
// 1 when the view took the message, else 0.
int AnsichtNachricht(UINT nachricht, WPARAM wp, LPARAM lp);
void AnsichtHScroll(int code, int pos);
void AnsichtVScroll(int code, int pos);
void AnsichtAnpassen(int breite, int hoehe);
void AnsichtMaus(UINT nachricht, WPARAM wp, LPARAM lp);
void AnsichtZeichen(int zeichen);
void AnsichtPfeil(int vk);
void AnsichtRollbalken();

// ---- Printing ----------------------------------------------------------------------------------------
void DruckAbbildungSetzen(int pw, int ph, double ww, double wh, int dx, int dy);

// ---- Services of the screen output (hooks of the drawing model, start-up) ----------------------------
void AnsichtKlasseAnmelden();
void AnsichtKlasseAbmelden();
void AusgabeInit();
void AusgabeEnde();
// Zoom, centre x, centre y.
void AnsichtHolen(int* zoom, int* cx, int* cy);
// The visible world rectangle becomes this sheet (start view).
void AnsichtFenster(double x1, double y1, double x2, double y2);
void CursorMarkeSetzen(double x, double y);
// Invalidates the pixel rectangle as given (callers widen it).
void AnsichtBereichNeuZeichnen(int x1, int y1, int x2, int y2);
int AnsichtPunktImFenster(double x, double y);
void AnsichtSichtbarHolen(double* x1, double* y1, double* x2, double* y2);
// One grid mark: a pixel in the pen's colour (pen 0: grey).
void RasterPunktZeichnen(double x, double y, int stift);
void AnsichtAusgabeSperren(int flag);
void AnsichtAusgabeFreigeben(int flag);
// The two output switches (nothing here reads them).
void AnsichtAusgabeSchalter(int* sperren, int* freigeben);
// Installs the services above into the drawing model's hook table.
void AnsichtDiensteEintragen();
