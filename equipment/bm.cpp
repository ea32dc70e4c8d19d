// The equipment store (see bm.h). Prefix `BM`.
//
// States: not created (BMuse 0), created and empty (not loaded), loaded,
// loaded and changed. BMListenInit/BMListenFrei create and free; the reload
// rule (wache) decides in BMDateiAktuell when BMDateiLesen runs; a write
// either reaches the file whole (marks cleared, stamp taken) or changes
// nothing at all.
#include "equipment/bm.h"

#include <cstring>
#include <string>

#include "config/konfhaken.h"
#include "config/reaktion.h"
#include "config/verzeich.h"
#include "config/vorgaben.h"
#include "equipment/bmhilf.h"
#include "equipment/bmint.h"
#include "equipment/btl.h"
#include "equipment/fstx.h"
#include "equipment/ges.h"
#include "equipment/app.h"
#include "equipment/definfo.h"
#include "equipment/definier.h"
#include "equipment/lagerart.h"
#include "equipment/ngestext.h"
#include "equipment/nhuliste.h"
#include "equipment/nzustext.h"
#include "equipment/wse.h"
#include "equipment/wache.h"
#include "support/basis.h"
#include "support/bdatei.h"
#include "support/dosdatei.h"
#include "support/texte.h"

void BmDiensteEintragen();  // bmdienste.cpp

bool bmLadenFaellig = false;

namespace {

bmvorgaben bmv{};
WACHE bmWache{};
bool bmListenDa = false;
int bmStand = 0;
bool bmLesefehler = false;  // "BMittel.zvk" was read short: it is not written over

void BmPfad(char (&pfad)[WACHEPFADSUP], const char* name) { PfadBilden(1, name, "", pfad); }

int BmDateiDa(const char* pfad) { return dateilaenge(pfad) >= 0 ? 1 : 0; }

void BmListenTxt(const char* text)
{
    char kopie[BMTEXTSUP + 81];
    strkopie(kopie, text, sizeof kopie - 1);
    char* rest = kopie;
    bmv.lisanz = 0;
    for (int i = 0; i < 5; ++i) {
        char wort[32];
        wortab(wort, rest);
        int w = BmhAtoi(wort);
        if (w < 0) w = 0;
        if (w > 5) w = 5;
        bmv.listxt[i] = w;
        if (w >= 1) ++bmv.lisanz;
    }
}

void BmSchluessel(char* name, size_t kap, const char* stamm, int i)
{
    std::string s = stamm;
    BmhInt(s, i);
    strkopie(name, kap, s.c_str(), static_cast<int>(kap) - 1);
}

// "Kann Ausgabedatei %s nicht anlegen." with the file's path.
void BmWarnungAnlegen(const char* name)
{
    char pfad[WACHEPFADSUP];
    BmPfad(pfad, name);
    std::string text = "Kann Ausgabedatei ";
    text += pfad;
    text += " nicht anlegen.";
    konfHaken().warnung(text.c_str());
}

// Reads the whole file through one small buffer and keeps nothing: false
// only when a read failed. A missing file is no read error.
bool BmDateiLesbar(const char* pfad)
{
    const int h = dosopen(pfad, 0);
    if (h < 0) return true;
    char puffer[16384];
    int n;
    while ((n = dosread(h, puffer, sizeof puffer)) > 0) {
    }
    dosclose(h);
    return n == 0;
}

}  // namespace

void BmFaelligLaden()
{
    bmLadenFaellig = false;
    BMDateiAktuell(0);
}

const bmvorgaben& BMVorgaben() { return bmv; }

void BMVorgabenLesen()
{
    VgbOeffnen();
    bmv.bmuse = VgbInt("BMuse");
    bmv.bmduse = VgbInt("BMduse");
    VgbText("BMdzus", bmv.bmdzus, 20);
    bmv.bmpuse = VgbInt("BMpuse");
    VgbText("BMpzus", bmv.bmpzus, 20);
    bmv.bmluse = VgbInt("BMluse");
    bmv.spfort = VgbInt("SPfort");
    bmv.spnull = VgbZehntel("SPnull");
    bmv.spabst = VgbZehntel("SPabst");
    bmv.spblatt = VgbInt("SPblatt");
    VgbText("BMkenn", bmv.bmkenn, BMTEXTSUP);
    VgbText("BMFkenn", bmv.bmfkenn, BMTEXTSUP);
    bmv.bmnorm = VgbInt("BMnorm");
    bmv.bmseite = VgbInt("BMseite");
    bmv.bmpfad = VgbInt("BMpfad");
    bmv.bmksnull = VgbInt("BMksnull");
    bmv.bmzkenn = VgbInt("BMzkenn");
    bmv.bmzkab2 = VgbInt("BMzkab2");
    bmv.bmtzfeld = VgbInt("BMtzfeld");
    char name[16];
    for (int i = 0; i < 6; ++i) {
        BmSchluessel(name, sizeof name, "BMtext", i);
        bmv.bmtext[i] = VgbInt(name);
        BmSchluessel(name, sizeof name, "BMkop", i);
        bmv.bmkop[i] = VgbInt(name);
        BmSchluessel(name, sizeof name, "BMFkuse", i);
        bmv.bmfkuse[i] = VgbInt(name);
    }
    bmv.bmtexth = VgbInt("BMtextH");
    bmv.bmyatext = VgbZehntel("BMyatext");
    bmv.bmyabau = VgbZehntel("BMyabau");
    bmv.bmhbzu = VgbInt("BMhbzu");
    bmv.bmzknvrw = VgbInt("BMzkNvrw");
    bmv.bmzkdnam = VgbInt("BMzkDNam");
    bmv.bmzkzei = VgbInt("BMzkZei");
    bmv.bmzkyoff = VgbZehntel("BMzkYoff");
    bmv.bmzktg = VgbZehntel("BMzkTG");
    bmv.bmbpzei = VgbInt("BMbpZei");
    bmv.bmbpyoff = VgbZehntel("BMbpYoff");
    bmv.bmbptg = VgbZehntel("BMbpTG");
    bmv.bmfbpzei = VgbInt("BMFbpZei");
    bmv.bmfbpyoff = VgbZehntel("BMFbpYoff");
    char text[VGBWERTSUP + 1];
    VgbText("AP-BMLisTxt", text, VGBWERTSUP);
    BmListenTxt(text);
    VgbText("AP-BMZeiFlt", text, VGBWERTSUP);
    bmv.zeiflt = strleer(text) ? 1 : BmhAtoi(text);
    VgbSchliessen();
    if (TestOption('I')) {
        wiDebug("app");
        wiDebug("%d %d %d", bmv.bmuse, bmv.bmnorm, bmv.bmzkenn);
        wiDebug("lisanz %d : %d %d %d %d %d", bmv.lisanz, bmv.listxt[0], bmv.listxt[1], bmv.listxt[2],
                bmv.listxt[3], bmv.listxt[4]);
    }
    bmv.gelesen = 1;
}

void BMListenInit()
{
    DefInit();
    GesInit();
    BtlInit();
    GtxInit();
    ZtxInit();
    WseInit();
    WseCacheInit();
    VgbInit();
    bmListenDa = true;
    bmWache.geladen = 0;
    bmLadenFaellig = false;
}

void BMListenFrei()
{
    DefFrei();
    GesFrei();
    BtlFrei();
    GtxFrei();
    ZtxFrei();
    WseFrei();
    WseCacheFrei();
    bmListenDa = false;
    bmWache.geladen = 0;
    bmLadenFaellig = false;
}

void BMStart()
{
    BmDiensteEintragen();  // first, whatever BMuse says
    BMVorgabenLesen();
    if (bmv.bmuse) BMListenInit();
}

void BMStartErzwungen()
{
    BMVorgabenLesen();
    bmv.bmuse = 1;
    BMListenInit();
}

void BMEnde()
{
    if (bmv.bmuse) BMListenFrei();
}

void BMEndeErzwungen()
{
    bmv.bmuse = 1;
    BMListenFrei();
}

int BMVerwendet() { return bmv.bmuse; }
int BMGeladen()
{
    BmNachladen();
    return bmWache.geladen;
}
int BMStand()
{
    BmNachladen();
    return bmStand;
}

int Zv7DateiVorhanden()
{
    char pfad[WACHEPFADSUP];
    BmPfad(pfad, "BMHAUPT.ZVK");
    return BmDateiDa(pfad);
}

int BMDateiLesen()
{
    bmLadenFaellig = false;
    if (bmWache.geladen) {
        BMListenFrei();
        BMListenInit();
    }
    char pfad[WACHEPFADSUP];
    BmPfad(pfad, "BMittel.zvk");
    strkopie(bmWache.pfad, pfad, WACHEPFADSUP - 1);
    bmLesefehler = false;
    BDAT d;
    if (bdopenlesen(&d, pfad) >= 0) {
        char zeile[BMZEILESUP];
        bdgets(&d, zeile, BMZEILESUP - 1);  // "zvkA", not checked
        bdgets(&d, zeile, BMZEILESUP - 1);  // ")S Ges", not checked
        GesAbschnittLesen(&d);
        BtlAbschnittLesen(&d);
        GtxAbschnittLesen(&d);
        ZtxAbschnittLesen(&d);
        WseAbschnittLesen(&d);
        VgbAbschnittLesen(&d);
        bmLesefehler = bdlesefehler(&d) != 0;
        bdclose(&d);
        if (bmLesefehler) {
            // Nothing of it is kept; the next check reads it again.
            BMListenFrei();
            BMListenInit();
            BmhLesefehler(pfad);
        } else {
            VgbNachLesen();
            WacheGeladen(&bmWache, pfad);
            BtlSortieren();
        }
        ++bmStand;
    }
    WacheZaehlerMerken(&bmWache);
    return bmWache.zaehler;
}

int BMDateiAnlegen()
{
    char pfad[WACHEPFADSUP];
    BmPfad(pfad, "BMittel.zvk");
    if (BmDateiDa(pfad)) return 1;
    if (const int v7 = Zv7DateiVorhanden()) return v7;
    BDAT d;
    if (bdmake(&d, pfad) < 0) return -1;
    int r = bdputs(&d, "zvkA");
    if (bdputs(&d, ")E") < 0) r = -1;
    if (r < 0) d.fehler = 1;  // nothing half-written replaces anything
    const int z = bdclose(&d);
    return r < 0 ? -1 : z;
}

int BMDateiSchreiben()
{
    BmNachladen();
    if (const int v7 = Zv7DateiVorhanden()) return v7;
    if (bmLesefehler) return -1;
    char pfad[WACHEPFADSUP], bak[WACHEPFADSUP];
    BmPfad(pfad, "BMittel.zvk");
    BmPfad(bak, "BMittel.bak");
    const BmMarken marken{GesGeaendert(), BtlGeaendert(), BtlAenderZaehler(), GtxGeaendert(), ZtxGeaendert(),
                          WseGeaendert()};
    BDAT d;
    if (bdmake(&d, pfad) < 0) return -1;
    int r = bdputs(&d, "zvkA");
    if (GesAbschnittSchreiben(&d) < 0) r = -1;
    if (BtlAbschnittSchreiben(&d) < 0) r = -1;
    if (GtxAbschnittSchreiben(&d) < 0) r = -1;
    if (ZtxAbschnittSchreiben(&d) < 0) r = -1;
    if (WseAbschnittSchreiben(&d) < 0) r = -1;
    if (VgbAbschnittSchreiben(&d) < 0) r = -1;
    if (bdputs(&d, ")E") < 0) r = -1;
    if (r < 0) d.fehler = 1;  // a failed write drops the new file at close
    // The backup holds the previous contents: copied only once the new
    // file is complete, just before it replaces the old one.
    if (r == 0 && BmDateiDa(pfad) && dateikopieren(pfad, bak) < 0) {
        d.fehler = 1;
        r = -1;
    }
    if (bdclose(&d) < 0) r = -1;
    if (r < 0) {
        GesMarkeSetzen(marken.ges);
        BtlMarkeSetzen(marken.btl, marken.btlZaehler);
        GtxMarkeSetzen(marken.gtx);
        ZtxMarkeSetzen(marken.ztx);
        WseMarkeSetzen(marken.wse);
        return -1;
    }
    WacheGeladen(&bmWache, pfad);
    return 0;
}

void BMDateiAktuell(int anlegen)
{
    if (!bmv.bmuse || !bmListenDa) return;
    if (bmWache.geladen && WacheZaehler() == bmWache.zaehler) return;
    char pfad[WACHEPFADSUP];
    BmPfad(pfad, "BMittel.zvk");
    if (!WacheVeraltet(&bmWache, pfad)) return;
    if (anlegen == 1) BMDateiAnlegen();
    BMDateiLesen();
}

void BMListenWieDatei()
{
    if (!bmv.bmuse) return;
    if (!bmListenDa || GesGeaendert() || BtlGeaendert() || GtxGeaendert() || ZtxGeaendert() || WseGeaendert())
        BMListenVerwerfen();
}

void BMListenVerwerfen()
{
    if (!bmv.bmuse) return;
    BMListenFrei();
    BMListenInit();
}

int BMListenSpeichern(int schreiben)
{
    // The texts by language first; their failure is reported too, and the
    // equipment file is still written.
    int ergebnis = 0;
    if (FstxBeenden(schreiben) < 0) {
        BmWarnungAnlegen("Texte.zvk");
        ergebnis = -1;
    }
    if (!bmv.bmuse || !bmListenDa) return ergebnis;
    if (!(GesGeaendert() || BtlGeaendert() || GtxGeaendert() || ZtxGeaendert() || WseGeaendert())) return ergebnis;
    if (schreiben == 0) {
        BMListenFrei();
        BMListenInit();
        return ergebnis;
    }
    const int r = BMDateiSchreiben();
    if (r < 0) {
        BmWarnungAnlegen("BMittel.zvk");
        return -1;
    }
    return ergebnis != 0 ? ergebnis : r;
}

void BMBefehlEnde()
{
    if (!bmv.bmuse) return;
    BtlMarkenBestaetigen();
    WseMarkenBestaetigen();
}

void BMProjektWechsel()
{
    FstxNeuLaden();
    WseCacheLeeren();
    const int altUse = bmv.bmuse;
    const int warGelesen = bmv.gelesen;
    BMVorgabenLesen();
    // A load still owed counts as done: the lists go as loaded ones would.
    const bool geladen = bmWache.geladen != 0 || bmLadenFaellig;
    bmLadenFaellig = false;
    if (geladen || (warGelesen && altUse != bmv.bmuse)) {
        if (altUse || geladen) BMListenFrei();
        if (bmv.bmuse) BMListenInit();
    }
    if (bmv.bmuse) {
        DefDateienSetzen();
        VgbProjektWechsel();
        HulBreitenInit(bmv.lisanz);
        for (int i = 0; i < 5; ++i) HulSpalteSetzen(i, bmv.listxt[i]);
        HulSuchModusSetzen(bmv.zeiflt);
    } else {
        HulBreitenInit(0);
        HulSuchModusSetzen(0);
    }
}

void BmDatenNeuLaden()
{
    BMListenVerwerfen();
    if (!bmv.bmuse || !bmListenDa) return;
    // Read at the lists' first use (a project opened to look at its sheets
    // never reads them); a file that cannot be read is read now, so that its
    // warning comes with the open.
    char pfad[WACHEPFADSUP];
    BmPfad(pfad, "BMittel.zvk");
    if (BmDateiLesbar(pfad)) {
        bmLadenFaellig = true;
    } else {
        BMDateiAktuell(0);
    }
}

void BMZuruecksetzen()
{
    if (bmListenDa) BMListenFrei();
    bmv = bmvorgaben{};
    WacheLeeren(&bmWache);
}
