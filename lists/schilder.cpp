// Label sheets (see schilder.h).
//
// Invariants of a run:
//  1. At most one sheet is open, and the component is open with it.
//  2. The pending record is the "@Q" text that begins the next slot; it
//     passes from the item that met it to the next item.
//  3. A sheet is kept only when some item began its label on it; a sheet
//     that received only the frame of a wrap is dropped and not counted.
//  4. The records of the open sheet are held in memory; the sheet's file is
//     made in memory when the sheet is closed and written only when it
//     differs from the file of that name.
#include "lists/schilder.h"

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "config/datwache.h"
#include "equipment/nartikel.h"
#include "lists/auswertung.h"
#include "lists/bmauswert.h"
#include "model/bauteil.h"
#include "model/befehl.h"
#include "model/einstell.h"
#include "model/textvar.h"
#include "model/zeichnun.h"
#include "platform/dateisys.h"
#include "support/basis.h"
#include "support/pfade.h"
#include "support/texte.h"
#include "winlib/meldung.h"
#include "winlib/seitendienst.h"

namespace {

// The component of a label run, opened, read and closed through one handle.
BauHandle schildBau;

// 0, or -1 when the component is not in the library (short name `bib`).
int SchildBauOeffnen(const char* bib, const char* name) { return BauOpen(&schildBau, bib, name) == 0 ? 0 : -1; }
// 0 and the next record, or -1 at the component's end.
int SchildBauLesen(BEF* b) { return BauRead(&schildBau, b) == 0 ? 0 : -1; }
void SchildBauZu() { BauClose(&schildBau); }
void SchildBibZu() { BauBibSchliessen(); }

constexpr int SCHILDSCHRITTE = 80;  // steps scanned in a label text
constexpr int PFADSCHILDSUP = 260;  // characters of a sheet path

struct SchildLauf {
    std::string stamm;
    std::string bib;
    int a4 = 0;
    int geschrieben = 0;
    int aufBlatt = 0;
    bool ausstehend = false;
    BEF ausstehendBef{};
    std::string erster, letzter;
    std::vector<BEF> befe;  // the records of the open sheet
    std::vector<char> puffer;  // the file of the sheet being written
    std::string blatt;
    bool offen = false;
    bool begonnen = false;  // an item began its label on the open sheet
    bool ende = false;      // a sheet could not be made: the run ends
    int ergebnis = 0;
};

std::string schildKurz(const std::string& t, size_t n)
{
    if (t.size() <= n) return t;
    wiDebug("Schildtext gek\xFCrzt: %s\n", t.c_str());
    return t.substr(0, n);
}

void schildFehler(SchildLauf& l)
{
    wiHinweis("Kann Zeichnung %s nicht anlegen.", l.blatt.c_str());
    l.ende = true;
    l.ergebnis = -1;
}

// The most a record takes in a drawing file (code, sub-code, the integer
// and real slots, the text with its length).
constexpr size_t SCHILDSATZSUP = 4 + 2 * BEFINTSUP + 8 * BEFREALSUP + sizeof(BEF::text);

// The sheet is made in memory and replaces the sheet of its name only when
// its bytes differ, atomically (a new file renamed over the old one): a
// failure anywhere leaves the previous sheet as it was, and a sheet that
// came out the same keeps its file untouched.
bool schildBlattSchreiben(SchildLauf& l)
{
    const size_t kap = 11 + (l.befe.size() + 1) * SCHILDSATZSUP;
    if (kap > 0x7FFFFFF0u) return false;
    if (l.puffer.size() < kap) l.puffer.resize(kap);
    ZeiDatei zei;
    if (ZeiDateiImSpeicher(&zei, l.blatt.c_str(), l.puffer.data(), static_cast<int32_t>(kap)) != 0) return false;
    ZeiFormatSetzen(&zei, l.a4 ? BEF_ZA4 : BEF_ZA3);
    char titel[ZEITITELSUP + 1];
    std::string t = schildKurz(l.erster, SCHILDTEXTSUP) + " - " + schildKurz(l.letzter, SCHILDTEXTSUP);
    strkopie(titel, sizeof titel, t.c_str(), ZEITITELSUP);
    char w[BEFTEXTSUP + 1];
    ZatBauen(w, "", titel, "");
    BEF kopf{};
    kopf.code = BEF_ZAT;
    BefTextSetzen(&kopf, w);
    bool gut = ZeiBefSchreiben(&zei, &kopf) == 0;
    // Header records of the component would stand beside the sheet's own.
    for (const BEF& b : l.befe)
        if (gut && b.code != BEF_ZAT && b.code != BEF_ZTX) gut = ZeiBefSchreiben(&zei, &b) == 0;
    if (!gut || ZeiDateiSchliessen(&zei) != 0) return false;
    return plDsDateiErsetzenWennAnders(zei.pfad, l.puffer.data(), static_cast<size_t>(ZeiDateiGroesse(&zei))) == 0;
}

void schildBlattZu(SchildLauf& l)
{
    if (!l.offen) return;
    l.offen = false;
    l.aufBlatt = 0;
    SchildBauZu();
    if (l.begonnen && !schildBlattSchreiben(l)) schildFehler(l);
    else if (l.begonnen) ++l.geschrieben;
    l.befe.clear();
}

bool schildBlattAuf(SchildLauf& l)
{
    l.blatt = l.stamm + "." + std::to_string(l.geschrieben + 1);
    if (SchildBauOeffnen(l.bib.c_str(), AwOptionen().bauteil.c_str()) != 0) {
        wiHinweis("Kann Bauteil %s\nin Bauteildatei Bauteile.%s nicht finden.", AwOptionen().bauteil.c_str(), l.bib.c_str());
        l.ende = true;
        l.ergebnis = -1;
        return false;
    }
    l.offen = true;
    l.begonnen = false;
    l.befe.clear();
    l.erster.clear();
    l.letzter.clear();
    return true;
}

// Resolves the references of a label text that apply to the item; true
// when one did.
bool schildText(SchildLauf& l, const bmzeile* z, BEF& b, bool& gefuellt)
{
    std::string t = b.text;
    bool aufgeloest = false;
    size_t p = 0;
    for (int schritt = 0; schritt < SCHILDSCHRITTE && p < t.size(); ++schritt) {
        if (t[p] != '@') {
            ++p;
            continue;
        }
        // A lone "@" passes as a character.
        const size_t anfang = p;
        if (!AwVerweisAufloesen(t, anfang, &p, z->g.id, z->h.cd, z->h.nr, 1, 1)) continue;
        const std::string wert = t.substr(anfang, p - anfang);
        aufgeloest = true;
        if (!gefuellt) {
            l.letzter = wert;
            if (l.erster.empty()) l.erster = wert;
            gefuellt = true;
            l.begonnen = true;
        }
    }
    if (aufgeloest && !t.empty() && t.back() == '&') t.pop_back();
    strkopie(b.text, sizeof b.text, schildKurz(t, BEFTEXTSUP).c_str(), BEFTEXTSUP);
    return aufgeloest;
}

// Fills the next slot with an item; the item ends at the next slot's "@Q"
// text or, after one wrap, at the component's end.
void schildEtikett(const bmzeile* z, void* p)
{
    auto& l = *static_cast<SchildLauf*>(p);
    if (l.ende || !AwOrtFilter(z->t6, z->t7, z->g.n2)) return;
    if (!l.offen && !schildBlattAuf(l)) return;
    bool umgebrochen = false, gefuellt = false;
    for (;;) {
        BEF b;
        if (l.ausstehend) {
            b = l.ausstehendBef;
            l.ausstehend = false;
        } else if (SchildBauLesen(&b) != 0) {
            if (umgebrochen) break;
            schildBlattZu(l);
            if (l.ende || !schildBlattAuf(l)) return;
            umgebrochen = true;
            continue;
        }
        if (!BefIstText(b.code)) {
            l.befe.push_back(b);
            continue;
        }
        if (gefuellt && std::strstr(b.text, "@Q")) {
            l.ausstehendBef = b;
            l.ausstehend = true;
            break;
        }
        schildText(l, z, b, gefuellt);
        l.befe.push_back(b);
    }
    ++l.aufBlatt;
}

int schildFilter(const bmzeile* z, void*) { return AwZeileFilter(z) ? 1 : 0; }

}  // namespace

int SchildAuswertung()
{
    const awoptionen& o = AwOptionen();
    // A run over an unchanged project makes the same sheets: those keep
    // their files, and cost no temporary file either; the folder is read
    // once for the whole run.
    PlDsNurGeaenderte nurGeaenderte;
    SchildLauf l;
    char stamm[PFADSCHILDSUP];
    strkopie(stamm, sizeof stamm, o.datei.c_str(), static_cast<int>(sizeof stamm - 1));
    endungweg(stamm);
    l.stamm = stamm;
    l.bib = GrundEinst()->zvbd;
    l.a4 = o.a3a4;
    if (SchildBauOeffnen(l.bib.c_str(), o.bauteil.c_str()) != 0) {
        wiHinweis("Kann Bauteil %s\nin Bauteildatei Bauteile.%s nicht finden.", o.bauteil.c_str(), l.bib.c_str());
        l.ergebnis = -1;
    } else {
        SchildBauZu();
        if (o.nurMarkiert) AwMarkListe();
        if (AwSortiertDurchlaufen(schildFilter, schildEtikett, o.sortiert, &l) != 0) l.ergebnis = -1;
        else if (l.offen && l.aufBlatt > 0) schildBlattZu(l);
        if (l.offen) {
            SchildBauZu();
            l.offen = false;
        }
        SchildBibZu();
    }
    wiHinweis("%d Zeichnungen gespeichert.", l.geschrieben);
    DatAenderungMelden();
    wiSeiteVerteilen(2998, 9);
    return l.ergebnis;
}
