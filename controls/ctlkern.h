// Class core of the six custom controls: registration (ctlKlassenAnmelden
// registers ORVADISP, ORVASHOW, ORVAEDIT, ORVAGRBU, ORVAMKAL and ORVASLDR),
// the per-window state rule (one zero-filled record made in WM_CREATE and
// kept in the user-data word; a failed allocation fails the creation), the
// owner rule, frame styles 0-3, button frames, the flat look, the four
// library fonts, the notification packing, escape-command helpers, text cells
// and the bitmap and metafile file routines used by the display control.
// Prefix `ctl` (and the system's names `bmp...`, `wmf...`).
// May call: platform/, support/, config/konfhaken.h, winlib/, and in
// controls/ the edit field's registration and the list colour and style
// setters it hands to the configuration layer.
#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/windef.h"

// ---- Class names --------------------------------------------------------------------------
inline constexpr const char* CTLDISPKLASSE = "ORVADISP";
inline constexpr const char* CTLSHOWKLASSE = "ORVASHOW";
inline constexpr const char* CTLEDITKLASSE = "ORVAEDIT";
inline constexpr const char* CTLGRBUKLASSE = "ORVAGRBU";
inline constexpr const char* CTLMKALKLASSE = "ORVAMKAL";
inline constexpr const char* CTLSLDRKLASSE = "ORVASLDR";

// ---- Notifications -------------------------------------------------------------------------
// Edit-style codes (high word of wParam).
inline constexpr int CTLFOKUSEIN = 0x100;
inline constexpr int CTLFOKUSAUS = 0x200;
inline constexpr int CTLGEAENDERT = 0x300;
inline constexpr int CTLBEARBEITET = 0x400;  // edited or clicked
// Gestures posted to the parent.
inline constexpr int CTLGESTEANFANG = 2062;
inline constexpr int CTLGESTEZUG = 2063;
inline constexpr int CTLGESTEENDE = 2064;

// (id & 0xFFFF) | code << 16.
WPARAM ctlMeldungsWort(int id, int code);
// Sends the edit-style notification WM_COMMAND(ctlMeldungsWort(id, code),
// lParam) to the parent of `fenster` (the window's own control id).
void ctlMelden(HWND fenster, int code, LPARAM lParam);
// A point of `fenster`'s client area in the parent's client coordinates,
// packed x low 16, y high 16 (signed 16/16).
LPARAM ctlPunktImEltern(HWND fenster, int x, int y);
// Posts WM_COMMAND(befehl, ctlPunktImEltern(x, y)) to the parent.
void ctlGestePosten(HWND fenster, int befehl, int x, int y);

// ---- Registration, look ---------------------------------------------------------------------
// Registers the six classes once (a second call does nothing), sets the flat
// look from the Windows version, and installs the receivers of the
// configuration layer's workstation settings (fonts 0..3, list colours,
// stripes and path mode of record lists). 0, or -1 when a class could not be registered (the
// ones registered are unregistered again).
int ctlKlassenAnmelden();
// Unregisters the classes, gives the configuration layer its stand-in
// receivers back and forgets the library fonts (deleting those made here).
void ctlKlassenAbmelden();
bool ctlKlassenAngemeldet();
// The flat look for a version: (major, minor) >= (5, 1), compared as numbers.
int ctlFlachAusVersion(int major, int minor);
int ctlFlachStil();
// Tests: force the flat look (0 or 1).
void ctlFlachStilSetzen(int flach);
// RGB(127, 157, 185) with the flat look, else 0.
COLORREF ctlFlachFarbe();

// ---- Library fonts --------------------------------------------------------------------------
inline constexpr int CTLSCHRIFTSUP = 4;
inline constexpr int CTLSCHRIFTNAMESUP = 83;  // characters of a face name
// The library font n; one not set is a stock font (0 system, 1 system fixed,
// 2 ANSI variable, 3 ANSI fixed); any other index: the system font.
HFONT ctlSchrift(int n);
// Creates and keeps font n (0..3) of the height and face (cut at 83); the
// previous font of that index is deleted when this module made it.
void ctlSchriftSetzen(int n, int hoehe, const char* name);
// Takes a font made by someone else (the configuration layer keeps and
// deletes it); 0 gives the stock font back.
void ctlSchriftEmpfangen(int n, HFONT schrift);
// The face and height kept for index n ("" and 0 when not set).
const char* ctlSchriftName(int n);
int ctlSchriftHoehe(int n);

// ---- Per-window state ------------------------------------------------------------------------
// A zero-filled record of `groesse` bytes kept in the user-data word; NULL
// when it cannot be had (the caller answers WM_CREATE with -1).
void* ctlZustandAnlegen(HWND fenster, long groesse);
void* ctlZustand(HWND fenster);
void ctlZustandFrei(HWND fenster);
template <class T>
T* ctlZustandVon(HWND fenster)
{
    return static_cast<T*>(ctlZustand(fenster));
}

// The parent when it has a caption, else the main window of the frame record.
HWND ctlBesitzer(HWND fenster);
// Hover is tracked only while the owner is the active window.
bool ctlBesitzerAktiv(HWND besitzer);

// ---- Painting --------------------------------------------------------------------------------
// Frame style 0-3 (low two bits of the style) around the client w x h.
void ctlRahmenMalen(HDC dc, int breite, int hoehe, DWORD stil);
// Background fill in `farbe`, leaving the outermost ring when a frame is set.
void ctlHintergrundMalen(HDC dc, int breite, int hoehe, DWORD stil, COLORREF farbe);
// The default background colour: button face with style bit 3, else window.
COLORREF ctlHintergrundFarbe(DWORD stil);
// The button frame (classic or flat) from pressed and hover.
void ctlKnopfRahmenMalen(HDC dc, int breite, int hoehe, bool gedrueckt, bool schwebend);

// ---- Escape commands, texts ------------------------------------------------------------------
// Reads "r g b" (atoi words, missing 0), each taken mod 256; returns the rest.
COLORREF ctlFarbeLesen(const char* text, const char** rest = nullptr);
// atoi of the next blank-separated word; *text moves past it; missing: 0.
int ctlZahlLesen(const char** text);
// Bounded copy: at most groesse - 1 characters and a terminator.
void ctlKopie(char* ziel, const char* quelle, size_t groesse);
// The next blank-separated word into puffer (cut to groesse - 1); "" at end.
void ctlWortLesen(const char** text, char* puffer, int groesse);

// Character cells of a fixed-pitch font: average width, height, visible
// characters (w - 8) / width (at most `hoechstens`), text top (h - height) / 2.
struct CtlZellen {
    int breite;
    int hoehe;
    int sichtbar;
    int oben;
};
CtlZellen ctlZellenMessen(HFONT schrift, int breite, int hoehe, int hoechstens);

// ---- Bitmap and metafile files ---------------------------------------------------------------
// A BMP file as a bitmap; with `box` (0, 0, width, height). 0 on any failure.
HBITMAP bmpDateiLaden(HDC dc, const char* datei, RECT* box);
// A bitmap resource of the module (0: the program's own).
HBITMAP bmpResLaden(const char* name, HMODULE modul);
// A new bitmap with every key-colour pixel RGB(240, 240, 240) replaced by
// `farbe`; the caller deletes both.
HBITMAP bmpHintergrund(HBITMAP quelle, COLORREF farbe);
// A metafile file (placeable or plain) as a global block of the bare
// metafile; the box from the placeable header or (0, 0, 0, 0). 0 on failure.
HGLOBAL wmfDateiLaden(const char* datei, RECT* box);
// The block as a metafile handle; the caller deletes it and frees the block.
HMETAFILE wmfAbspielbar(HGLOBAL block);
