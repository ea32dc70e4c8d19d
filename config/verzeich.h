// Directory kinds 0..10 and the paths built from them. Prefix `Ver`/`Pfad`
// (the system's names). Calls support (texts, paths, environment), the
// file-system boundary and nothing above.
//
// Kinds: 0 program folder (the shipped data; only read), 1 project folder,
// 2 component folder, 3 text folder, 6 help-file folder, 7 second text
// folder, 8 workstation sets folder. Each holds at most VERSUP characters
// with a trailing '/' (empty when not set) and a search-upward flag. Paths
// are produced with '/'; '/' and '\' are accepted everywhere.
#pragma once

#include <cstddef>

inline constexpr int VERANZAHL = 11;
inline constexpr int VERSUP = 200;

// Sets a kind (clamped to 0..10): a leading "@" sets the upward flag; a
// leading "*", "<Zavik>", "<Velmo>" or "<Velm>" (ignoring case) with a
// following separator becomes the program folder (kind 0), otherwise
// "$(NAME)" and "%NAME%" are expanded; trimmed, cut to 199 characters and
// given a trailing '/'. An empty text leaves the kind empty.
void VerSetzen(int art, const char* text);
// Copy of a kind; 1 when it is not blank.
int VerHolen(int art, char* puffer, size_t groesse);
const char* VerZeiger(int art);
int VerAufwaerts(int art);

// The builders of paths below return 0, or ERROR when the path does not fit
// `groesse`: the buffer is then left empty (a cut path would name another
// file) and konfHaken().warnung says "Der Pfad ist l\xE4nger als N Zeichen ...".
//
// The path of a file: a name with a folder part stays as it is, else the
// kind's folder goes before it; with an extension a "." is added (unless the
// path ends with one) and then the extension; separators become '/'.
int PfadBilden(int art, const char* name, const char* endung, char* puffer, size_t groesse);
// A path from elsewhere (a file dialog, a field) into a buffer, under the
// same rule: one that does not fit is refused, the buffer left empty.
int PfadKopieren(char* puffer, size_t groesse, const char* pfad);
// Expands a stored directory setting in place, as VerSetzen does: a leading
// "*", "<Zavik>", "<Velmo>" or "<Velm>" becomes the program folder, "$(...)"
// and environment references are expanded, blanks trimmed, separators '/'.
// 0, or -1 when the result would not fit (the text stays as written).
int PfadPlatzhalter(char* text, size_t groesse);
template <size_t N> int PfadPlatzhalter(char (&t)[N]) { return PfadPlatzhalter(t, N); }
int PfadProgramm(char* puffer, size_t groesse, const char* name);
int PfadProjekt(char* puffer, size_t groesse, const char* name);
int PfadBauteile(char* puffer, size_t groesse, const char* name);
int PfadVorgaben(char* puffer, size_t groesse, const char* name);
// The path with its extension replaced by "tmp".
int PfadTmp(char* puffer, size_t groesse, const char* pfad);
// In place, within `groesse`: '\' becomes '/'; a relative path gets the
// current folder before it. A path that would not fit stays as it is.
void PfadAbsolut(char* pfad, size_t groesse);
// A name with a folder part is copied; else kind 6 when set, else kind 1
// when set, else the current folder, then the name.
int PfadHPfadDatei(char* puffer, size_t groesse, const char* name);
// A name with a folder part is copied; else the name in kind 3, or in kind 7
// when it is missing in kind 3 and kind 7 is set and holds it.
int PfadText(char* puffer, size_t groesse, const char* name);

// When kind 2 carries its upward flag: the first existing file name.endung
// in the project folder (kind 1) or one of its parents up to the root.
// Otherwise, or when there is none, the path in kind 2.
int PfadSuchenAufwaerts(char* ziel, size_t groesse, const char* name, const char* endung);
// When kind 2 carries its upward flag: callback(folder, user) for the
// project folder and each parent up to the root (folders end with '/').
void PfadeAufwaerts(void (*rueckruf)(const char* verz, void* benutzer), void* benutzer);

// True when the name has a folder part ('/', '\' or ':').
bool PfadHatOrdner(const char* name);
// Path comparison with '/' and '\' alike, case counting.
bool PfadGleich(const char* a, const char* b);

template <size_t N> int VerHolen(int art, char (&p)[N]) { return VerHolen(art, p, N); }
template <size_t N> int PfadBilden(int art, const char* name, const char* endung, char (&p)[N]) { return PfadBilden(art, name, endung, p, N); }
template <size_t N> void PfadAbsolut(char (&p)[N]) { PfadAbsolut(p, N); }
