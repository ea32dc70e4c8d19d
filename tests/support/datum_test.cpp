// Dates and times: the listed cases, the calendar against std::chrono for
// every day of the type's range, text forms, reading and the clock.
#include "support/datum.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <functional>
#include <memory>
#include <string>

#include "platform/uhr.h"
#include "support/vergleich.h"
#include "support/zahlen.h"

namespace {

DATUM D(int jahr, int monat, int tag)
{
    return DATUM{static_cast<uint8_t>(jahr - 1900), static_cast<uint8_t>(monat),
                 static_cast<uint8_t>(tag)};
}

std::string Iso(const DATUM& d)
{
    char t[DATTEXTSUP + 1];
    datiso(t, &d);
    return t;
}

}  // namespace

TEST(Datum, ListedCasesOfDatesNumbersAndComparison)
{
    struct Fall {
        const char* was;
        std::function<std::string()> ist;
        std::string soll;
    };
    auto zahl = [](long v) { return std::to_string(v); };
    Fall faelle[] = {
        {"dattext of the empty date", [] { DATUM d{}; char t[16]; dattext(t, &d); return std::string(t); }, "00.00.0000"},
        {"datlesen 5.3.24", [&] { DATUM d; datlesen(&d, "5.3.24"); return zahl(d.jahr); }, "124"},
        {"datlesen 5.3.1999", [&] { DATUM d; datlesen(&d, "5.3.1999"); return zahl(d.jahr); }, "99"},
        {"weekday 1901-01-01", [&] { DATUM d = D(1901, 1, 1); return zahl(datwochentag(&d)); }, "1"},
        {"weekday 2024-01-01", [&] { DATUM d = D(2024, 1, 1); return zahl(datwochentag(&d)); }, "0"},
        {"datkw 2021-01-01", [&] { DATUM d = D(2021, 1, 1); return zahl(datkw(&d)); }, "53"},
        {"datkalwoche 2021-01-01", [&] { DATUM d = D(2021, 1, 1); return zahl(datkalwoche(&d)); }, "0"},
        {"datkw 2024-12-30", [&] { DATUM d = D(2024, 12, 30); return zahl(datkw(&d)); }, "1"},
        {"datkalwoche 2024-12-30", [&] { DATUM d = D(2024, 12, 30); return zahl(datkalwoche(&d)); }, "53"},
        {"2024-02-28 + 2", [] { DATUM d = D(2024, 2, 28); datplustage(&d, 2); return Iso(d); }, "2024-03-01"},
        {"2024-01-01 - 1", [] { DATUM d = D(2024, 1, 1); datplustage(&d, -1); return Iso(d); }, "2023-12-31"},
        {"datdiff 2000 and 1900", [&] { DATUM a = D(2000, 1, 1), b = D(1900, 1, 1); return zahl(datdiff(&a, &b)); }, "30000"},
        {"zahltext 1234.5 in 5", [] { char t[16]; int r = zahltext(t, 1234.5, 5, 2); return std::string(t) + "|" + std::to_string(r); }, "*****|-1"},
        {"zahlformat 7 digits", [] { char t[32]; zahlformat(t, 1234567.891, 0, 2); return std::string(t); }, "1.234.567,89"},
        {"zahlformat width 10", [] { char t[32]; zahlformat(t, 1234567.891, 10, 2); return std::string(t); }, "1234567,89"},
        {"zahlformat width 9", [] { char t[32]; zahlformat(t, 1234567.891, 9, 2); return std::string(t); }, "*********"},
        {"strvglzahl a2 a10", [&] { return zahl(strvglzahl("a2", "a10") < 0); }, "1"},
        {"strvglzahl a007 a7", [&] { return zahl(strvglzahl("a007", "a7")); }, "0"},
        {"strvglsort a < ä < b", [&] { return zahl(strvglsort("a", "\xE4") < 0 && strvglsort("\xE4", "b") < 0); }, "1"},
        {"strvglsort A a", [&] { return zahl(strvglsort("A", "a")); }, "0"},
        {"mustervgl ISO date", [&] { return zahl(mustervgl("####-##-##", "2024-12-30")); }, "1"},
        {"mustervgl case", [&] { return zahl(mustervgl("*.txt", "PLAN.TXT")); }, "0"},
        {"mustervgli case", [&] { return zahl(mustervgli("*.txt", "PLAN.TXT")); }, "1"},
    };
    for (const Fall& f : faelle) {
        EXPECT_EQ(f.ist(), f.soll) << f.was;
    }
}

TEST(Datum, CalendarAgreesWithChronoForEveryDay)
{
    using namespace std::chrono;
    const sys_days anfang = year{1901} / January / 1;
    const sys_days ende = year{2155} / December / 31;
    DATUM gezaehlt = D(1901, 1, 1);
    for (sys_days t = anfang; t <= ende; t += days{1}) {
        year_month_day ymd{t};
        DATUM d = D(int(ymd.year()), unsigned(ymd.month()), unsigned(ymd.day()));
        ASSERT_EQ(datvergleich(&gezaehlt, &d), 0) << Iso(d);  // datplustage by one

        ASSERT_EQ(dattagnummer(&d), (t - anfang).count()) << Iso(d);
        int wt = int(weekday{t}.iso_encoding()) - 1;  // Monday 0
        ASSERT_EQ(datwochentag(&d), wt) << Iso(d);
        ASSERT_EQ(datjahrestag(&d), (t - sys_days{ymd.year() / January / 1}).count());

        // ISO week: the week of that week's Thursday, counted in its year.
        sys_days donnerstag = t + days{3 - wt};
        year isoJahr = year_month_day{donnerstag}.year();
        int isoWoche = int((donnerstag - sys_days{isoJahr / January / 1}).count() / 7 + 1);
        int woche = 0;
        int jahr = 0;
        datisowoche(&d, &woche, &jahr);
        ASSERT_EQ(woche, isoWoche) << Iso(d);
        ASSERT_EQ(jahr, int(isoJahr)) << Iso(d);
        ASSERT_EQ(datkw(&d), isoWoche) << Iso(d);
        int kal = isoJahr < ymd.year() ? 0 : (isoJahr > ymd.year() ? 53 : isoWoche);
        ASSERT_EQ(datkalwoche(&d), kal) << Iso(d);

        // The week and weekday lead back to the same day.
        DATUM zurueck{};
        datauswoche(&zurueck, int(ymd.year()), kal, wt);
        ASSERT_EQ(Iso(zurueck), Iso(d));

        datplustage(&gezaehlt, 1);
    }
}

TEST(Datum, DifferencesMonthsAndLeapYears)
{
    using namespace std::chrono;
    struct Diff {
        DATUM a, b;
    } diffs[] = {
        {D(2024, 3, 1), D(2024, 2, 28)},
        {D(1901, 1, 1), D(1981, 12, 31)},   // 80 years apart: counted
        {D(2100, 3, 1), D(2100, 2, 28)},    // 2100 is no leap year
        {D(2155, 12, 31), D(2075, 1, 1)},
    };
    for (const Diff& f : diffs) {
        auto tage = [](const DATUM& d) {
            return sys_days{year{d.jahr + 1900} / month{d.monat} / day{d.tag}};
        };
        long soll = (tage(f.a) - tage(f.b)).count();
        EXPECT_EQ(datdiff(&f.a, &f.b), soll) << Iso(f.a) << " " << Iso(f.b);
        EXPECT_EQ(datdiff(&f.b, &f.a), -soll);
    }
    // 1900-01-01 was a Monday of week 1; 1900-12-31 too (week 1 of 1901).
    DATUM n0 = D(1900, 1, 1), n1 = D(1900, 12, 31);
    int w = 0, j = 0;
    datisowoche(&n0, &w, &j);
    EXPECT_EQ(w, 1);
    EXPECT_EQ(j, 1900);
    datisowoche(&n1, &w, &j);
    EXPECT_EQ(w, 1);
    EXPECT_EQ(j, 1901);
    EXPECT_EQ(datwochentag(&n0), 0);
    EXPECT_EQ(dattagnummer(&n0), -365);

    DATUM a = D(1901, 1, 1), b = D(1982, 1, 1);  // 81 years
    EXPECT_EQ(datdiff(&a, &b), -30000);
    EXPECT_EQ(datdiff(&b, &a), 30000);
    EXPECT_EQ(datdiff(&a, &a), 0);

    struct Monate {
        DATUM d;
        int n;
        const char* soll;
    } monate[] = {
        {D(2024, 1, 31), 1, "2024-02-29"},
        {D(2023, 1, 31), 1, "2023-02-28"},
        {D(2024, 3, 15), -3, "2023-12-15"},
        {D(2024, 3, 15), -15, "2022-12-15"},
        {D(2024, 11, 30), 14, "2026-01-30"},
    };
    for (Monate& m : monate) {
        datplusmonate(&m.d, m.n);
        EXPECT_EQ(Iso(m.d), m.soll);
    }

    struct Schalt {
        int jahr, soll;
    } schalt[] = {{2024, 1}, {124, 1}, {2023, 0}, {1900, 0}, {0, 0}, {2000, 1}, {100, 1}, {2100, 0}};
    for (const Schalt& s : schalt) {
        EXPECT_EQ(datschaltjahr(s.jahr), s.soll) << s.jahr;
    }
    DATUM feb = D(2100, 2, 10), jan = D(2024, 1, 5), dez = D(2024, 12, 5), mar = D(2024, 3, 1);
    EXPECT_EQ(datmonatstage(&feb), 28);
    EXPECT_EQ(datvormonattage(&jan), 31);
    EXPECT_EQ(datnachmonattage(&dez), 31);
    EXPECT_EQ(datvormonattage(&mar), 29);

    DATUM mi = D(2024, 5, 15);  // a Wednesday
    datwochentagsetzen(&mi, 0);
    EXPECT_EQ(Iso(mi), "2024-05-13");
    DATUM von = D(2024, 1, 1), bis = D(2024, 12, 31), leer{};
    DATUM in = D(2024, 6, 1), vor = D(2023, 6, 1);
    EXPECT_EQ(datinbereich(&in, &von, &bis), 1);
    EXPECT_EQ(datinbereich(&vor, &von, &bis), 0);
    EXPECT_EQ(datinbereich(&vor, &leer, &bis), 1);
    EXPECT_EQ(datimbereich("2025-01-01", &von, &leer), 1);
    EXPECT_EQ(datimbereich("2025-01-01", &von, &bis), 0);
}

TEST(Datum, TimesAndMinutes)
{
    DATZEIT a{D(2024, 12, 31), 23, 50, 7};
    DATZEIT b{D(2025, 1, 1), 0, 10, 0};
    EXPECT_EQ(minutendiff(&b, &a), 20);
    DATZEIT c;
    datzeitplusminuten(&c, &a, 20);
    EXPECT_EQ(Iso(c.datum), "2025-01-01");
    EXPECT_EQ(c.stunde, 0);
    EXPECT_EQ(c.minute, 10);
    EXPECT_EQ(c.sekunde, 7);
    datzeitplusminuten(&c, &b, -1451);
    EXPECT_EQ(Iso(c.datum), "2024-12-30");
    EXPECT_EQ(c.stunde, 23);
    EXPECT_EQ(c.minute, 59);
    DATUM d = D(2024, 12, 1);
    EXPECT_EQ(datzeitdiff(&a, &d), 30);
}

TEST(Datum, TextFormsAndRing)
{
    DATZEIT s{D(2024, 3, 5), 7, 8, 9};
    struct Form {
        void (*fn)(char*, size_t, const DATZEIT*);
        const char* soll;
    } formen[] = {
        {datzeittext, "05.03.2024 07:08"},     {datzeitiso, "2024-03-05 07:08"},
        {datzeittextsek, "05.03.2024 07:08:09"}, {datzeitisosek, "2024-03-05 07:08:09"},
        {datzeittextkurz, "05.03.24  07:08"},  {datzeittextlang, "05.03.2024  07:08"},
        {uhrzeittext, "07:08"},
    };
    for (const Form& f : formen) {
        char t[DATTEXTSUP + 1];
        f.fn(t, sizeof t, &s);
        EXPECT_STREQ(t, f.soll);
        char knapp[6];
        f.fn(knapp, sizeof knapp, &s);  // cut, never past the target
        EXPECT_EQ(std::string(knapp), std::string(f.soll).substr(0, 5));
    }
    char t[DATTEXTSUP + 1];
    dattextkurz(t, &s.datum);
    EXPECT_STREQ(t, "05.03.24");
    sekundentext(t, 3 * 3600 + 4 * 60 + 5);
    EXPECT_STREQ(t, "3:04:05");
    minutentext(t, 125);
    EXPECT_STREQ(t, "2:05");
    stundentext(t, 5400);
    EXPECT_STREQ(t, "1,50");
    UHRZEIT u{23, 5};
    uhrzeittext2(t, &u);
    EXPECT_STREQ(t, "23:05");

    const char* erster = datisoring(&s.datum);
    for (int i = 0; i < DATRINGSUP - 1; ++i) {
        datzeitsekring(&s);
    }
    EXPECT_STREQ(erster, "2024-03-05");
    uhrzeitring(&u);
    EXPECT_STREQ(erster, "23:05");  // ten further calls reuse it
    EXPECT_STREQ(datzeitisoring(&s), "2024-03-05 07:08");

    char g[16] = "05.03.2024";
    dattextiso(g);
    EXPECT_STREQ(g, "2024-03-05");
    datisotext(g);
    EXPECT_STREQ(g, "05.03.2024");
    dattextzuiso(g);
    EXPECT_STREQ(g, "2024-03-05");
    dattextzuiso(g);
    EXPECT_STREQ(g, "2024-03-05");
    char kurz[16] = "5.3";
    dattextiso(kurz);  // a short text: pieces only from what is there
    EXPECT_STREQ(kurz, "--5.");

    // In-place rewrites that would grow stay inside a small heap block (ASan).
    std::unique_ptr<char[]> k(new char[6]);
    std::memcpy(k.get(), "1.2.3", 6);
    EXPECT_EQ(datpruefen(k.get(), 6), 0);
    EXPECT_STREQ(k.get(), "01.02");
    std::memcpy(k.get(), "01.02", 6);
    dattextiso(k.get(), 6);
    EXPECT_STREQ(k.get(), "-02-0");
    std::memcpy(k.get(), "2024-", 6);
    datisotext(k.get(), 6);
    EXPECT_STREQ(k.get(), "..202");
}

TEST(Datum, Reading)
{
    struct Lesen {
        const char* text;
        bool iso;
        const char* soll;
    } faelle[] = {
        {"31.12.2024", false, "2024-12-31"},
        {" 1.2.99", false, "2099-02-01"},
        {"1.2.0", false, "0000-02-01"},
        {"1.2.9999", false, "2155-02-01"},  // clamped to 255
        {"2024-12-31", true, "2024-12-31"},
        {"2024/1/2", true, "2024-01-02"},
        {"1850-01-01", true, "0000-01-01"},
        {"", true, "0000-00-00"},
    };
    for (const Lesen& f : faelle) {
        DATUM d;
        if (f.iso) {
            datlesiso(&d, f.text);
        } else {
            datlesen(&d, f.text);
        }
        EXPECT_EQ(Iso(d), f.soll) << f.text;
    }
    UHRZEIT u;
    uhrzeitlesen(&u, "7:45");
    EXPECT_EQ(u.stunde, 7);
    EXPECT_EQ(u.minute, 45);
    uint8_t lang[3];
    uhrzeitlesenlang(lang, "12:34:56");
    EXPECT_EQ(lang[0], 12);
    EXPECT_EQ(lang[1], 34);
    EXPECT_EQ(lang[2], 56);
    DATZEIT s{};
    s.sekunde = 42;
    datzeitlesen(&s, "2024-05-06", "08:09");
    EXPECT_EQ(Iso(s.datum), "2024-05-06");
    EXPECT_EQ(s.stunde, 8);
    EXPECT_EQ(s.minute, 9);
    EXPECT_EQ(s.sekunde, 42);

    struct Pruef {
        const char* ein;
        int erg;
        const char* aus;
    } pruef[] = {
        {"31.12.2024", 1, "31.12.2024"},
        {"31.02.2023", 0, "03.03.2023"},
        {"2024-02-30", 0, "2024-03-01"},
        {"2024-02-29", 1, "2024-02-29"},
        {"1.2.24", 0, "01.02.2024"},
    };
    for (const Pruef& p : pruef) {
        char t[16];
        std::strcpy(t, p.ein);
        EXPECT_EQ(datpruefen(t), p.erg) << p.ein;
        EXPECT_STREQ(t, p.aus) << p.ein;
    }
}

TEST(Datum, ClockAndEmptiness)
{
    setenv("TZ", "UTC", 1);
    tzset();
    plUhrFestsetzen(1709656089123LL);  // 2024-03-05 16:28:09.123 UTC
    DATZEIT s;
    jetzt(&s);
    EXPECT_EQ(Iso(s.datum), "2024-03-05");
    EXPECT_EQ(s.stunde, 16);
    EXPECT_EQ(s.minute, 28);
    EXPECT_EQ(s.sekunde, 9);
    EXPECT_EQ(msekunden(), 9123);
    char t[DATTEXTSUP + 1];
    uhrzeitkurz(t);
    EXPECT_STREQ(t, "16:28");
    uhrzeitlang(t);
    EXPECT_STREQ(t, "16:28:09");
    zeittextjetzt(t);
    EXPECT_STREQ(t, "05.03.2024 16:28:09");
    dattextheute(t);
    EXPECT_STREQ(t, "05.03.2024");
    DATUM heute = D(2024, 3, 5), gestern = D(2024, 3, 4);
    EXPECT_EQ(datistheute(&heute), 1);
    EXPECT_EQ(datistheute(&gestern), 0);
    UHRZEIT u;
    uhrzeitjetzt(&u);
    EXPECT_EQ(u.minute, 28);
    plUhrFreigeben();

    DATUM leer{}, teil{124, 0, 5};
    EXPECT_EQ(datleer(nullptr), 1);
    EXPECT_EQ(datleer(&leer), 1);
    EXPECT_EQ(datleer(&teil), 1);
    EXPECT_EQ(datleer(&heute), 0);
    DATZEIT z{leer, 0, 0, 30};
    EXPECT_EQ(datzeitleer(&z), 1);  // the seconds do not count
    z.minute = 1;
    EXPECT_EQ(datzeitleer(&z), 0);
    datzeitloeschen(&z);
    EXPECT_EQ(datzeitleer(&z), 1);
    EXPECT_EQ(datjahr(&heute), 2024);
}
