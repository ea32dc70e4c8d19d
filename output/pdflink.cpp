// PDF export, end of the document (see pdfexport.h): "@Y" texts recorded
// while the pages are drawn become links to the page of the component they
// name, placed sub-components link to their main component's page; links
// need every page, so they are all made at the end (sub-components first,
// then texts in recording order). Then the registered files are appended,
// each with a bookmark below the last top-level one, and the file is saved.
#include <algorithm>
#include <cmath>
#include <cstring>
#include <strings.h>
#include <string>

#include "equipment/btl.h"
#include "equipment/ges.h"
#include "equipment/nhuliste.h"
#include "model/dienste.h"
#include "model/textvar.h"
#include "model/zeichnun.h"
#include "output/pdfbind.h"
#include "output/pdfexport.h"
#include "output/pdfint.h"
#include "output/stil.h"
#include "platform/pdfbib.h"
#include "support/basis.h"
#include "winlib/meldung.h"

namespace {

constexpr size_t PDFANHANGPFADSUP = 150;   // characters of an append path kept in a message

const PdfSeitenEintrag* PdfSeiteSuchen(const std::string& schluessel)
{
    for (const PdfSeitenEintrag& s : pdfZustand().seiten)
        if (ZeiNameGleich(s.schluessel.c_str(), schluessel.c_str())) return &s;
    return nullptr;
}

PdfSeitenEintrag* seiteNr(int nr)
{
    for (PdfSeitenEintrag& s : pdfZustand().seiten)
        if (s.seite == nr) return &s;
    return nullptr;
}

bool verlinken(int quelle, int ziel)
{
    const PdfExport& z = pdfZustand();
    if (z.vrwMrk == 0) return false;
    if (z.vrwMrk == 1 && quelle == ziel) return false;
    return true;
}

int PdfLinkSetzen(int seite, double l, double o, double w, double h, int nummer, int zielSeite, int ziel)
{
    const PdfExport& z = pdfZustand();
    if (ziel == 0) return 0;
    if (DPLSelectedPage(z.inst) != seite) DPLSelectPage(z.inst, seite);
    const int annot = DPLAddLinkToDestination(z.inst, PdfMmZuPt(l), PdfMmZuPt(o), PdfMmZuPt(w), PdfMmZuPt(h), ziel, 1);
    double r = 1, g = 1, b = 1;
    if (z.vrwFrb == 1) {
        if (zielSeite == seite) r = 0, g = 0.5, b = 1;
        else r = 1, g = 0.5, b = 0;
    }
    DPLSetAnnotBorderColor(z.inst, nummer, r, g, b);
    pdfLog("DPLAddLinkToDestination %d %.2f %.2f %.2f %.2f -> %d (%d) border %d %.1f %.1f %.1f", seite,
           PdfMmZuPt(l), PdfMmZuPt(o), PdfMmZuPt(w), PdfMmZuPt(h), zielSeite, annot, nummer, r, g, b);
    return 1;
}

void PdfUnterteilVerweis(const appbteil* b, void*)
{
    if (b->platziert == 0 || !modh::BtlIstUnter(b->cd)) return;
    PdfSeitenEintrag* quelle = const_cast<PdfSeitenEintrag*>(PdfSeiteSuchen(b->ze));
    if (!quelle) return;
    appbteil haupt;
    if (!BtlSuchen(b->id, "H", 0, &haupt) || haupt.platziert == 0) return;
    const PdfSeitenEintrag* ziel = PdfSeiteSuchen(haupt.ze);
    if (!ziel) return;
    if (!verlinken(quelle->seite, ziel->seite) || pdfZustand().vrwUnt == 0) return;
    PdfPapier(quelle->format);
    double x = b->x, y = b->y;
    StilPunkt(&x, &y);
    if (PdfLinkSetzen(quelle->seite, x - 2, y + 2, 4, 4, quelle->links + 1, ziel->seite, ziel->ziel)) ++quelle->links;
}

void PdfVerweiseSetzen()
{
    for (const PdfLinkEintrag& e : pdfZustand().links) {
        const PdfSeitenEintrag* q = PdfSeiteSuchen(e.schluessel);
        if (!q) break;
        const PdfSeitenEintrag* ziel = PdfSeiteSuchen(e.zielSchluessel);
        if (!ziel || !verlinken(q->seite, ziel->seite)) continue;
        PdfSeitenEintrag* quelle = seiteNr(q->seite);
        PdfPapier(quelle->format);
        double x0 = e.ecken[0][0], y0 = e.ecken[0][1], x2 = e.ecken[2][0], y2 = e.ecken[2][1];
        StilPunkt(&x0, &y0);
        StilPunkt(&x2, &y2);
        const double l = std::min(x0, x2) - 0.5, o = std::max(y0, y2) + 0.5;
        if (PdfLinkSetzen(quelle->seite, l, o, std::fabs(x2 - x0) + 1.0, std::fabs(y2 - y0) + 1.0, quelle->links + 1,
                       ziel->seite, ziel->ziel))
            ++quelle->links;
    }
}

// Appends the registered files; the paths of those left out.
std::string PdfZusammenfuehren()
{
    PdfExport& z = pdfZustand();
    std::string fehlend;
    const int haupt = DPLSelectedDocument(z.inst);
    for (const PdfAnhang& a : z.anhang) {
        const std::wstring pfad = pdfbibBreit(a.pfad);
        if (!DPLLoadFromFile(z.inst, pfad.c_str(), L"")) {
            wiDebug("PDFLoad ERROR: %d %s\n", DPLLastErrorCode(z.inst), a.pfad.c_str());
            fehlend += "\n" + a.pfad.substr(0, PDFANHANGPFADSUP);
            DPLSelectDocument(z.inst, haupt);
            continue;
        }
        const int geladen = DPLSelectedDocument(z.inst);
        DPLSelectDocument(z.inst, haupt);
        const int n = DPLPageCount(z.inst);
        const int ok = DPLMergeDocument(z.inst, geladen);
        DPLRemoveDocument(z.inst, geladen);
        DPLSelectDocument(z.inst, haupt);
        if (!ok) {
            wiDebug("PDFMerge ERROR: %d %s\n", DPLLastErrorCode(z.inst), a.pfad.c_str());
            fehlend += "\n" + a.pfad.substr(0, PDFANHANGPFADSUP);
            continue;
        }
        pdfLog("DPLMergeDocument \"%s\" at %d", a.pfad.c_str(), n + 1);
        PdfGliederung(1, n + 1, a.titel.c_str());
    }
    z.anhang.clear();
    return fehlend;
}

int PdfSpeichern()
{
    PdfExport& z = pdfZustand();
    DPLSetPageMode(z.inst, 1);
    const std::wstring datei = pdfbibBreit(z.datei);
    const int ok = DPLSaveToFile(z.inst, datei.c_str());
    pdfLog("DPLSaveToFile \"%s\" -> %d", z.datei.c_str(), ok);
    DPLRemoveDocument(z.inst, z.dokument);
    PdfLibFreigeben();
    z.inst = 0;
    if (!ok) {
        wiMeldung("Kann Ausgabedatei %s nicht anlegen.", z.datei.c_str());
        return -1;
    }
    return 0;
}

}  // namespace

void PdfGliederung(int ebene, int seite, const char* titel)
{
    PdfExport& z = pdfZustand();
    if (!z.offen) return;
    const double hoehe = DPLPageHeight(z.inst);
    const int id = DPLNewOutline(z.inst, ebene == 0 ? 0 : z.eltern, pdfbibBreit(titel).c_str(), seite, hoehe);
    pdfLog("DPLNewOutline %d \"%s\" %d -> %d", ebene == 0 ? 0 : z.eltern, titel, seite, id);
    if (ebene == 0) {
        z.eltern = id;
        DPLSetOutlineStyle(z.inst, id, 0, 1);
    }
}

void PdfAnhaengen(const char* pfad, const char* titel)
{
    PdfExport& z = pdfZustand();
    if (static_cast<int>(z.anhang.size()) >= PDFANHANGSUP) return;
    // The path stays whole: one cut short would name another file.
    z.anhang.push_back({pfad, std::string(titel).substr(0, PDFANHANGTITELSUP)});
}

void PdfYRefMerken(int phase, const BEF* b, const STT* s)
{
    PdfExport& z = pdfZustand();
    z.wartend = false;
    if (phase == 1 && BefIstText(b->code) && IstYRef(b->text)) {
        z.wBef = *b;
        z.wStt = *s;
        z.wartend = true;
    }
}

void PdfVerweisMerken(double, double, const char* zeile, const double ecken[4][2])
{
    PdfExport& z = pdfZustand();
    if (!z.wartend) return;
    YREF r;
    if (YRefZerlegen(z.wBef.text, &r) != 0) return;
    std::string art = r.art;
    if (art.empty()) art = "H";
    else if (modh::BtlIstUnter(art.c_str())) art = "U" + art;
    appbteil haupt;
    appgeraet g;
    if (!BtlSuchen(r.id, "H", 0, &haupt) || GesHolen(r.id, &g) != 0) return;
    appbteil ziel{};
    bool da = false;
    switch (r.feld[0]) {
    case 'B':
    case 'K':
        ziel = haupt;
        da = haupt.platziert != 0;
        break;
    case 'P': {
        if (strcasecmp(zeile, "-") == 0) return;
        if (r.feld[1] != '\0') {
            appbteil b, vorher, nachher;
            BtlSuchen(r.id, art.c_str(), r.nr, &b);
            HulVerweisSuchen(&vorher, &nachher, &b);
            ziel = r.feld[1] == '>' ? nachher : vorher;
            da = ziel.id != 0 && ziel.platziert != 0;
        } else {
            da = BtlSuchen(r.id, art.c_str(), r.nr, &ziel) != 0;
        }
        break;
    }
    default: return;
    }
    if (!da) return;
    PdfLinkEintrag e{r.id, ziel.ze, z.seite, z.schluessel, z.format, {}};
    std::memcpy(e.ecken, ecken, sizeof e.ecken);
    z.links.push_back(e);
}

int PdfExportEnde()
{
    PdfExport& z = pdfZustand();
    if (!z.offen) {
        if (z.inst) {
            PdfLibFreigeben();
            z.inst = 0;
        }
        return 0;
    }
    BtlDurchlaufen(0, PdfUnterteilVerweis, nullptr);
    PdfVerweiseSetzen();
    pdfBilderFrei();
    const std::string fehlend = PdfZusammenfuehren();
    const int r = PdfSpeichern();
    if (!fehlend.empty()) wiMeldung("Folgende Dateien konnten nicht angeh\xe4ngt werden:%s", fehlend.c_str());
    z.offen = 0;
    z.seiten.clear();
    z.links.clear();
    return r;
}
