// Stock articles and section ")S Vgb" (see lagerart.h). Prefix `Lager`,
// `Vgb`.
#include "equipment/lagerart.h"

#include <cmath>
#include <cstring>
#include <string>
#include <vector>

#include "equipment/bmhilf.h"
#include "equipment/btl.h"
#include "equipment/nartikel.h"
#include "equipment/wse.h"
#include "config/verzeich.h"
#include "config/vorgaben.h"
#include "model/zustand.h"
#include "support/bdatei.h"
#include "support/dosdatei.h"
#include "support/fileload.h"
#include "support/sortier.h"
#include "support/texte.h"
#include "support/vergleich.h"

namespace {

struct ober {
    std::string schluessel;   // key-length characters, blank padded
    int32_t pos;              // the line after the group line
};

int lagerLaenge = 15;
int lagerInit = 0;
// The sorted copy: a temporary file of 200 characters + CR LF per record.
std::string lagerKopie;
BDAT lagerKopieDatei;
int lagerKopieOffen = 0;
int32_t lagerSatzLaenge = 0, lagerSaetze = 0;
// The upper-level file and its group index.
std::vector<ober> lagerOber;
BDAT lagerOberDatei;
int lagerOberOffen = 0;

int lagerSortLaenge = 15;   // key length of the running sort
int LagerSortVergleich(const void* a, const void* b)
{
    return std::memcmp(a, b, static_cast<size_t>(lagerSortLaenge));
}

// The first `laenge` characters, blank padded.
std::string LagerSchluesselAus(const char* text, int laenge)
{
    std::string k(text != nullptr ? text : "");
    if (static_cast<int>(k.size()) > laenge) k.resize(static_cast<size_t>(laenge));
    k.resize(static_cast<size_t>(laenge), ' ');
    return k;
}

void LagerSchliessen()
{
    if (lagerKopieOffen) bdclose(&lagerKopieDatei);
    lagerKopieOffen = 0;
    if (!lagerKopie.empty()) dateiloeschen(lagerKopie.c_str());
    lagerKopie.clear();
    lagerSatzLaenge = lagerSaetze = 0;
    if (lagerOberOffen) bdclose(&lagerOberDatei);
    lagerOberOffen = 0;
    lagerOber.clear();
}

void LagerAltesTmpLoeschen()
{
    char pfad[VERSUP + 32];
    PfadProjekt(pfad, sizeof pfad, "lagerartikel.tmp");
    dateiloeschen(pfad);
}

struct LagerSchreiber {
    BDAT* d;
    int fehler;
};

int LagerSatzAus(const void* satz, void* p)
{
    auto* s = static_cast<LagerSchreiber*>(p);
    if (bdwrite(s->d, satz, LAGERSATZSUP) < 0 || bdwrite(s->d, "\r\n", 2) < 0) s->fehler = 1;
    return 1;
}

int LagerKopieBauen(const char* pfad)
{
    BDAT d;
    if (bdopenlesen(&d, pfad) < 0) return -1;
    MSORT m;
    lagerSortLaenge = lagerLaenge;
    if (msortinit(&m, LAGERSATZSUP, LagerSortVergleich) < 0) {
        bdclose(&d);
        return -1;
    }
    char zeile[301];
    char satz[LAGERSATZSUP + 1];
    int fehler = 0;
    while (bdgets(&d, zeile, 300) >= 0) {
        if (strleer(zeile)) continue;
        strbreite(satz, sizeof satz, zeile, LAGERSATZSUP);
        if (msortput(&m, satz) < 0) fehler = 1;
    }
    if (bdlesefehler(&d)) fehler = 1;
    bdclose(&d);
    char name[VERSUP + 64];
    BDAT aus;
    if (tempname(name) < 0 || bdmake(&aus, name) < 0) {
        msortende(&m, [](const void*, void*) { return 0; }, nullptr);
        return -1;
    }
    LagerSchreiber s{&aus, 0};
    if (msortende(&m, LagerSatzAus, &s) != 0) fehler = 1;
    if (s.fehler || fehler) aus.fehler = 1;
    if (bdclose(&aus) < 0 || s.fehler || fehler) return -1;
    lagerKopie = name;
    if (bdopenlesen(&lagerKopieDatei, name) < 0) return -1;
    lagerKopieOffen = 1;
    lagerSatzLaenge = LAGERSATZSUP + 2;
    lagerSaetze = static_cast<int32_t>(dateilaenge(name) / lagerSatzLaenge);
    return 0;
}

void LagerOberBauen(const char* pfad)
{
    if (pfad == nullptr || pfad[0] == 0) return;
    if (bdopenlesen(&lagerOberDatei, pfad) < 0) return;
    char zeile[301];
    while (bdgets(&lagerOberDatei, zeile, 300) >= 0) {
        strrtrim(zeile);
        if (zeile[0] == 0 || static_cast<int>(std::strlen(zeile)) > lagerLaenge) continue;
        if (static_cast<int>(lagerOber.size()) >= OBRSUP) continue;
        lagerOber.push_back({LagerSchluesselAus(zeile, lagerLaenge), bdtell(&lagerOberDatei)});
    }
    if (bdlesefehler(&lagerOberDatei)) lagerOber.clear();
    if (lagerOber.empty()) bdclose(&lagerOberDatei);
    else lagerOberOffen = 1;
}

bool LagerSatzLesen(int32_t i, char* satz)
{
    if (bdseek(&lagerKopieDatei, i * lagerSatzLaenge) < 0) return false;
    if (bdread(&lagerKopieDatei, satz, LAGERSATZSUP) < 0) return false;
    satz[LAGERSATZSUP] = 0;
    return true;
}

void LagerAus(char* ziel, size_t kap, const std::string& text)
{
    if (ziel != nullptr && kap > 0) strkopie(ziel, kap, text.c_str(), static_cast<int>(kap - 1));
}

void LagerPfad(char* puffer, size_t groesse, const char* name)
{
    if (VerZeiger(4)[0] != 0) PfadBilden(4, name, "", puffer, groesse);
    else PfadProjekt(puffer, groesse, name);
}

}  // namespace

void LagerInit()
{
    lagerOber.clear();
    lagerOber.reserve(OBRSUP);
    lagerLaenge = 15;
    lagerInit = 1;
    ArtInit();
}

void LagerFrei()
{
    LagerSchliessen();
    LagerAltesTmpLoeschen();
    ArtFrei();
    lagerInit = 0;
}

void LagerSchluesselLaenge(int n) { lagerLaenge = n >= 2 ? (n < 5 ? 5 : n > 20 ? 20 : n) : 15; }
int LagerSchluessel() { return lagerLaenge; }

int LagerOeffnen(const char* datei, const char* oberdatei, int laenge)
{
    LagerSchluesselLaenge(laenge);
    LagerSchliessen();
    int r = -1;
    if (datei != nullptr && datei[0] != 0) {
        char pfad[VERSUP + 128];
        LagerPfad(pfad, sizeof pfad, datei);
        r = LagerKopieBauen(pfad);
        if (r < 0) LagerSchliessen();
    }
    LagerAltesTmpLoeschen();
    if (oberdatei != nullptr && oberdatei[0] != 0) {
        char pfad[VERSUP + 128];
        LagerPfad(pfad, sizeof pfad, oberdatei);
        LagerOberBauen(pfad);
    }
    return r;
}

void LagerNeuOeffnen() { LagerLaden(); }

void LagerLaden()
{
    if (!lagerInit) LagerInit();
    LagerSchliessen();
    LagerAltesTmpLoeschen();
    char lapfad[101] = "", ladatei[101] = "", laober[101] = "";
    int lalang = 0;
    if (VgbOeffnen() >= 0) {
        VgbText("LaPfad", lapfad, 100);
        VgbText("LaDatei", ladatei, 100);
        VgbText("LaOber", laober, 100);
        lalang = VgbInt("LaLang");
        VgbSchliessen();
    }
    VerSetzen(4, lapfad);
    LagerOeffnen(ladatei, laober, lalang);
    ArtInit();
    if (ladatei[0] == 0) return;
    char pfad[VERSUP + 128];
    LagerPfad(pfad, sizeof pfad, ladatei);
    if (ArtDateiPruefen(pfad)) ArtDateiLesen(pfad);
    else ArtAusTextdateien(VerZeiger(4)[0] != 0 ? VerZeiger(4) : VerZeiger(1), ladatei, laober);
}

int LagerSuchen(int n, const char* text, char* schluessel, size_t kschl, char* zeile, size_t kzeile)
{
    const std::string k = LagerSchluesselAus(text, lagerLaenge);
    LagerAus(schluessel, kschl, k);
    LagerAus(zeile, kzeile, "");
    if (n < 0) return 0;
    if (!lagerKopieOffen) {
        std::string t(text != nullptr ? text : "");
        if (t.size() > static_cast<size_t>(LAGERNRSUP)) t.resize(LAGERNRSUP);
        LagerAus(zeile, kzeile, t);
        return n == 0 ? 1 : 0;
    }
    for (const ober& o : lagerOber) {
        if (o.schluessel != k) continue;
        if (bdseek(&lagerOberDatei, o.pos) < 0) return 0;
        char z[301];
        for (int i = 0; i <= n; ++i) {
            if (bdgets(&lagerOberDatei, z, 300) < 0) return 0;
            if (static_cast<int>(std::strlen(z)) <= lagerLaenge || strleer(z + lagerLaenge)) return 0;
        }
        LagerAus(schluessel, kschl, LagerSchluesselAus(z, lagerLaenge));
        LagerAus(zeile, kzeile, z);
        return 1;
    }
    if (n != 0) return 0;
    // Exact binary search on the key over the sorted records.
    int32_t lo = 0, hi = lagerSaetze - 1;
    char satz[LAGERSATZSUP + 1];
    while (lo <= hi) {
        const int32_t mitte = lo + (hi - lo) / 2;
        if (!LagerSatzLesen(mitte, satz)) break;
        const int c = std::memcmp(satz, k.data(), static_cast<size_t>(lagerLaenge));
        if (c == 0) {
            strrtrim(satz);
            LagerAus(zeile, kzeile, satz);
            return 1;
        }
        if (c < 0) lo = mitte + 1;
        else hi = mitte - 1;
    }
    LagerAus(zeile, kzeile, k);
    return 0;
}

void LagerZeileZerlegen(char* zeile, char* nr, char* t1, char* t2, char* t3, char* t4)
{
    char* texte[4] = {t1, t2, t3, t4};
    for (char* t : texte)
        if (t != nullptr) t[0] = 0;
    if (nr != nullptr) nr[0] = 0;
    if (zeile == nullptr) return;
    const size_t laenge = std::strlen(zeile);
    char num[64];
    strkopie(num, sizeof num, zeile, lagerLaenge);
    strtrim(num);
    if (nr != nullptr) strkopie(nr, LAGERNRSUP + 1, num, LAGERNRSUP);
    if (laenge <= static_cast<size_t>(lagerLaenge) + 1) return;
    char* p = zeile + lagerLaenge + 1;
    for (char* t : texte) {
        char* ende = std::strchr(p, '~');
        if (ende != nullptr) *ende = 0;
        strtrim(p);
        if (t != nullptr) strkopie(t, LAGERTEXTSUP + 1, p, LAGERTEXTSUP);
        if (ende == nullptr) break;
        p = ende + 1;
    }
}

// ---- section Vgb ------------------------------------------------------------------

namespace {

struct {
    int gelesen;
    double lx, ly;          // start point read from the file
    double kx, ky;          // start point in force
    int kraftBekannt;
} vgb;

void VgbKraft(double* x, double* y)
{
    STT s;
    SttInit(&s, nullptr);
    *x = s.x;
    *y = s.y;
}

bool VgbVerschieden(double a, double b) { return std::fabs(a - b) > 0.0001; }

void VgbAllesVerschieben(double dx, double dy)
{
    BtlVerschieben(dx, dy);
    WseVerschieben(dx, dy);
}

}  // namespace

void VgbInit() { vgb.gelesen = 0; }

int VgbAbschnittLesen(BDAT* d)
{
    vgb.gelesen = 0;
    char zeile[BMZEILESUP];
    while (bdgets(d, zeile, BMZEILESUP - 1) >= 0) {
        strtrim(zeile);
        if (zeile[0] == ')') break;
        if (zeile[0] == 0 || zeile[0] == ';') continue;
        const char* p = zeile;
        const std::string name = BmhFeldText(&p);
        if (strvgl(name.c_str(), "StartXY") != 0) continue;
        vgb.lx = BmhAtof(BmhFeldText(&p).c_str());
        vgb.ly = BmhAtof(BmhFeldText(&p).c_str());
        vgb.gelesen = 1;
    }
    return 0;
}

int VgbAbschnittSchreiben(BDAT* d)
{
    double x, y;
    VgbKraft(&x, &y);
    std::string z = "StartXY";
    z += BMTRENNER;
    BmhFix5(z, x);
    z += BMTRENNER;
    BmhFix5(z, y);
    int r = bdputs(d, ")S Vgb");
    if (bdputs(d, z.c_str()) < 0) r = -1;
    vgb.lx = x;
    vgb.ly = y;
    return r < 0 ? -1 : 0;
}

void VgbNachLesen()
{
    VgbKraft(&vgb.kx, &vgb.ky);
    vgb.kraftBekannt = 1;
    if (!vgb.gelesen) return;
    if (VgbVerschieden(vgb.kx, vgb.lx) || VgbVerschieden(vgb.ky, vgb.ly)) {
        VgbAllesVerschieben(vgb.kx - vgb.lx, vgb.ky - vgb.ly);
        vgb.lx = vgb.kx;
        vgb.ly = vgb.ky;
    }
}

void VgbProjektWechsel()
{
    double x, y;
    VgbKraft(&x, &y);
    if (vgb.kraftBekannt && (VgbVerschieden(x, vgb.kx) || VgbVerschieden(y, vgb.ky)))
        VgbAllesVerschieben(x - vgb.kx, y - vgb.ky);
    vgb.kx = x;
    vgb.ky = y;
    vgb.kraftBekannt = 1;
}
