// Text variables, references and the current-drawing context: the one
// current drawing from which "@" variables are filled, the variables, the
// page and current-path numbering with the cross-reference position texts,
// "@Y" equipment and "@L" article references, the identifier choice and the
// lookup of a drawing from a short page reference. Prefixes `ZeiAkt`,
// `TextVar`, `ZeiSeite`, `ZeiSpalte`, `Qvw`, `YRef`, `LRef`, `BMKenn`.
// Calls the drawing files and neighbours of model/, the service hooks of
// model/ (equipment data and settings), the working directory of config/,
// the language number, file times and the clock (support/datum, which reads
// the settable clock of platform/).
//
// Texts are changed in place within the caller's capacity (a record's text
// is passed with BEFTEXTSUP + 1, so it stays a record text); each variable's
// value is cut at TEXTVARWERTSUP characters. "@Y" references met while
// filling a component's own texts nest at most TEXTVARTIEFESUP deep.
#pragma once

#include <cstddef>
#include <cstdint>

#include "model/dienste.h"

constexpr int TEXTVARWERTSUP = 80;  // characters of one variable's value
constexpr int TEXTVARTIEFESUP = 4;  // nesting of "@Y" resolution
constexpr int ZEIAKTTITELSUP = 80;
constexpr int ZEIKENNSUP = 82;      // header texts 10 and 11, 41 bytes each

// ---- current drawing -------------------------------------------------------
void ZeiAktSetzen(const char* pfad);
void ZeiAktVergessen();
void ZeiAktNeuLesen();
const char* ZeiAktPfad();
const char* ZeiAktName();   // file name
const char* ZeiAktExt();    // drawing key
const char* ZeiAktStamm();  // stem of the key ("" when none)
const char* ZeiAktSeite();  // page of the key
void ZeiInfoSetzen(const char* kurz);
void ZeiTitelSetzen(int n, const char* text);
const char* ZeiTitel(int n);
void ZeiKennSetzen(const char block[ZEIKENNSUP]);
void ZeiKennHolen(char block[ZEIKENNSUP]);
void ZeiProTexteHolen();

// ---- text variables --------------------------------------------------------
void TextVarErsetzen(char* text, size_t kap, double x, double y);
template <size_t N> void TextVarErsetzen(char (&t)[N], double x, double y) { TextVarErsetzen(t, N, x, y); }
void TextVarSperren(int sperre);

// ---- pages, current paths, positions ---------------------------------------
void ZeiSeiteText(char* aus, size_t kap, const char* name);
int ZeiSpalteNr(const char* name, double x);
int ZeiSpalteFortl(const char* name, double x);
void ZeiSpalteText(char* aus, size_t kap, const char* name, double x);
void QvwPosText(char* aus, size_t kap, const char* name, double x, double y);
void QvwVerweisText(char* aus, size_t kap, const char* name, double x, double y);
int QvwGleicheSeite(const char* a, const char* b);
void ZeiStammVorsetzen(char* text, size_t kap, const char* name);
void ZeiStammWennFremd(char* text, size_t kap, const char* name);

// ---- "@Y" references -------------------------------------------------------
struct YREF {
    uint32_t id;
    char feld[4];   // one letter, or three when the second is '<', '>', '^'
    int zeile;      // line number (0 when none)
    char art[8];    // kind code ("" when none)
    int nr;         // component number (0 when none)
    int plus;       // trailing '+'
};
int YRefZeichen(int c);
int IstYRef(const char* text);
int HatYRef(const char* text);
int IstYRefArtikel(const char* text);
int YRefIstKennung(const char* text);
int YRefLaenge(const char* text);
// 0, or -1 when the text is no reference.
int YRefZerlegen(const char* text, YREF* r);
// Replaces the reference text by its value (only while "BMuse" is on).
void YRefAufloesen(char* text, size_t kap);
void YRefKontextSetzen(int kennung, int position);

// ---- "@L" references, articles, identifiers ---------------------------------
int LRefNummer(const char* text);
void LRefAufloesen(uint32_t id, char* text, size_t kap);
void ArtFeld(char* aus, size_t kap, const char* artnr, int n);
const char* BMKennung(const ModGeraet* g);
int BMKennAltAktiv(const ModGeraet* g);
int BMKennMarkiert(const char* text);

// The drawing a short reference names, as spelled in the folder; 1 found,
// else 0 and the reference itself.
int ZeiVerweisDatei(char* aus, size_t kap, const char* verweis);

// Neighbour drawings in a drawing's folder: 0 first, 1 previous, 2 next,
// 3 last (file names; "" when none).
void ZeiNachbar(const char* pfad, int welcher, char* aus, size_t kap);
int ZeiNachbarAnzahl(const char* pfad);
