// Device style sets; see stil.h. Owns the one loaded set. Reads the defaults
// between VgbOeffnen and VgbSchliessen with the section's key prefix, which
// is switched off again before closing.
#include "output/stil.h"

#include <cstdio>
#include <cstring>

#include "config/reaktion.h"
#include "config/vorgaben.h"
#include "model/dienste.h"
#include "output/farbe.h"
#include "output/stilint.h"
#include "output/strich.h"
#include "support/basis.h"
#include "support/texte.h"

namespace {

STILSATZ stilSatz = [] {
    STILSATZ s{};
    for (VISTIFT& st : s.stift) st.breite = 1;
    s.jus.mass = 1.0;
    return s;
}();

constexpr int STILWERTSUP = 2 * VGBWERTSUP + 1;  // "StPix" + blank + "StRGB"

// A colour: three numbers when the text begins with a digit, else a colour
// name looked up in "rgb.txt".
void stilFarbe(const char* text, int32_t* r, int32_t* g, int32_t* b)
{
    char t[STILWERTSUP + 1];
    strkopie(t, text, STILWERTSUP);
    if (!(t[0] >= '0' && t[0] <= '9')) {
        RgbAusFarbname(t, sizeof t);
    }
    char* rest = t;
    int32_t* ziel[3] = {r, g, b};
    for (int32_t* z : ziel) {
        char wort[STILWERTSUP + 1];
        wortab(wort, rest);
        *z = stlZahl(wort);
    }
}

void stilSchluessel(char* s, size_t n, const char* muster, int k) { std::snprintf(s, n, muster, k); }

}  // namespace

void StilAusText(const char* text, VISTIFT* s)
{
    *s = VISTIFT{0, 0, 0, 1, 0, 0, 0, 0};
    char rest[STILWERTSUP + 1];
    strkopie(rest, text ? text : "", STILWERTSUP);
    char wort[STILWERTSUP + 1];
    wortab(wort, rest);
    int breite = stlZahl(wort);
    s->breite = breite < 1 ? 1 : breite;
    if (rest[0] >= '0' && rest[0] <= '9') {
        stilFarbe(rest, &s->r, &s->g, &s->b);
    } else if (rest[0] != '\0') {
        wortab(wort, rest);
        stilFarbe(wort, &s->r, &s->g, &s->b);
        if (rest[0] != '\0') {
            s->zweit = 1;
            stilFarbe(rest, &s->r2, &s->g2, &s->b2);
        }
    }
}

void StilLaden(const char* praefix)
{
    VgbOeffnen();
    VgbPraefix(praefix);
    for (int n = 0; n < STILSUP; ++n) {
        char schluessel[32];
        char wert[STILWERTSUP + 1];
        stilSchluessel(schluessel, sizeof schluessel, "StDef%d", n);
        VgbText(schluessel, wert, VGBWERTSUP);
        if (!strtrim(wert)) {
            char pix[VGBWERTSUP + 1], rgb[VGBWERTSUP + 1];
            stilSchluessel(schluessel, sizeof schluessel, "StPix%d", n);
            VgbText(schluessel, pix, VGBWERTSUP);
            stilSchluessel(schluessel, sizeof schluessel, "StRGB%d", n);
            VgbText(schluessel, rgb, VGBWERTSUP);
            std::snprintf(wert, sizeof wert, "%s %s", pix, rgb);
            strtrim(wert);
        }
        if (n > 0 && wert[0] == '\0') {
            stilSatz.stift[n] = stilSatz.stift[0];
        } else {
            StilAusText(wert, &stilSatz.stift[n]);
        }
    }
    JusLesen(&stilSatz.jus);
    stilSatz.blori = VgbInt("BlOri");
    VgbText40("Font", stilSatz.font);
    VgbPraefix("");
    VgbSchliessen();
    if (TestOption('I')) {
        wiDebug("dr\n");
        for (const VISTIFT& s : stilSatz.stift) {
            wiDebug("%d %d %d %d\n", s.r, s.g, s.b, s.breite);
        }
        wiDebug("%s\n", stilSatz.font);
        wiDebug("\n");
    }
}

void StilHolen(int n, VISTIFT* s)
{
    *s = stilSatz.stift[n < 0 ? 0 : n >= STILSUP ? STILSUP - 1 : n];
}

void StilFont(char* puffer, size_t groesse) { strkopie(puffer, groesse, stilSatz.font, STILFONTSUP); }

int StilBlattLage() { return stilSatz.blori; }

const STILSATZ* StilSatz() { return &stilSatz; }

double StilMass(double l) { return JusMass(&stilSatz.jus, l); }

double StilMassZurueck(double l) { return JusMassZurueck(&stilSatz.jus, l); }

void StilPunkt(double* x, double* y) { JusPunkt(&stilSatz.jus, x, y); }

void StilVektor(double* x, double* y) { JusVektor(&stilSatz.jus, x, y); }

int StilWinkel(int winkel) { return JusWinkel(&stilSatz.jus, winkel); }

void StilDiensteEintragen()
{
    ModDienste d{};
    d.RgbAusFarbname = RgbAusFarbname;
    d.StrichMaxSetzen = StrichMaxSetzen;
    ModDiensteSetzen(d);
}
