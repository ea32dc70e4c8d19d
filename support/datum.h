// Dates and times: the compact types stored in files, the clock, German and
// ISO text forms, the date-text ring, reading, day arithmetic and weeks.
// Prefix `dat` (and the clock's short names). May call texte, zahlen and the
// clock of platform/.
//
// Day number: days since 1901-01-01 (day 0). Weekday: 0 = Monday .. 6 = Sunday.
// Leap years follow the 4/100/400 rule everywhere. Date functions do not
// validate: out-of-range bytes are computed with as they are.
#pragma once

#include <cstddef>
#include <cstdint>

// Three bytes as stored: year - 1900 (1900..2155), month 1..12, day 1..31.
struct DATUM {
    uint8_t jahr;
    uint8_t monat;
    uint8_t tag;
};
// Six bytes as stored: the date, then hour, minute, second.
struct DATZEIT {
    DATUM datum;
    uint8_t stunde;
    uint8_t minute;
    uint8_t sekunde;
};
// Short time: hour, minute.
struct UHRZEIT {
    uint8_t stunde;
    uint8_t minute;
};
static_assert(sizeof(DATUM) == 3 && sizeof(DATZEIT) == 6 && sizeof(UHRZEIT) == 2);

// The date-text ring: DATRINGSUP buffers of DATTEXTSUP characters.
inline constexpr int DATRINGSUP = 10;
inline constexpr int DATTEXTSUP = 30;

// Clock.
void jetzt(DATZEIT* stempel);
void datheute(DATUM* datum);
void datzeitheute(DATZEIT* ziel);  // date, hour, minute; second untouched
void uhrzeitjetzt(UHRZEIT* zeit);
int msekunden();

// Text forms (each cut to the capacity).
void dattext(char* ziel, size_t groesse, const DATUM* datum);
void datiso(char* ziel, size_t groesse, const DATUM* datum);
void dattextkurz(char* ziel, size_t groesse, const DATUM* datum);
void datzeittext(char* ziel, size_t groesse, const DATZEIT* stempel);
void datzeitiso(char* ziel, size_t groesse, const DATZEIT* stempel);
void datzeittextsek(char* ziel, size_t groesse, const DATZEIT* stempel);
void datzeitisosek(char* ziel, size_t groesse, const DATZEIT* stempel);
void datzeittextkurz(char* ziel, size_t groesse, const DATZEIT* stempel);
void datzeittextlang(char* ziel, size_t groesse, const DATZEIT* stempel);
void uhrzeittext(char* ziel, size_t groesse, const DATZEIT* stempel);
void uhrzeittext2(char* ziel, size_t groesse, const UHRZEIT* zeit);
void sekundentext(char* ziel, size_t groesse, long sekunden);
void minutentext(char* ziel, size_t groesse, long minuten);
void stundentext(char* ziel, size_t groesse, long sekunden);
void dattextheute(char* ziel, size_t groesse);
void datisoheute(char* ziel, size_t groesse);
void zeittextjetzt(char* ziel, size_t groesse);
void zeitisojetzt(char* ziel, size_t groesse);
void uhrzeitkurz(char* ziel, size_t groesse);
void uhrzeitlang(char* ziel, size_t groesse);
const char* datisoring(const DATUM* datum);
const char* datzeitisoring(const DATZEIT* stempel);
const char* datzeitsekring(const DATZEIT* stempel);
const char* uhrzeitring(const UHRZEIT* zeit);
void dattextiso(char* text, size_t groesse);
void datisotext(char* text, size_t groesse);
void dattextzuiso(char* text, size_t groesse);

// Reading.
void datlesen(DATUM* datum, const char* text);
void datlesiso(DATUM* datum, const char* text);
void uhrzeitlesen(UHRZEIT* zeit, const char* text);
void uhrzeitlesenlang(uint8_t ziel[3], const char* text);
void datzeitlesen(DATZEIT* stempel, const char* datumtext, const char* zeittext);
int datpruefen(char* text, size_t groesse);

// Arithmetic.
int datschaltjahr(int jahr);
int datmonatstage(const DATUM* datum);
int datvormonattage(const DATUM* datum);
int datnachmonattage(const DATUM* datum);
int datjahrestag(const DATUM* datum);
long dattagnummer(const DATUM* datum);
int datwochentag(const DATUM* datum);
void datwochentagsetzen(DATUM* datum, int wochentag);
void datplus(DATUM* ziel, const DATUM* datum, long tage);
void datplustage(DATUM* datum, long tage);
void datplusmonate(DATUM* datum, int monate);
long datdiff(const DATUM* a, const DATUM* b);
int datinbereich(const DATUM* datum, const DATUM* von, const DATUM* bis);
int datimbereich(const char* isotext, const DATUM* von, const DATUM* bis);
int datistheute(const DATUM* datum);
long minutendiff(const DATZEIT* a, const DATZEIT* b);
void datzeitplusminuten(DATZEIT* ziel, const DATZEIT* stempel, long minuten);
long datzeitdiff(const DATZEIT* stempel, const DATUM* datum);
void datisowoche(const DATUM* datum, int* woche, int* jahr);
int datkw(const DATUM* datum);
int datkalwoche(const DATUM* datum);
void datauswoche(DATUM* ziel, int jahr, int woche, int wochentag);
int datvergleich(const DATUM* a, const DATUM* b);
int datleer(const DATUM* datum);
int datzeitleer(const DATZEIT* stempel);
void datloeschen(DATUM* datum);
void datzeitloeschen(DATZEIT* stempel);
void datkopie(DATUM* ziel, const DATUM* quelle);
void datzeitkopie(DATZEIT* ziel, const DATZEIT* quelle);
void datzeituhrsetzen(DATZEIT* stempel, const UHRZEIT* zeit);
int datjahr(const DATUM* datum);

#define DAT_ARRAY_UEBERLADUNG(name, typ)                                                           \
    template <size_t N> void name(char (&ziel)[N], const typ* x) { name(ziel, N, x); }
DAT_ARRAY_UEBERLADUNG(dattext, DATUM)
DAT_ARRAY_UEBERLADUNG(datiso, DATUM)
DAT_ARRAY_UEBERLADUNG(dattextkurz, DATUM)
DAT_ARRAY_UEBERLADUNG(datzeittext, DATZEIT)
DAT_ARRAY_UEBERLADUNG(datzeitiso, DATZEIT)
DAT_ARRAY_UEBERLADUNG(datzeittextsek, DATZEIT)
DAT_ARRAY_UEBERLADUNG(datzeitisosek, DATZEIT)
DAT_ARRAY_UEBERLADUNG(datzeittextkurz, DATZEIT)
DAT_ARRAY_UEBERLADUNG(datzeittextlang, DATZEIT)
DAT_ARRAY_UEBERLADUNG(uhrzeittext, DATZEIT)
DAT_ARRAY_UEBERLADUNG(uhrzeittext2, UHRZEIT)
#undef DAT_ARRAY_UEBERLADUNG
template <size_t N> void sekundentext(char (&ziel)[N], long s) { sekundentext(ziel, N, s); }
template <size_t N> void minutentext(char (&ziel)[N], long m) { minutentext(ziel, N, m); }
template <size_t N> void stundentext(char (&ziel)[N], long s) { stundentext(ziel, N, s); }
template <size_t N> void dattextheute(char (&ziel)[N]) { dattextheute(ziel, N); }
template <size_t N> void datisoheute(char (&ziel)[N]) { datisoheute(ziel, N); }
template <size_t N> void zeittextjetzt(char (&ziel)[N]) { zeittextjetzt(ziel, N); }
template <size_t N> void zeitisojetzt(char (&ziel)[N]) { zeitisojetzt(ziel, N); }
template <size_t N> void uhrzeitkurz(char (&ziel)[N]) { uhrzeitkurz(ziel, N); }
template <size_t N> void uhrzeitlang(char (&ziel)[N]) { uhrzeitlang(ziel, N); }
template <size_t N> void dattextiso(char (&t)[N]) { dattextiso(t, N); }
template <size_t N> void datisotext(char (&t)[N]) { datisotext(t, N); }
template <size_t N> void dattextzuiso(char (&t)[N]) { dattextzuiso(t, N); }
template <size_t N> int datpruefen(char (&t)[N]) { return datpruefen(t, N); }
