// Fault injection counters; see fehlersim.h.
#include "platform/fehlersim.h"

namespace {

struct FehlerZaehler {
    int bis = 0;          // calls left until the failing one; 0 = not armed
    bool dauerhaft = false;
    bool ausgeloest = false;  // a persistent fault has fired
    int anzahl = 0;       // failures produced since arming
};

FehlerZaehler fehlerTabelle[PL_FEHLERARTEN];

FehlerZaehler& fehlerZaehler(PlFehlerArt art)
{
    return fehlerTabelle[static_cast<int>(art)];
}

}  // namespace

void plFehlerSetzen(PlFehlerArt art, int n, bool dauerhaft)
{
    FehlerZaehler& z = fehlerZaehler(art);
    z = FehlerZaehler{};
    if (n > 0) {
        z.bis = n;
        z.dauerhaft = dauerhaft;
    }
}

void plFehlerAllesAus()
{
    for (FehlerZaehler& z : fehlerTabelle) z = FehlerZaehler{};
}

bool plFehlerJetzt(PlFehlerArt art)
{
    FehlerZaehler& z = fehlerZaehler(art);
    if (z.ausgeloest) {
        ++z.anzahl;
        return true;
    }
    if (z.bis <= 0) return false;
    if (--z.bis > 0) return false;
    ++z.anzahl;
    if (z.dauerhaft) z.ausgeloest = true;
    return true;
}

int plFehlerAusgeloest(PlFehlerArt art)
{
    return fehlerZaehler(art).anzahl;
}
