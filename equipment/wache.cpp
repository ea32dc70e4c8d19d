// The reload rule (see wache.h). Prefix `Wache`. Calls config/datwache and
// support (dateizeit, texts).
#include "equipment/wache.h"

#include <cstring>

#include "config/datwache.h"
#include "support/dosdatei.h"
#include "support/texte.h"

namespace {

WACHEZAEHLERFN wacheZaehlerFn = nullptr;
WACHESTEMPELFN wacheStempelFn = nullptr;

// 1 when the file at pfad has exactly the stamp z now.
int WacheStempelGleich(const char* pfad, const DATZEIT* z)
{
    DATZEIT jetzt{};
    if (WacheStempel(pfad, &jetzt) != 0) return 0;
    return std::memcmp(&jetzt, z, sizeof(DATZEIT)) == 0 ? 1 : 0;
}

void WachePfadKopieren(char (&ziel)[WACHEPFADSUP], const char* pfad)
{
    strkopie(ziel, pfad != nullptr ? pfad : "", WACHEPFADSUP - 1);
}

}  // namespace

void WacheQuellenSetzen(WACHEZAEHLERFN zaehler, WACHESTEMPELFN stempel)
{
    wacheZaehlerFn = zaehler;
    wacheStempelFn = stempel;
}

int WacheZaehler()
{
    return wacheZaehlerFn != nullptr ? wacheZaehlerFn() : DatPruefZaehler();
}

int WacheStempel(const char* pfad, DATZEIT* stempel)
{
    if (wacheStempelFn != nullptr) return wacheStempelFn(pfad, stempel);
    return dateizeit(pfad, stempel) == 0 ? 0 : -1;
}

void WacheLeeren(WACHE* w)
{
    std::memset(w, 0, sizeof(*w));
}

int WacheVeraltet(WACHE* w, const char* pfad)
{
    return WacheVeraltet2(w, pfad, nullptr);
}

int WacheVeraltet2(WACHE* w, const char* pfad, const char* pfad2)
{
    if (!w->geladen) return 1;
    int zaehler = WacheZaehler();
    if (zaehler == w->zaehler) return 0;
    w->zaehler = zaehler;
    if (std::strcmp(w->pfad, pfad != nullptr ? pfad : "") != 0) return 1;
    if (!WacheStempelGleich(w->pfad, &w->zeit)) return 1;
    const char* zweit = pfad2 != nullptr ? pfad2 : "";
    if (std::strcmp(w->pfad2, zweit) != 0) return 1;
    if (zweit[0] != 0) {
        DATZEIT z{};
        int da = WacheStempel(zweit, &z) == 0 ? 1 : 0;
        if (da != w->zeit2da) return 1;
        if (da && std::memcmp(&z, &w->zeit2, sizeof(DATZEIT)) != 0) return 1;
    }
    return 0;
}

void WacheGeladen(WACHE* w, const char* pfad)
{
    WacheGeladen2(w, pfad, nullptr);
}

void WacheGeladen2(WACHE* w, const char* pfad, const char* pfad2)
{
    w->geladen = 1;
    WachePfadKopieren(w->pfad, pfad);
    if (WacheStempel(w->pfad, &w->zeit) != 0) std::memset(&w->zeit, 0, sizeof(DATZEIT));
    WachePfadKopieren(w->pfad2, pfad2);
    w->zeit2da = 0;
    std::memset(&w->zeit2, 0, sizeof(DATZEIT));
    if (w->pfad2[0] != 0 && WacheStempel(w->pfad2, &w->zeit2) == 0) w->zeit2da = 1;
    w->zaehler = WacheZaehler();
}

void WacheZaehlerMerken(WACHE* w)
{
    w->zaehler = WacheZaehler();
}
