// Drawing settings, pens and layers; see einstell.h. Owns the program's own
// settings blocks, the pen and layer names with their loaded flags and the
// layer visibility flags. Each reader opens the defaults store, reads its
// keys, closes it and traces the values under the test letter 'I'. Name
// files are read from the project folder, else the application-data folder,
// else the shipped-data folder (kind 0, only read), and written to the
// application-data folder. Calls config/ (defaults, directory kinds, test
// options), support/ (buffered files, texts), platform/ (locations), the
// geometry (tolerance) and the service hooks of model/.
#include "model/einstell.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "config/reaktion.h"
#include "config/verzeich.h"
#include "config/vorgaben.h"
#include "model/dienste.h"
#include "model/geometri.h"
#include "model/modellint.h"
#include "platform/orte.h"
#include "support/basis.h"
#include "support/bdatei.h"
#include "support/dosdatei.h"
#include "support/pfade.h"
#include "support/texte.h"

using namespace modh;  // the model's calls through its service tables

namespace {

GRUNDEINST einGrund;
VIEINST einVi;
EDEINST einEd;

char einStifte[STIFTSUP + 1][STIFTNAMESUP + 1];
char einLayer[LAYERSUP + 1][STIFTNAMESUP + 1];
uint8_t einSichtbar[LAYERSUP + 1] = {1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1};
bool einStifteGeladen = false;
bool einLayerGeladen = false;

int einKlemmen(int v, int lo, int hi) { return v < lo ? lo : v > hi ? hi : v; }

void einText(const char* schluessel, char* ziel, int n)
{
    VgbText(schluessel, ziel, n);
}

void einText40(const char* schluessel, char* ziel)
{
    VgbText40(schluessel, ziel);
}

std::string einSchluessel(const char* muster, int k)
{
    char s[32];
    std::snprintf(s, sizeof s, muster, k);
    return s;
}

// A colour text: a leading non-digit makes it a colour name, turned into
// "r g b" by the rendering service; then three integers.
void einFarbeAusText(std::string text, int32_t rgb[3])
{
    char puffer[EINSTPFADSUP + 1];
    size_t n = text.size() < EINSTPFADSUP ? text.size() : EINSTPFADSUP;
    std::memcpy(puffer, text.data(), n);
    puffer[n] = '\0';
    if (!(puffer[0] >= '0' && puffer[0] <= '9')) {
        RgbAusFarbname(puffer, sizeof puffer);
    }
    char* p = puffer;
    for (int i = 0; i < 3; ++i) {
        char wort[EINSTPFADSUP + 1];
        wortab(wort, p);
        rgb[i] = modAtoi(wort);
    }
}

void einFarbe(const char* schluessel, int32_t rgb[3])
{
    char text[EINSTTEXTSUP + 1];
    einText40(schluessel, text);
    einFarbeAusText(text, rgb);
}

void einPfad(const char* schluessel, char* ziel, int art)
{
    einText(schluessel, ziel, EINSTPFADSUP);
    if (art >= 0) {
        VerSetzen(art, ziel);
    } else {
        PfadPlatzhalter(ziel, EINSTPFADSUP + 1);
    }
}

std::string einZahl(double x) { return modFixed(x, 1); }

}  // namespace

GRUNDEINST* GrundEinst() { return &einGrund; }
VIEINST* ViEinst() { return &einVi; }
EDEINST* EdEinst() { return &einEd; }

void GrundEinstLesen(GRUNDEINST* g)
{
    if (!g) {
        g = &einGrund;
    }
    VgbOeffnen();
    einPfad("ZvBPfad", g->bpfad, 2);
    einPfad("ZvTPfad", g->tpfad, 3);
    einPfad("ZvTZPfad", g->tzpfad, 7);
    einPfad("ZvKPfad", g->kpfad, -1);
    einPfad("ZvHPfad", g->hpfad, 6);
    einPfad("AP-ZvVgbPfad", g->vgbpfad, 8);
    g->zvx = VgbInt("ZvX");
    g->zvy = VgbInt("ZvY");
    g->zvapr = VgbInt("ZvApR");
    g->zvms = VgbInt("ZvMS");
    g->zvmsr = VgbInt("ZvMSR");
    g->zvtg = VgbInt("ZvTG");
    g->zvtr = VgbInt("ZvTR");
    g->zvtv = VgbInt("ZvTV");
    g->zvth = VgbInt("ZvTH");
    g->zvst = VgbInt("ZvST");
    g->zvsa = VgbInt("ZvSA");
    g->zvsl = VgbInt("ZvSL");
    einText40("ZvBD", g->zvbd);
    einText40("ZvTD", g->zvtd);
    einText40("ZvHZ", g->zvhz);
    for (int i = 0; i < LAYERSUP; ++i) {
        g->layanz[i] = static_cast<uint8_t>(VgbInt(einSchluessel("LayAnz%d", i).c_str()));
    }
    g->layspeich = VgbInt("LaySpeich");
    g->bmpstil = VgbInt("AP-ZvBmpStil");
    g->tbarstil = VgbInt("AP-ZvTbarStil");
    g->tbarlinks = VgbInt("AP-ZvTbarLinks");
    g->ofstil = VgbInt("AP-OFStil");
    g->gebfenpos = VgbInt("AP-GEBFenPos");
    g->pfadfeld = VgbInt("AP-PfadFeld");
    VgbSchliessen();
    if (TestOption('I')) {
        wiDebug("GrundEinst B:%s T:%s TZ:%s K:%s H:%s V:%s\n", g->bpfad, g->tpfad, g->tzpfad, g->kpfad,
                g->hpfad, g->vgbpfad);
        wiDebug("GrundEinst X:%d Y:%d MS:%d MSR:%d TG:%d TR:%d TV:%d TH:%d ST:%d SA:%d SL:%d BD:%s TD:%s\n",
                g->zvx, g->zvy, g->zvms, g->zvmsr, g->zvtg, g->zvtr, g->zvtv, g->zvth, g->zvst, g->zvsa,
                g->zvsl, g->zvbd, g->zvtd);
    }
}

void ViEinstLesen(VIEINST* v)
{
    if (!v) {
        v = &einVi;
    }
    VgbOeffnen();
    for (int k = 0; k < VISTIFTSUP; ++k) {
        // The definition: "ViStDef%d", else "ViStPix%d" and "ViStRGB%d".
        char def[EINSTTEXTSUP * 2 + 2];
        einText40(einSchluessel("ViStDef%d", k).c_str(), def);
        if (!strtrim(def)) {
            char pix[EINSTTEXTSUP + 1], rgb[EINSTTEXTSUP + 1];
            einText40(einSchluessel("ViStPix%d", k).c_str(), pix);
            einText40(einSchluessel("ViStRGB%d", k).c_str(), rgb);
            std::snprintf(def, sizeof def, "%s %s", pix, rgb);
            strtrim(def);
        }
        VISTIFT& s = v->stift[k];
        s = VISTIFT{0, 0, 0, 1, 0, 0, 0, 0};
        if (k != 0 && def[0] == '\0') {
            s = v->stift[0];
            continue;
        }
        char wort[EINSTTEXTSUP * 2 + 2];
        char* rest = def;
        wortab(wort, rest);
        int breite = modAtoi(wort);
        s.breite = breite < 1 ? 1 : breite;
        int32_t farbe[3] = {0, 0, 0};
        if (rest[0] >= '0' && rest[0] <= '9') {
            einFarbeAusText(rest, farbe);
        } else if (rest[0] != '\0') {
            wortab(wort, rest);
            einFarbeAusText(wort, farbe);
            if (rest[0] != '\0') {
                int32_t zweit[3] = {0, 0, 0};
                einFarbeAusText(rest, zweit);
                s.zweit = 1;
                s.r2 = zweit[0];
                s.g2 = zweit[1];
                s.b2 = zweit[2];
            }
        }
        s.r = farbe[0];
        s.g = farbe[1];
        s.b = farbe[2];
    }
    v->flux = VgbZehntel("ViFlux");
    v->fluy = VgbZehntel("ViFluy");
    v->frox = VgbZehntel("ViFrox");
    v->froy = VgbZehntel("ViFroy");
    v->zfenst = VgbInt("ViZFenst");
    v->zrahm = VgbInt("ViZRahm");
    einText40("ViFont", v->font);
    v->fofix = VgbInt("ViFofix");
    einFarbe("ViBgRGB", v->bgrgb);
    VgbSchliessen();
    if (TestOption('I')) {
        wiDebug("ViEinst Stift0 %d %d %d B:%d\n", v->stift[0].r, v->stift[0].g, v->stift[0].b,
                v->stift[0].breite);
        wiDebug("ViEinst %s %s %s %s Z:%d R:%d F:%s %d BG:%d %d %d\n", einZahl(v->flux).c_str(),
                einZahl(v->fluy).c_str(), einZahl(v->frox).c_str(), einZahl(v->froy).c_str(), v->zfenst,
                v->zrahm, v->font, v->fofix, v->bgrgb[0], v->bgrgb[1], v->bgrgb[2]);
    }
}

void EdEinstLesen(EDEINST* e)
{
    bool eigen = !e || e == &einEd;
    if (!e) {
        e = &einEd;
    }
    VgbOeffnen();
    e->toolh = static_cast<uint8_t>(VgbInt("EdToolH"));
    e->toolv = static_cast<uint8_t>(VgbInt("EdToolV"));
    e->status = static_cast<uint8_t>(VgbInt("EdStatus"));
    e->rp0x = VgbZehntel("Edrp0X");
    e->rp0y = VgbZehntel("Edrp0Y");
    e->rpswx = VgbZehntel("EdrpswX");
    e->rpswy = VgbZehntel("EdrpswY");
    e->rpax = VgbInt("EdrpaX");
    e->rpay = VgbInt("EdrpaY");
    einFarbe("EdrpRGB", e->rprgb);
    e->swx = VgbZehntel("EdSWX");
    e->swy = VgbZehntel("EdSWY");
    e->kax = VgbZehntel("EdKAX");
    e->kay = VgbZehntel("EdKAY");
    for (int i = 1; i <= 7; ++i) {
        e->sl[i] = VgbZehntel(einSchluessel("Edsl%d", i).c_str());
    }
    e->sl[0] = e->sl[1];
    e->sa1max = VgbInt("EdSA1Max");
    e->baufar = VgbInt("Edbaufar");
    einFarbe("EdbauRGB", e->baurgb);
    einFarbe("EdhzRGB", e->hzrgb);
    e->ts = VgbInt("Edts");
    e->ta = VgbInt("Edta");
    e->tm = VgbInt("Edtm");
    e->hza = VgbInt("Edhza");
    e->vorvrb = VgbInt("AP-EdVorVRB");
    e->bmrnb = VgbInt("EdBmRnb");
    e->bmsort = VgbInt("EdBmSort");
    e->bmlist = VgbInt("EdBmList");
    einPfad("LaPfad", e->lapfad, 4);
    einText("LaDatei", e->ladatei, EINSTPFADSUP);
    int lang = VgbInt("LaLang");
    e->lalang = lang < 2 ? 15 : einKlemmen(lang, 5, 20);
    einFarbe("EdaktRGB", e->aktrgb);
    einFarbe("EdbstRGB", e->bstrgb);
    einFarbe("EdmflRGB", e->mflrgb);
    einPfad("AP-ExeNote", e->exenote, -1);
    e->fka = VgbInt("Edfka");
    e->a3a4 = VgbInt("Eda3a4") != 0 ? 'u' : 't';
    e->nk = einKlemmen(VgbInt("Ednk"), 1, 4);
    e->wnk = einKlemmen(VgbInt("Edwnk"), 0, 1);
    e->sperre = VgbInt("EdSperre");
    e->datumneu = VgbInt("EdDatumNeu");
    einText40("EdDatumNam", e->datumnam);
    e->grundbbw = VgbInt("AP-GrundBBW");
    e->elembearb = VgbInt("AP-ElemBearb");
    e->elembeweg = VgbInt("AP-ElemBeweg");
    e->sumatx = VgbInt("AP-EdSuMaTx") == 0 ? 1 : 0;
    // Sets written before these options show the preview as before.
    const char* vorOpt[3] = {"EdVorOpt1", "EdVorOpt2", "EdVorOpt3"};
    for (int k = 0; k < 3; ++k) {
        char w[16] = "";
        VgbText(vorOpt[k], w, 15);
        e->vorOpt[k] = strleer(w) || std::atoi(w) != 0 ? 1 : 0;
    }
    VgbSchliessen();
    StrichMaxSetzen(e->sa1max);
    if (eigen) {
        GenauigkeitSetzen(e->nk);
    }
    if (TestOption('I')) {
        wiDebug("EdEinst LaPfad:%s LaDatei:%s LaLang:%d A3A4:%c NK:%d WNK:%d SA1Max:%d SuMaTx:%d\n", e->lapfad,
                e->ladatei, e->lalang, e->a3a4, e->nk, e->wnk, e->sa1max, e->sumatx);
    }
}

// ---- pen and layer names ---------------------------------------------------------

namespace {

// The name file to read: project folder, application-data folder, program folder.
std::string einNamenDatei(const char* datei)
{
    char pfad[PFADSUP + 1];
    if (VerZeiger(1)[0]) {
        PfadBilden(1, datei, nullptr, pfad, sizeof pfad);
        if (dateilesbar(pfad)) {
            return pfad;
        }
    }
    std::string anw = plOrtAnwendung() + "/" + datei;
    if (dateilesbar(anw.c_str())) {
        return anw;
    }
    PfadBilden(0, datei, nullptr, pfad, sizeof pfad);
    return pfad;
}

// False when the file could not be read to its end: the names are then
// empty and not taken as loaded.
bool einNamenLaden(const char* datei, char (*namen)[STIFTNAMESUP + 1], int anzahl)
{
    for (int i = 0; i <= anzahl; ++i) {
        namen[i][0] = '\0';
    }
    std::string pfad = einNamenDatei(datei);
    BDAT d;
    if (bdopenlesen(&d, pfad.c_str()) < 0) {
        return true;
    }
    char zeile[STIFTZEILESUP + 1];
    while (bdgets78(&d, zeile) >= 0) {
        char nummer[STIFTZEILESUP + 1];
        if (wortab(nummer, zeile) == 0) {
            continue;
        }
        int n = einKlemmen(modAtoi(nummer), 1, anzahl);
        // Cut, then trimmed: what is saved reads back the same. A line
        // without a name (as saved for every unnamed slot) leaves the slot
        // empty: blanks would count as a name.
        char name[STIFTNAMESUP + 1];
        strkopie(name, sizeof name, zeile, STIFTNAMESUP);
        strtrim(name);
        if (name[0] == '\0') namen[n][0] = '\0';
        else strbreite(namen[n], STIFTNAMESUP + 1, name, STIFTNAMESUP);
    }
    const bool gut = bdlesefehler(&d) == 0;
    bdclose(&d);
    if (!gut) {
        for (int i = 0; i <= anzahl; ++i) namen[i][0] = '\0';
    }
    return gut;
}

void einNameSetzen(char* ziel, const char* name)
{
    char t[STIFTNAMESUP + 1];
    strkopie(t, sizeof t, name ? name : "", STIFTNAMESUP);
    strtrim(t);
    std::memcpy(ziel, t, sizeof t);
}

int einNamenSpeichern(const char* datei, char (*namen)[STIFTNAMESUP + 1], int anzahl)
{
    std::string ordner = plOrtAnwendung();
    if (pfadanlegen(ordner.c_str()) != 0) {
        return ERROR;
    }
    std::string pfad = ordner + "/" + datei;
    BDAT d;
    if (bdmake(&d, pfad.c_str()) < 0) {
        return ERROR;
    }
    bool ok = true;
    for (int i = 1; i <= anzahl; ++i) {
        std::string zeile = std::to_string(i) + " " + namen[i];
        ok = bdputsmodus(&d, zeile.c_str(), 1) == 0 && ok;
    }
    if (!ok) {
        d.fehler = 1;  // makes bdclose drop the new file; the old one stays
    }
    return bdclose(&d) == 0 && ok ? 0 : ERROR;
}

void einStifteSichern()
{
    if (!einStifteGeladen) {
        einStifteGeladen = einNamenLaden("Stifte.txt", einStifte, STIFTSUP);
    }
}

void einLayerSichern()
{
    if (!einLayerGeladen) {
        einLayerGeladen = einNamenLaden("Layer.txt", einLayer, LAYERSUP);
    }
}

}  // namespace

void StiftName(int n, char* name)
{
    name[0] = '\0';
    if (n < 1 || n > STIFTSUP) {
        return;
    }
    einStifteSichern();
    std::memcpy(name, einStifte[n], STIFTNAMESUP + 1);
}

void StiftNameSetzen(int n, const char* name)
{
    einStifteSichern();
    einNameSetzen(einStifte[einKlemmen(n, 1, STIFTSUP)], name);
}

int StifteSpeichern()
{
    einStifteSichern();
    // An unreadable file is not replaced by what little was read.
    if (!einStifteGeladen) return ERROR;
    return einNamenSpeichern("Stifte.txt", einStifte, STIFTSUP);
}

void StifteVergessen() { einStifteGeladen = false; }

void LayerName(int n, char* name)
{
    einLayerSichern();
    std::memcpy(name, einLayer[einKlemmen(n, 1, LAYERSUP)], STIFTNAMESUP + 1);
}

void LayerNameSetzen(int n, const char* name)
{
    einLayerSichern();
    einNameSetzen(einLayer[einKlemmen(n, 1, LAYERSUP)], name);
}

int LayerSpeichern()
{
    einLayerSichern();
    if (!einLayerGeladen) return ERROR;
    return einNamenSpeichern("Layer.txt", einLayer, LAYERSUP);
}

void LayerZuruecksetzen()
{
    einLayerGeladen = false;
    for (int i = 0; i <= LAYERSUP; ++i) {
        einSichtbar[i] = 1;
    }
}

int LayerSichtbar(int n) { return einSichtbar[einKlemmen(n, 1, LAYERSUP)]; }
void LayerSichtSetzen(int n, int sichtbar) { einSichtbar[einKlemmen(n, 1, LAYERSUP)] = sichtbar ? 1 : 0; }
