// Dates and times; see datum.h. Calls zahlen (hours text), vergleich
// (the ISO pattern), texte and the program clock of platform/uhr.
#include "support/datum.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "platform/uhr.h"
#include "support/texte.h"
#include "support/vergleich.h"
#include "support/zahlen.h"

namespace {

constexpr int datMonatsLaengen[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};

char datRing[DATRINGSUP][DATTEXTSUP + 1];
int datRingIndex = 0;

char* datRingNaechster()
{
    if (datRingIndex > DATRINGSUP - 1) {
        datRingIndex = 0;
    }
    return datRing[datRingIndex++];
}

// Leap year of a full year.
bool datSchalt(long jahr)
{
    return jahr % 4 == 0 && (jahr % 100 != 0 || jahr % 400 == 0);
}

// Year and month lengths for a year byte (which may lie outside 0..255
// while arithmetic runs).
int datJahrLaenge(long jahrByte)
{
    return datSchalt(jahrByte + 1900) ? 366 : 365;
}

int datMonatLaenge(long jahrByte, int monat)
{
    if (monat < 1) {
        monat = 1;
    } else if (monat > 12) {
        monat = 12;
    }
    return monat == 2 && datSchalt(jahrByte + 1900) ? 29 : datMonatsLaengen[monat - 1];
}

int datJahrestag(long jahrByte, int monat, int tag)
{
    int summe = 0;
    for (int m = 1; m < monat && m <= 12; ++m) {
        summe += datMonatLaenge(jahrByte, m);
    }
    return summe + tag - 1;
}

// Leap years from year 1 up to and including the full year n (n >= 0).
long datSchaltjahreBis(long n)
{
    return n / 4 - n / 100 + n / 400;
}

int datJahrDruck(const DATUM* d)
{
    return d->jahr == 0 ? 0 : d->jahr + 1900;
}

// Reads a leading number as atoi does (blanks, sign, digits); bounded.
long datZahl(const char* s)
{
    while (istweiss(static_cast<unsigned char>(*s))) {
        ++s;
    }
    bool negativ = *s == '-';
    if (*s == '-' || *s == '+') {
        ++s;
    }
    long wert = 0;
    for (; *s >= '0' && *s <= '9'; ++s) {
        if (wert < 100000000L) {
            wert = wert * 10 + (*s - '0');
        }
    }
    return negativ ? -wert : wert;
}

uint8_t datByte(long wert)
{
    return static_cast<uint8_t>(wert < 0 ? 0 : (wert > 255 ? 255 : wert));
}

// Text behind the first occurrence of c, or the empty text.
const char* datHinter(const char* s, char c)
{
    const char* p = s ? std::strchr(s, c) : nullptr;
    return p ? p + 1 : "";
}

void datSetzen(DATUM* d, long jahrByte, int monat, int tag)
{
    d->jahr = static_cast<uint8_t>(jahrByte);
    d->monat = static_cast<uint8_t>(monat);
    d->tag = static_cast<uint8_t>(tag);
}

// The week of the date by the weekday of 1 January, before the adjustments
// for the neighbouring years (0..53).
int datRohwoche(const DATUM* d)
{
    DATUM neujahr{d->jahr, 1, 1};
    int w = datwochentag(&neujahr);
    return (datjahrestag(d) + w) / 7 + (w < 4 ? 1 : 0);
}

// Whether a day of raw week 53 lies in week 1 of the next year.
bool datWoche53IstEins(const DATUM* d)
{
    DATUM neujahr{static_cast<uint8_t>(d->jahr + 1), 1, 1};
    long dn = dattagnummer(&neujahr);
    if (d->jahr == 255) {
        // 2156 is outside the byte; its weekday still follows from the days.
        dn = dattagnummer(d) + (datJahrLaenge(d->jahr) - datjahrestag(d));
    }
    int w = static_cast<int>(((dn + 1) % 7 + 7) % 7);
    return w >= 1 && w <= 3;
}

}  // namespace

// ---- Clock -----------------------------------------------------------------

void jetzt(DATZEIT* stempel)
{
    SYSTEMTIME st{};
    GetLocalTime(&st);
    stempel->datum.jahr = datByte(static_cast<long>(st.wYear) - 1900);
    stempel->datum.monat = static_cast<uint8_t>(st.wMonth);
    stempel->datum.tag = static_cast<uint8_t>(st.wDay);
    stempel->stunde = static_cast<uint8_t>(st.wHour);
    stempel->minute = static_cast<uint8_t>(st.wMinute);
    stempel->sekunde = static_cast<uint8_t>(st.wSecond);
}

void datheute(DATUM* datum)
{
    DATZEIT s;
    jetzt(&s);
    *datum = s.datum;
}

void datzeitheute(DATZEIT* ziel)
{
    DATZEIT s;
    jetzt(&s);
    ziel->datum = s.datum;
    ziel->stunde = s.stunde;
    ziel->minute = s.minute;
}

void uhrzeitjetzt(UHRZEIT* zeit)
{
    DATZEIT s;
    jetzt(&s);
    zeit->stunde = s.stunde;
    zeit->minute = s.minute;
}

int msekunden()
{
    SYSTEMTIME st{};
    GetLocalTime(&st);
    return st.wSecond * 1000 + st.wMilliseconds;
}

// ---- Text forms ------------------------------------------------------------

void dattext(char* ziel, size_t groesse, const DATUM* d)
{
    std::snprintf(ziel, groesse, "%02d.%02d.%04d", d->tag, d->monat, datJahrDruck(d));
}

void datiso(char* ziel, size_t groesse, const DATUM* d)
{
    std::snprintf(ziel, groesse, "%04d-%02d-%02d", datJahrDruck(d), d->monat, d->tag);
}

void dattextkurz(char* ziel, size_t groesse, const DATUM* d)
{
    std::snprintf(ziel, groesse, "%02d.%02d.%02d", d->tag, d->monat, datJahrDruck(d) % 100);
}

void datzeittext(char* ziel, size_t groesse, const DATZEIT* s)
{
    std::snprintf(ziel, groesse, "%02d.%02d.%04d %02d:%02d", s->datum.tag, s->datum.monat,
                  datJahrDruck(&s->datum), s->stunde, s->minute);
}

void datzeitiso(char* ziel, size_t groesse, const DATZEIT* s)
{
    std::snprintf(ziel, groesse, "%04d-%02d-%02d %02d:%02d", datJahrDruck(&s->datum),
                  s->datum.monat, s->datum.tag, s->stunde, s->minute);
}

void datzeittextsek(char* ziel, size_t groesse, const DATZEIT* s)
{
    std::snprintf(ziel, groesse, "%02d.%02d.%04d %02d:%02d:%02d", s->datum.tag, s->datum.monat,
                  datJahrDruck(&s->datum), s->stunde, s->minute, s->sekunde);
}

void datzeitisosek(char* ziel, size_t groesse, const DATZEIT* s)
{
    std::snprintf(ziel, groesse, "%04d-%02d-%02d %02d:%02d:%02d", datJahrDruck(&s->datum),
                  s->datum.monat, s->datum.tag, s->stunde, s->minute, s->sekunde);
}

void datzeittextkurz(char* ziel, size_t groesse, const DATZEIT* s)
{
    std::snprintf(ziel, groesse, "%02d.%02d.%02d  %02d:%02d", s->datum.tag, s->datum.monat,
                  datJahrDruck(&s->datum) % 100, s->stunde, s->minute);
}

void datzeittextlang(char* ziel, size_t groesse, const DATZEIT* s)
{
    std::snprintf(ziel, groesse, "%02d.%02d.%04d  %02d:%02d", s->datum.tag, s->datum.monat,
                  datJahrDruck(&s->datum), s->stunde, s->minute);
}

void uhrzeittext(char* ziel, size_t groesse, const DATZEIT* s)
{
    std::snprintf(ziel, groesse, "%02d:%02d", s->stunde, s->minute);
}

void uhrzeittext2(char* ziel, size_t groesse, const UHRZEIT* z)
{
    std::snprintf(ziel, groesse, "%02d:%02d", z->stunde, z->minute);
}

void sekundentext(char* ziel, size_t groesse, long sekunden)
{
    std::snprintf(ziel, groesse, "%ld:%02ld:%02ld", sekunden / 3600, (sekunden / 60) % 60,
                  sekunden % 60);
}

void minutentext(char* ziel, size_t groesse, long minuten)
{
    std::snprintf(ziel, groesse, "%ld:%02ld", minuten / 60, minuten % 60);
}

void stundentext(char* ziel, size_t groesse, long sekunden)
{
    zahlformat(ziel, groesse, static_cast<double>(sekunden) / 3600.0, 0, 2);
}

void dattextheute(char* ziel, size_t groesse)
{
    DATUM d;
    datheute(&d);
    dattext(ziel, groesse, &d);
}

void datisoheute(char* ziel, size_t groesse)
{
    DATUM d;
    datheute(&d);
    datiso(ziel, groesse, &d);
}

void zeittextjetzt(char* ziel, size_t groesse)
{
    DATZEIT s;
    jetzt(&s);
    datzeittextsek(ziel, groesse, &s);
}

void zeitisojetzt(char* ziel, size_t groesse)
{
    DATZEIT s;
    jetzt(&s);
    datzeitisosek(ziel, groesse, &s);
}

void uhrzeitkurz(char* ziel, size_t groesse)
{
    char t[DATTEXTSUP + 1];
    zeitisojetzt(t);
    strkopie(ziel, groesse, t + 11, 5);
}

void uhrzeitlang(char* ziel, size_t groesse)
{
    char t[DATTEXTSUP + 1];
    zeitisojetzt(t);
    strkopie(ziel, groesse, t + 11, 8);
}

const char* datisoring(const DATUM* d)
{
    char* p = datRingNaechster();
    datiso(p, DATTEXTSUP + 1, d);
    return p;
}

const char* datzeitisoring(const DATZEIT* s)
{
    char* p = datRingNaechster();
    datzeitiso(p, DATTEXTSUP + 1, s);
    return p;
}

const char* datzeitsekring(const DATZEIT* s)
{
    char* p = datRingNaechster();
    datzeitisosek(p, DATTEXTSUP + 1, s);
    return p;
}

const char* uhrzeitring(const UHRZEIT* z)
{
    char* p = datRingNaechster();
    uhrzeittext2(p, DATTEXTSUP + 1, z);
    return p;
}

void dattextiso(char* text, size_t groesse)
{
    // Pieces by position, never read past the text's end.
    std::string t(text, strnlen(text, groesse));
    auto stueck = [&t](size_t von, size_t n) { return von < t.size() ? t.substr(von, n) : std::string(); };
    std::string neu = stueck(6, 4) + "-" + stueck(3, 2) + "-" + stueck(0, 2);
    strkopie(text, groesse, neu.c_str(), static_cast<int>(neu.size()));
}

void datisotext(char* text, size_t groesse)
{
    std::string t(text, strnlen(text, groesse));
    auto stueck = [&t](size_t von, size_t n) { return von < t.size() ? t.substr(von, n) : std::string(); };
    std::string neu = stueck(8, 2) + "." + stueck(5, 2) + "." + stueck(0, 4);
    strkopie(text, groesse, neu.c_str(), static_cast<int>(neu.size()));
}

void dattextzuiso(char* text, size_t groesse)
{
    size_t n = strnlen(text, groesse);
    if (n > 5 && text[2] == '.' && text[5] == '.') {
        dattextiso(text, groesse);
    }
}

// ---- Reading ---------------------------------------------------------------

void datlesen(DATUM* d, const char* text)
{
    long tag = datZahl(text);
    const char* m = datHinter(text, '.');
    long monat = datZahl(m);
    long jahr = datZahl(datHinter(m, '.'));
    if (jahr >= 1900) {
        jahr -= 1900;
    } else if (jahr >= 1) {
        jahr += 100;  // two-digit years mean 2000..2099
    }
    d->jahr = datByte(jahr);
    d->monat = datByte(monat);
    d->tag = datByte(tag);
}

void datlesiso(DATUM* d, const char* text)
{
    char trenner = std::strchr(text, '/') ? '/' : '-';
    const char* m = datHinter(text, trenner);
    d->jahr = datByte(datZahl(text) - 1900);
    d->monat = datByte(datZahl(m));
    d->tag = datByte(datZahl(datHinter(m, trenner)));
}

void uhrzeitlesen(UHRZEIT* z, const char* text)
{
    z->stunde = datByte(datZahl(text));
    z->minute = datByte(datZahl(datHinter(text, ':')));
}

void uhrzeitlesenlang(uint8_t ziel[3], const char* text)
{
    const char* m = datHinter(text, ':');
    ziel[0] = datByte(datZahl(text));
    ziel[1] = datByte(datZahl(m));
    ziel[2] = datByte(datZahl(datHinter(m, ':')));
}

void datzeitlesen(DATZEIT* s, const char* datumtext, const char* zeittext)
{
    UHRZEIT z;
    datlesiso(&s->datum, datumtext);
    uhrzeitlesen(&z, zeittext);
    s->stunde = z.stunde;
    s->minute = z.minute;
}

int datpruefen(char* text, size_t groesse)
{
    std::string vorher(text, strnlen(text, groesse));
    bool iso = mustervgl("####-##-##", vorher.c_str()) == 1;
    DATUM d;
    if (iso) {
        datlesiso(&d, vorher.c_str());
    } else {
        datlesen(&d, vorher.c_str());
    }
    datplustage(&d, -1);
    datplustage(&d, 1);
    char neu[DATTEXTSUP + 1];
    if (iso) {
        datiso(neu, sizeof neu, &d);
    } else {
        dattext(neu, sizeof neu, &d);
    }
    strkopie(text, groesse, neu, DATTEXTSUP);
    return vorher == neu ? 1 : 0;
}

// ---- Arithmetic ------------------------------------------------------------

int datschaltjahr(int jahr)
{
    return datSchalt(jahr < 1900 ? jahr + 1900L : jahr) ? 1 : 0;
}

int datmonatstage(const DATUM* d)
{
    return datMonatLaenge(d->jahr, d->monat);
}

int datvormonattage(const DATUM* d)
{
    return d->monat <= 1 ? 31 : datMonatLaenge(d->jahr, d->monat - 1);
}

int datnachmonattage(const DATUM* d)
{
    return d->monat >= 12 ? 31 : datMonatLaenge(d->jahr, d->monat + 1);
}

int datjahrestag(const DATUM* d)
{
    return datJahrestag(d->jahr, d->monat, d->tag);
}

long dattagnummer(const DATUM* d)
{
    // Leap days counted by the 4/100/400 rule (the same values as counting
    // every fourth year up to 2100-12-31).
    long y = d->jahr;
    return 365 * (y - 1) + datSchaltjahreBis(1900 + y - 1) - datSchaltjahreBis(1900) +
           datjahrestag(d);
}

int datwochentag(const DATUM* d)
{
    return static_cast<int>(((dattagnummer(d) + 1) % 7 + 7) % 7);
}

void datwochentagsetzen(DATUM* d, int wochentag)
{
    datplustage(d, wochentag - datwochentag(d));
}

void datplus(DATUM* ziel, const DATUM* d, long tage)
{
    long jahr = d->jahr;
    long rest = datjahrestag(d) + tage;
    while (rest < 0) {
        --jahr;
        rest += datJahrLaenge(jahr);
    }
    int monat = 1;
    while (datMonatLaenge(jahr, monat) <= rest) {
        rest -= datMonatLaenge(jahr, monat);
        if (++monat > 12) {
            monat = 1;
            ++jahr;
        }
    }
    datSetzen(ziel, jahr, monat, static_cast<int>(rest + 1));
}

void datplustage(DATUM* d, long tage)
{
    datplus(d, d, tage);
}

void datplusmonate(DATUM* d, int monate)
{
    long gesamt = static_cast<long>(d->monat) - 1 + monate;
    long jahre = gesamt >= 0 ? gesamt / 12 : -((11 - gesamt) / 12);
    long jahr = d->jahr + jahre;
    int monat = static_cast<int>(gesamt - jahre * 12) + 1;
    int tag = d->tag;
    int laenge = datMonatLaenge(jahr, monat);
    if (tag > laenge) {
        tag = laenge;
    }
    datSetzen(d, jahr, monat, tag);
}

long datdiff(const DATUM* a, const DATUM* b)
{
    int vgl = datvergleich(a, b);
    const DATUM* lo = vgl <= 0 ? a : b;
    const DATUM* hi = vgl <= 0 ? b : a;
    long d;
    if (hi->jahr - lo->jahr < 81) {
        d = 0;
        for (long j = lo->jahr; j < hi->jahr; ++j) {
            d += datJahrLaenge(j);
        }
        d += datjahrestag(hi) - datjahrestag(lo);
    } else {
        d = 30000;
    }
    return vgl <= 0 ? -d : d;
}

int datinbereich(const DATUM* d, const DATUM* von, const DATUM* bis)
{
    if (!datleer(von) && datvergleich(d, von) < 0) {
        return 0;
    }
    if (!datleer(bis) && datvergleich(d, bis) > 0) {
        return 0;
    }
    return 1;
}

int datimbereich(const char* isotext, const DATUM* von, const DATUM* bis)
{
    DATUM d;
    datlesiso(&d, isotext);
    return datinbereich(&d, von, bis);
}

int datistheute(const DATUM* d)
{
    DATUM heute;
    datheute(&heute);
    return datvergleich(d, &heute) == 0 ? 1 : 0;
}

long minutendiff(const DATZEIT* a, const DATZEIT* b)
{
    return datdiff(&a->datum, &b->datum) * 1440 + (a->stunde * 60 + a->minute) -
           (b->stunde * 60 + b->minute);
}

void datzeitplusminuten(DATZEIT* ziel, const DATZEIT* s, long minuten)
{
    DATZEIT t = *s;
    long gesamt = t.stunde * 60L + t.minute + minuten;
    long tage = gesamt >= 0 ? gesamt / 1440 : -((1439 - gesamt) / 1440);
    long rest = gesamt - tage * 1440;
    datplustage(&t.datum, tage);
    t.stunde = static_cast<uint8_t>(rest / 60);
    t.minute = static_cast<uint8_t>(rest % 60);
    *ziel = t;
}

long datzeitdiff(const DATZEIT* s, const DATUM* d)
{
    return datdiff(&s->datum, d);
}

void datisowoche(const DATUM* d, int* woche, int* jahr)
{
    int w = datRohwoche(d);
    int j = datjahr(d);
    if (w == 0) {
        // The last week of the previous year: 53 when that year began on a
        // Thursday, or on a Wednesday in a leap year; else 52. Counted from
        // this year's 1 January, so that 1900 needs no year before the type.
        DATUM neujahr{d->jahr, 1, 1};
        int vorjahrLaenge = datSchalt(j - 1) ? 366 : 365;
        int w0 = ((datwochentag(&neujahr) - vorjahrLaenge) % 7 + 7) % 7;
        w = (w0 == 3 || (w0 == 2 && vorjahrLaenge == 366)) ? 53 : 52;
        --j;
    } else if (w == 53 && datWoche53IstEins(d)) {
        w = 1;
        ++j;
    }
    if (woche) {
        *woche = w;
    }
    if (jahr) {
        *jahr = j;
    }
}

int datkw(const DATUM* d)
{
    int w = 0;
    datisowoche(d, &w, nullptr);
    return w;
}

int datkalwoche(const DATUM* d)
{
    return datRohwoche(d);
}

void datauswoche(DATUM* ziel, int jahr, int woche, int wochentag)
{
    // Counted from the Monday of the week of 1 January: stepping from
    // 1 January itself misses a last week that holds only Mondays to days
    // before 1 January's weekday (1928-12-31 is in week 53 of 1928).
    long j = jahr >= 1900 ? jahr - 1900L : jahr;
    DATUM d;
    datSetzen(&d, j, 1, 1);
    int ersteWoche = datkalwoche(&d);
    datwochentagsetzen(&d, 0);
    datplustage(&d, 7L * (woche - ersteWoche));
    datwochentagsetzen(&d, wochentag);
    *ziel = d;
}

int datvergleich(const DATUM* a, const DATUM* b)
{
    const uint8_t x[3] = {a->jahr, a->monat, a->tag};
    const uint8_t y[3] = {b->jahr, b->monat, b->tag};
    for (int i = 0; i < 3; ++i) {
        if (x[i] != y[i]) {
            return x[i] < y[i] ? -1 : 1;
        }
    }
    return 0;
}

int datleer(const DATUM* d)
{
    return d == nullptr || d->jahr == 0 || d->monat == 0 || d->tag == 0 ? 1 : 0;
}

int datzeitleer(const DATZEIT* s)
{
    return s == nullptr || (s->datum.jahr == 0 && s->datum.monat == 0 && s->datum.tag == 0 &&
                            s->stunde == 0 && s->minute == 0)
               ? 1
               : 0;
}

void datloeschen(DATUM* d)
{
    *d = DATUM{};
}

void datzeitloeschen(DATZEIT* s)
{
    s->datum = DATUM{};
    s->stunde = 0;
    s->minute = 0;
}

void datkopie(DATUM* ziel, const DATUM* quelle)
{
    *ziel = *quelle;
}

void datzeitkopie(DATZEIT* ziel, const DATZEIT* quelle)
{
    ziel->datum = quelle->datum;
    ziel->stunde = quelle->stunde;
    ziel->minute = quelle->minute;
}

void datzeituhrsetzen(DATZEIT* s, const UHRZEIT* z)
{
    s->stunde = z->stunde;
    s->minute = z->minute;
}

int datjahr(const DATUM* d)
{
    return d->jahr + 1900;
}
