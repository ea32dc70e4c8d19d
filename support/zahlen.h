// Number texts with the system's decimal comma and grouping point, and their
// reading back. No prefix. Never depends on the process locale. May call texte.
// Targets take their capacity in bytes; a text that does not fit its field or
// its capacity becomes '*' characters.
#pragma once

#include <cstddef>

// Fixed-point form, '.' as decimal point, in a field of |breite| (right-
// aligned; left-aligned for a negative width); -1 and '*' when too long.
int zahltext(char* ziel, size_t groesse, double wert, int breite, int dezimalen);
// Display form: decimal separator and grouping; width 0 = no field.
void zahlformat(char* ziel, size_t groesse, double wert, int breite, int dezimalen);
// The same without separators ('.' decimal point, no grouping).
void zahlformatpunkt(char* ziel, size_t groesse, double wert, int breite, int dezimalen);
double zahlwert(const char* text);
// A number typed into a field: leading blanks, an optional sign and the
// longest decimal prefix, with ',' or '.' as decimal point (no grouping);
// 0 when there is none.
double zahleingabe(const char* text);
void zahlnormal(char* text);
void zahllokal(char* text, size_t groesse);
void ziffernbegrenzen(char* text, int ziffern, int art);
void trennzeichensetzen(char dezimal, char gruppe);
char zahldezimalzeichen();
char zahlgruppenzeichen();

template <size_t N> int zahltext(char (&z)[N], double w, int b, int d) { return zahltext(z, N, w, b, d); }
template <size_t N> void zahlformat(char (&z)[N], double w, int b, int d) { zahlformat(z, N, w, b, d); }
template <size_t N> void zahlformatpunkt(char (&z)[N], double w, int b, int d) { zahlformatpunkt(z, N, w, b, d); }
template <size_t N> void zahllokal(char (&t)[N]) { zahllokal(t, N); }
