// In-place editing of NUL-terminated code page 1252 texts, word and field
// splitting, tabs, environment references and the ring of number texts.
// No prefix (the system's own short names). May call speicher, vergleich
// (case maps) and the environment of platform/.
//
// White space is blank, tab, CR, LF, vertical tab and form feed. Every
// function that writes into a target or lets a text grow takes the capacity
// in bytes (`groesse`, terminator included); a `char (&)[N]` overload passes
// it for arrays. Results are cut at the capacity, never written past it.
#pragma once

#include <cstddef>
#include <cstdint>

// Number texts share one ring of TEXTRINGSUP buffers of ZAHLTEXTSUP characters.
inline constexpr int TEXTRINGSUP = 20;
inline constexpr int ZAHLTEXTSUP = 40;
// Longest value `umgebungeinsetzen` inserts.
inline constexpr int UMGEBUNGWERTSUP = 100;

bool istweiss(int c);

int strtrim(char* s);
int strrtrim(char* s);
void zeilenendeweg(char* s);
int strleer(const char* s);

// At most n characters and a terminator, cut to the capacity; number copied.
int strkopie(char* ziel, size_t groesse, const char* quelle, int n);
// At most n characters (and at most groesse), no terminator; number copied.
int strkopieohne(char* ziel, size_t groesse, const char* quelle, int n);
// The source over the start of the target, at most groesse bytes, no terminator.
void strueberschreiben(char* ziel, size_t groesse, const char* quelle);
// Exactly n characters (cut or blank-padded; n <= 0 empty), within the capacity.
void strbreite(char* ziel, size_t groesse, const char* quelle, int n);
// n copies of c and a terminator, within the capacity; returns the buffer.
char* strfuellen(char* puffer, size_t groesse, int n, char c);
void leerauffuellen(char* s, const char* vorlage);
// Inserts at the position (clamped to 0..length); what does not fit is cut.
char* streinfuegen(const char* einfuegung, char* s, size_t groesse, int position);
void strloeschen(char* s, int position, int n);
int zeichenweg(char* s, char c);
int zeichentausch(char* s, char von, char nach);
int zeichenpos(const char* s, char c);
int zeichenposr(const char* s, char c);
int zeichenausmenge(const char* s, const char* menge);
int nurzeichen(const char* s, const char* menge);
int nurziffern(const char* s);
int strpos(const char* s, const char* teil);
int strposi(const char* s, const char* teil);
// -1 when old is absent, or the new length exceeds limit (limit > 0) or the
// capacity; else the index.
int strersetzen(char* s, size_t groesse, const char* alt, const char* neu, int limit);
char* strende(char* s);
const char* strende(const char* s);
void strgross(char* s);
void strklein(char* s);

// Word and field splitting: the target gets the piece cut to its capacity;
// the whole piece leaves s. Results are the lengths stored.
int wortab(char* ziel, size_t groesse, char* s);
int wortabhinten(char* ziel, size_t groesse, char* s);
long zahlab(char* s);
uint32_t hexwert(const char* s);
int feldab(char* ziel, size_t groesse, char* s, char trenner);
int feldabquot(char* ziel, size_t groesse, char* s, char trenner);
int quotfeldab(char* ziel, size_t groesse, char* s);

// Tabs: tabaufloesen returns the length stored.
int tabaufloesen(char* ziel, size_t groesse, const char* quelle, int breite);
void tabaufloesen8(char* s, size_t groesse);
void tabeinsetzen8(char* s);
// "~item~item~"; -1 (list unchanged) when the item does not fit, else 0.
int tildeliste(char* liste, size_t groesse, const char* eintrag);
void StrKommaPunkt(char* s);
void StrPunktKomma(char* s);
// %NAME% and $(NAME) by the environment; unknown names and values that do
// not fit stay as written.
void umgebungeinsetzen(char* s, size_t groesse);

// Ring texts: "%d", "%04X", "%.4f" (40 '*' when the text would not fit).
const char* StrAusInt(long wert);
const char* StrAusHex(uint32_t wert);
const char* StrAusDouble(double wert);

template <size_t N> int strkopie(char (&ziel)[N], const char* quelle, int n) { return strkopie(ziel, N, quelle, n); }
template <size_t N> int strkopieohne(char (&ziel)[N], const char* quelle, int n) { return strkopieohne(ziel, N, quelle, n); }
template <size_t N> void strueberschreiben(char (&ziel)[N], const char* quelle) { strueberschreiben(ziel, N, quelle); }
template <size_t N> void strbreite(char (&ziel)[N], const char* quelle, int n) { strbreite(ziel, N, quelle, n); }
template <size_t N> char* strfuellen(char (&puffer)[N], int n, char c) { return strfuellen(puffer, N, n, c); }
template <size_t N> char* streinfuegen(const char* einfuegung, char (&s)[N], int position) { return streinfuegen(einfuegung, s, N, position); }
template <size_t N> int strersetzen(char (&s)[N], const char* alt, const char* neu, int limit) { return strersetzen(s, N, alt, neu, limit); }
template <size_t N> int wortab(char (&ziel)[N], char* s) { return wortab(ziel, N, s); }
template <size_t N> int wortabhinten(char (&ziel)[N], char* s) { return wortabhinten(ziel, N, s); }
template <size_t N> int feldab(char (&ziel)[N], char* s, char trenner) { return feldab(ziel, N, s, trenner); }
template <size_t N> int feldabquot(char (&ziel)[N], char* s, char trenner) { return feldabquot(ziel, N, s, trenner); }
template <size_t N> int quotfeldab(char (&ziel)[N], char* s) { return quotfeldab(ziel, N, s); }
template <size_t N> int tabaufloesen(char (&ziel)[N], const char* quelle, int breite) { return tabaufloesen(ziel, N, quelle, breite); }
template <size_t N> void tabaufloesen8(char (&s)[N]) { tabaufloesen8(s, N); }
template <size_t N> int tildeliste(char (&liste)[N], const char* eintrag) { return tildeliste(liste, N, eintrag); }
template <size_t N> void umgebungeinsetzen(char (&s)[N]) { umgebungeinsetzen(s, N); }
