// Element clipboard and picture export; see elclip.h.
#include "editor/elclip.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>

#include "config/reaktion.h"
#include "editor/baubf.h"
#include "editor/befausf.h"
#include "editor/mehrfach.h"
#include "editor/edmeld.h"
#include "editor/objwahl.h"
#include "equipment/app.h"
#include "equipment/btl.h"
#include "equipment/btlredef.h"
#include "equipment/definier.h"
#include "equipment/fstx.h"
#include "equipment/ges.h"
#include "equipment/ngestext.h"
#include "equipment/nzustext.h"
#include "model/befehl.h"
#include "model/beffifo.h"
#include "model/edhaken.h"
#include "model/einstell.h"
#include "model/geometri.h"
#include "model/tempzeic.h"
#include "model/textvar.h"
#include "model/zeichnun.h"
#include "model/zerleg.h"
#include "output/ansicht.h"
#include "output/bilder.h"
#include "output/clip.h"
#include "output/element.h"
#include "output/gdi.h"
#include "platform/dateisys.h"
#include "platform/gdi.h"
#include "winlib/langdlg.h"
#include "platform/metafile.h"
#include "platform/orte.h"
#include "platform/globalmem.h"
#include "support/bdatei.h"
#include "support/dosdatei.h"
#include "support/speicher.h"
#include "support/texte.h"
#include "support/vergleich.h"

namespace {

constexpr int E_BMC = 78;
constexpr int E_VER = 118;

void elSchreibfehler(const char* pfad) { StatusTextf("Schreibfehler: %s", pfad); }

// The progress dialog of one export: open from construction to the end of
// the scope; weiter() lets the messages run and is false once cancelled.
// A small picture is done before a dialog could be read: none then.
struct ElFortschritt {
    bool an;
    bool abgebrochen = false;
    explicit ElFortschritt(bool zeigen) : an(zeigen)
    {
        if (an) wiLangStart("Exportieren");
    }
    ~ElFortschritt()
    {
        if (an) wiLangEnde();
    }
    ElFortschritt(const ElFortschritt&) = delete;
    ElFortschritt& operator=(const ElFortschritt&) = delete;
    void text(const char* t)
    {
        if (an) wiLangText(t);
    }
    bool weiter()
    {
        if (an && !abgebrochen && wiLangPumpe() == 0) abgebrochen = true;
        return !abgebrochen;
    }
};
constexpr long long ELFORTSCHRITTPUNKTE = 2000000;  // pixels from which the export shows its progress

bool elIstText(int c) { return BefIstText(c) != 0; }

// Each object to write, in drawing order.
template <class F> void elObjekte(int nurMarkiert, F f)
{
    for (int id = TzNaechstes(-1); id < TZENDE; id = TzNaechstes(id)) {
        if (nurMarkiert && !TzIstMarkiert(id)) continue;
        BEF b;
        STT s;
        if (TzObjHolen(id, &b, &s) != 0) continue;
        f(id, b, s);
    }
}

// ---- drawing-file writer

ZeiDatei* elZiel = nullptr;
bool elFehler = false;

int elSchreiben(const BEF* b)
{
    if (ZeiBefSchreiben(elZiel, b) < 0) elFehler = true;
    return 0;
}

void elBmc(int sub, int i1, int i2, const char* text, double x, double y)
{
    if (text != nullptr && strleer(text)) return;  // blank records are not written
    BEF b;
    std::memset(&b, 0, sizeof b);
    b.code = E_BMC;
    b.iarg[0] = sub;
    b.iarg[1] = i1;
    b.iarg[2] = i2;
    b.darg[0] = x;
    b.darg[1] = y;
    BefTextSetzen(&b, text != nullptr ? text : "");
    elSchreiben(&b);
}

struct ElFstx {
    int sub;
    double x, y;
};

// The `_BMC` block of a placed component: item, entry, "D"/"P" names,
// attached and generated texts, translations, closed by sub-kind 9.
void elBauteilBlock(const BEF* b, const STT* s, int kopie)
{
    appbteil bt;
    if (!BtlAnPositionSuchen(b->text, modh::EditorZeiName(), s->x, s->y, &bt) || bt.id == 0) return;
    appgeraet g;
    if (GesHolen(bt.id, &g) != 0) return;
    char zeile[400];
    GesZeileFormat(zeile, sizeof zeile, &g);
    elBmc(0, static_cast<int>(g.id), g.n1, zeile, s->x, s->y);
    BtlZeileFormat(zeile, sizeof zeile, &bt);
    elBmc(1, 0, 0, zeile, s->x, s->y);
    if (std::strcmp(bt.cd, "H") == 0) {
        appbteil n;
        if (BtlSuchen(bt.id, "D", 0, &n) == 1) elBmc(8, 0, 0, n.bl, s->x, s->y);
        if (BtlSuchen(bt.id, "P", 0, &n) == 1) elBmc(8, 1, 0, n.bl, s->x, s->y);
    }
    struct Ort {
        double x, y;
        int zeile;
    } ort{s->x, s->y, 0};
    // Sub-kind 3 from section Gtx and 4 from section Ztx, as the paste sets
    // them back (GtxTextSetzenBasis, ZtxTextSetzen).
    GtxDurchlaufen(bt.id, bt.cd, bt.nr, 0, [](const appgtext* t, void* u) {
        auto* o = static_cast<Ort*>(u);
        elBmc(3, t->zeile, 0, t->text, o->x, o->y);
    }, &ort);
    ZtxDurchlaufen(bt.id, bt.cd, bt.nr, 0, [](const appztext* t, void* u) {
        auto* o = static_cast<Ort*>(u);
        elBmc(4, t->zeile, 0, t->text, o->x, o->y);
        // Its sub-texts (sub-kind 5): the Gtx lines numbered by this line,
        // which the paste sets back with that number. Where a component
        // entry of that number exists, the lines are its own texts.
        appbteil anderer;
        if (BtlSuchen(t->id, t->code, t->zeile, &anderer) == 1) return;
        o->zeile = t->zeile;
        GtxDurchlaufen(t->id, t->code, t->zeile, 0, [](const appgtext* g, void* v) {
            auto* q = static_cast<Ort*>(v);
            elBmc(5, g->zeile, q->zeile, g->text, q->x, q->y);
        }, o);
    }, &ort);
    ElFstx f{10, s->x, s->y};
    auto fstx = [](const char* kenn, int sprache, const char* text, void* u) {
        auto* e = static_cast<ElFstx*>(u);
        std::string t = std::string(kenn) + "|" + text;
        elBmc(e->sub, FstxSchluesselNr(kenn), sprache, t.c_str(), e->x, e->y);
    };
    FstxGDurchlaufen(bt.id, bt.cd, bt.nr, fstx, &f);
    f.sub = 11;
    FstxZDurchlaufen(bt.id, bt.cd, bt.nr, fstx, &f);
    elBmc(9, kopie, 0, b->text, s->x, s->y);
}

// ---- picture

int elZeichnen(const BEF* b, const STT* s) { return ElemRueckruf(b, s); }

void elObjekteZeichnen(int nurMarkiert)
{
    elObjekte(nurMarkiert, [](int, const BEF& b, const STT& s) {
        BEF k = b;
        STT t = s;
        BefZerlegen(&k, &t, elZeichnen);
    });
}

int elAbbilden(const double r[4], int w, int h)
{
    return AbbildungSetzenFrei(r[0], r[1], r[2], r[3], w, h, 0, 0, 100.0, 50.0, 50.0);
}

// The objects drawn into the current target, the world rectangle r onto
// w x h pixels; the mapping in force before stays.
void elZeichnenIn(int nurMarkiert, const double r[4], int w, int h)
{
    AbbildungSichern();
    elAbbilden(r, w, h);
    elObjekteZeichnen(nurMarkiert);
    AbbildungWieder();
}

// A metafile of the objects drawn at w x h (the caller frees it).
HMETAFILE elMetafile(int nurMarkiert, const double r[4], int w, int h)
{
    if (GdiWmfBeginn(w, h) != 0) return 0;
    elZeichnenIn(nurMarkiert, r, w, h);
    HGLOBAL block = GdiWmfEnde();
    if (block == 0) return 0;
    HMETAFILE mf = SetMetaFileBitsEx(static_cast<UINT>(GlobalSize(block)), static_cast<const BYTE*>(GlobalLock(block)));
    GlobalUnlock(block);
    GlobalFree(block);
    return mf;
}

// A placeable Windows metafile holding the picture as one StretchDIBits
// record at the chosen resolution.
int elWmfBild(const char* pfad, int nurMarkiert, int dpi, double rand)
{
    int w = 0, h = 0;
    HBITMAP bild = BildErzeugen(nurMarkiert, dpi, rand, &w, &h);
    if (bild == 0) return -1;
    BITMAPINFO bi;
    std::memset(&bi, 0, sizeof bi);
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = w;
    bi.bmiHeader.biHeight = h;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 24;
    bi.bmiHeader.biCompression = BI_RGB;
    const size_t zeile = (static_cast<size_t>(w) * 3 + 3) & ~size_t{3};
    std::vector<unsigned char> bits(zeile * static_cast<size_t>(h));
    HDC dc = CreateCompatibleDC(0);
    int ok = GetDIBits(dc, bild, 0, static_cast<UINT>(h), bits.data(), &bi, DIB_RGB_COLORS);
    DeleteDC(dc);
    DeleteObject(bild);
    if (ok == 0) return -1;
    HDC mdc = CreateMetaFile(nullptr);
    if (mdc == 0) return -1;
    SetMapMode(mdc, MM_ANISOTROPIC);
    SetWindowExtEx(mdc, w, h, nullptr);
    StretchDIBits(mdc, 0, 0, w, h, 0, 0, w, h, bits.data(), &bi, DIB_RGB_COLORS, SRCCOPY);
    HMETAFILE mf = CloseMetaFile(mdc);
    if (mf == 0) return -1;
    UINT n = GetMetaFileBitsEx(mf, 0, nullptr);
    HGLOBAL block = n > 0 ? GlobalAlloc(GMEM_FIXED | GMEM_ZEROINIT, n) : 0;
    int e = -1;
    if (block != 0 && GetMetaFileBitsEx(mf, n, GlobalLock(block)) == n) {
        GlobalUnlock(block);
        e = MetaDateiSchreibenBox(pfad, block, w, h, dpi);
    }
    if (block != 0) GlobalFree(block);
    DeleteMetaFile(mf);
    return e;
}

// ---- paste

// An entry of the paste work table.
struct ElEintrag {
    int art;      // 0 main, 1 sub component, 2 "@Y" text, 3/4/5/10/11 texts, 101 not placed
    int nummer;   // integer 1 of the `_BMC` record (0 for kinds 0..2)
    BEF bef;
    STT stt;
    appgeraet geraet;    // the item as pasted
    appbteil bteil;      // the component entry as pasted
    appbteil platziert;  // the entry as placed
    int objekt;          // the inserted text (kind 2)
    char namen[2][BTLTEXTSUP + 1];  // "D" and "P" (kind 0)
    int ergebnis;        // of the item matching (kind 0)
};

struct ElPaste {
    std::vector<ElEintrag> tafel;
    std::vector<uint32_t> erledigt;
    std::string fehlend;  // missing definitions
};

void elErledigt(ElPaste& p, uint32_t id)
{
    if (id == 0 || p.erledigt.size() >= ELERLEDIGTSUP) return;
    if (std::find(p.erledigt.begin(), p.erledigt.end(), id) == p.erledigt.end()) p.erledigt.push_back(id);
}

bool elIstErledigt(const ElPaste& p, uint32_t id)
{
    return std::find(p.erledigt.begin(), p.erledigt.end(), id) != p.erledigt.end();
}

void elEintragen(ElPaste& p, const ElEintrag& e)
{
    if (static_cast<int>(p.tafel.size()) < ELGMSUP) p.tafel.push_back(e);
}

bool elBmk(int typ)
{
    return typ >= 0 && typ < BEFBMKSUP && BefFlags()->bmk[typ] != 0;
}

// The item ids of the collected sub-kind-0 records become handled items.
void elSammelErledigt(ElPaste& p, const BEFLST* l)
{
    for (int k = 0; k < l->anzahl; ++k) {
        if (l->bef[k].iarg[0] == 0) elErledigt(p, static_cast<uint32_t>(l->bef[k].iarg[1]));
    }
}

// The "@Y" references of a pasted text: those to handled items removed,
// the others rewritten through the redefinition's change list; an emptied
// text deletes its object.
void elVerweiseAnpassen(const ElPaste& p, int objekt, bool umschreiben)
{
    BEF b;
    STT s;
    if (TzObjHolen(objekt, &b, &s) != 0) return;
    std::string aus;
    const char* t = b.text;
    while (*t) {
        const char* at = std::strstr(t, "@Y");
        if (at == nullptr) {
            aus += t;
            break;
        }
        aus.append(t, static_cast<size_t>(at - t));
        int l = YRefLaenge(at);
        if (l <= 0) {
            aus += "@Y";
            t = at + 2;
            continue;
        }
        const std::string ref(at, static_cast<size_t>(l));
        YREF r;
        if (YRefZerlegen(ref.c_str(), &r) == 0 && elIstErledigt(p, r.id)) {
            // removed
        } else {
            std::string neu;
            if (umschreiben && RedefVerweiseAnpassen(ref.c_str(), neu, 1) == 1) aus += neu;
            else aus += ref;
        }
        t = at + l;
    }
    while (!aus.empty() && aus.back() == ' ') aus.pop_back();
    if (aus == b.text) return;
    if (aus.empty()) {
        TzLoeschen(objekt);
        return;
    }
    BefTextSetzen(&b, aus.c_str());
    TzErsetzen(objekt, &b, &s);
}

// Reads the first block of the collected list for a placed part: true when
// it closes with sub-kind 9 and the part's text, and then it is taken into
// the table and removed from the list.
bool elBlockNehmen(ElPaste& p, BEFLST* l, const BEF* teil, const STT* ts)
{
    int n = 1;
    while (n < l->anzahl && l->bef[n].iarg[0] != 0) ++n;
    const BEF& letzt = l->bef[n - 1];
    if (l->anzahl == 0 || letzt.iarg[0] != 9 || std::strcmp(letzt.text, teil->text) != 0) return false;
    ElEintrag kopf{};
    kopf.bef = *teil;
    kopf.stt = *ts;
    std::vector<ElEintrag> texte;
    for (int k = 0; k < n; ++k) {
        const BEF& r = l->bef[k];
        switch (r.iarg[0]) {
        case 0: GesZeileParsen(&kopf.geraet, r.text); break;
        case 1: BtlZeileParsen(&kopf.bteil, r.text); break;
        case 8: strkopie(kopf.namen[r.iarg[1] == 0 ? 0 : 1], BTLTEXTSUP + 1, r.text, BTLTEXTSUP); break;
        case 3: case 4: case 5: case 10: case 11: {
            ElEintrag e{};
            e.art = r.iarg[0];
            e.nummer = r.iarg[1];
            e.bef = r;
            e.stt = *ts;
            texte.push_back(e);
            break;
        }
        default: break;
        }
    }
    BefListeVorneWeg(l, n);
    if (!elBmk(kopf.geraet.n1)) return true;
    kopf.art = std::strcmp(kopf.bteil.cd, "H") == 0 ? 0 : 1;
    kopf.platziert = kopf.bteil;
    elEintragen(p, kopf);
    for (ElEintrag& e : texte) {
        e.geraet = kopf.geraet;
        e.bteil = e.platziert = kopf.bteil;
        elEintragen(p, e);
    }
    return true;
}

// One component record of the transfer file.
void elBauteil(ElPaste& p, BEFLST* gesammelt, BEFLST* teile, const BEF* b, const STT* s)
{
    if (modh::BtlPosVorhanden(b, s)) {
        elSammelErledigt(p, gesammelt);
        StatusTextf(TextNr1000(86), b->text, s->x, s->y);
    } else {
        bool mitDaten = gesammelt->anzahl > 0;
        for (int k = 0; k < gesammelt->anzahl && mitDaten; ++k) {
            const BEF& r = gesammelt->bef[k];
            if (r.iarg[0] == 0 && !elBmk(r.iarg[2])) mitDaten = false;
        }
        if (mitDaten) {
            BefListeAusBef(teile, b, s, 0);
            for (int k = 0; k < teile->anzahl; ++k) elBlockNehmen(p, gesammelt, &teile->bef[k], &teile->stt[k]);
        } else {
            elSammelErledigt(p, gesammelt);
        }
        // As a newly placed component: the lines it sits on get their gap,
        // running parallel lines follow it.
        STT nach = *s;
        BefZerlegen(b, &nach, nullptr);
        BauteilLueckenSchneiden(b, s, &nach);
        if (MflAn()) MflFortsetzen(s->x, s->y, nach.x, nach.y);
        MflAufnahmeEnde();
        if (mitDaten) TzEinfuegenRoh(b, s);
        else TzEinfuegen(b, s);
    }
    BefListeLeeren(gesammelt);
}

bool elVor(const ElEintrag& a, const ElEintrag& b)
{
    if (a.bteil.id != b.bteil.id) return a.bteil.id < b.bteil.id;
    if (a.art != b.art) return a.art < b.art;
    const int c = std::strcmp(a.bteil.cd, b.bteil.cd);
    if (c != 0) return c < 0;
    if (a.bteil.nr != b.bteil.nr) return a.bteil.nr < b.bteil.nr;
    return a.nummer < b.nummer;
}

// A new item (results 0 from a definition, 1 and 2) takes the pasted
// identifiers and texts and its "H" entry becomes the placed copy.
void elNeuesGeraet(uint32_t id, ElEintrag& e)
{
    appgeraet g;
    if (GesHolen(id, &g) != 0) return;
    std::memcpy(g.kg, e.geraet.kg, sizeof g.kg);
    std::memcpy(g.kz, e.geraet.kz, sizeof g.kz);
    g.ft[0] = 0;
    std::memcpy(g.t6, e.geraet.t6, sizeof g.t6);
    std::memcpy(g.t7, e.geraet.t7, sizeof g.t7);
    g.n2 = e.geraet.n2;
    GesAendern(id, &g);
    AppListenSortieren();
    AppGeaendert(id, 2);
    BtlSuchen(id, "H", 0, &e.platziert);
}

// Item matching of a kind-0 entry; sets its result and placed copy.
void elGeraetZuordnen(ElPaste& p, ElEintrag& e)
{
    const char* zei = modh::EditorZeiName();
    const double x = e.stt.x, y = e.stt.y;
    e.ergebnis = 0;
    appgeraet alt;
    const bool gibt = GesHolen(e.bteil.id, &alt) == 0;
    const auto GesGleich = GesVergleich;  // 0 when the pasted record is the project's own
    if (gibt && GesGleich(&alt, &e.geraet) == 0) {
        appbteil h;
        if (BtlSuchen(e.bteil.id, "H", 0, &h) == 1 && h.platziert == 0) {
            BtlPlatzieren(e.bteil.id, "H", zei, x, y);
            BtlSuchen(e.bteil.id, "H", 0, &e.platziert);
            AppGeaendert(e.bteil.id, 2);
            return;
        }
    }
    uint32_t neu = 0;
    const int def = DefTypSuchen(e.geraet.tt);
    if (def >= 0) {
        neu = GesAnlegen(def, e.geraet.lt);
        if (neu == 0) return;
        BtlHauptAnlegen(neu, def, zei, x, y, e.namen[0], e.namen[1]);
        appbteil h;
        if (BtlSuchen(neu, "H", 0, &h) == 1) {
            std::memcpy(h.bl, e.bteil.bl, sizeof h.bl);
            BtlEintragAendern(neu, "H", 0, &h);
        }
    } else {
        if (p.fehlend.size() < 80) p.fehlend += (p.fehlend.empty() ? "" : ", ") + std::string(e.geraet.tt);
        if (gibt) {
            const auto GesKopieAnlegen = GesKopieren;  // the old item's copy with the pasted stock article
            neu = GesKopieAnlegen(e.bteil.id, e.geraet.lt);
            if (neu == 0) return;
            const auto BtlKopieAnlegen = BtlHauptKopieren;  // its entries after the old item's
            BtlKopieAnlegen(neu, e.bteil.id, zei, x, y, e.namen[0], e.namen[1]);
            e.ergebnis = 1;
        } else {
            const auto GesAusSatzAnlegen = GesAusSatz;  // a new item from the pasted record
            neu = GesAusSatzAnlegen(&e.geraet);
            if (neu == 0) return;
            const auto BtlEintragAnlegen = BtlHauptEinfuegen;  // the pasted entry, placed here
            BtlEintragAnlegen(neu, &e.bteil, zei, x, y, e.namen[0], e.namen[1]);
            e.ergebnis = 2;
        }
    }
    elNeuesGeraet(neu, e);
}

// A sub component offered to the redefinition; false when not taken.
bool elUnterPlatzieren(ElPaste& p, ElEintrag& e)
{
    appbteil r = e.bteil;
    r.x = e.stt.x;
    r.y = e.stt.y;
    ZeiExtHolen(modh::EditorZeiName(), r.ze, sizeof r.ze);
    if (RedefZuordnen(&r, 1) == 0) {
        e.platziert = r;
        RedefAenderungAnwenden(&e.platziert.id, e.platziert.cd, sizeof e.platziert.cd, &e.platziert.nr);
        AppListenSortieren();
        AppGeaendert(e.platziert.id, 2);
        return true;
    }
    for (ElEintrag& t : p.tafel) {
        if ((t.art == 3 || t.art == 4 || t.art == 10 || t.art == 11) && t.bteil.id == e.bteil.id &&
            std::strcmp(t.bteil.cd, e.bteil.cd) == 0 && t.bteil.nr == e.bteil.nr)
            t.bef.text[0] = 0;
    }
    modh::AppObjektNeu(&e.bef, &e.stt);
    return false;
}

// Text of a translation record: behind the first bar (from the second
// character on), else the whole text.
const char* elNachStrich(const char* t)
{
    const char* s = t[0] != 0 ? std::strchr(t + 1, '|') : nullptr;
    return s != nullptr ? s + 1 : t;
}

void elTextSetzen(ElEintrag& e)
{
    if (strleer(e.bef.text)) return;
    uint32_t id = e.platziert.id;
    char cd[sizeof e.platziert.cd];
    std::memcpy(cd, e.platziert.cd, sizeof cd);
    int32_t nr = e.platziert.nr;
    RedefAenderungAnwenden(&id, cd, sizeof cd, &nr);
    const bool erlaubt = std::strcmp(cd, "H") == 0 || e.geraet.n1 != 3;
    // Translations in the record's language, kept only while they are on.
    const auto FstxGSetzen = FstxGTextSetzenSprache;
    const auto FstxZSetzen = FstxZTextSetzenSprache;
    switch (e.art) {
    case 3:
        if (erlaubt) GtxTextSetzenBasis(id, cd, nr, e.nummer, e.bef.text);
        break;
    case 4: ZtxTextSetzen(id, cd, nr, e.nummer, e.bef.text); break;
    case 5: GtxTextSetzenBasis(id, cd, e.bef.iarg[2], e.nummer, e.bef.text); break;
    case 10:
        if (erlaubt) FstxGSetzen(id, cd, nr, e.nummer, e.bef.iarg[2], elNachStrich(e.bef.text));
        break;
    case 11:
        if (erlaubt) FstxZSetzen(id, cd, nr, e.nummer, e.bef.iarg[2], elNachStrich(e.bef.text));
        break;
    default: break;
    }
}

// Step after the file: matching, the groups of equal pasted item id, each
// inside one redefinition, and the closing message.
void elTafelAbarbeiten(ElPaste& p)
{
    std::stable_sort(p.tafel.begin(), p.tafel.end(), elVor);
    for (ElEintrag& e : p.tafel) {
        if (e.art == 0) elGeraetZuordnen(p, e);
    }
    // Texts take the placed key of their component.
    for (ElEintrag& t : p.tafel) {
        if (t.art < 3) continue;
        for (const ElEintrag& k : p.tafel) {
            if ((k.art == 0 || k.art == 1) && k.bteil.id == t.bteil.id && std::strcmp(k.bteil.cd, t.bteil.cd) == 0 &&
                k.bteil.nr == t.bteil.nr) {
                if (k.art == 0) t.platziert = k.platziert;
                break;
            }
        }
    }
    for (size_t a = 0; a < p.tafel.size();) {
        size_t b = a;
        while (b < p.tafel.size() && p.tafel[b].bteil.id == p.tafel[a].bteil.id) ++b;
        ElEintrag& erst = p.tafel[a];
        RedefStart(erst.platziert.id, erst.art == 0 ? erst.ergebnis : 0);
        const auto RedefAenderungNeu = RedefAenderungMerken;  // pasted key to placed key
        if (erst.art == 0) RedefAenderungNeu(&erst.platziert, &erst.bteil);
        for (size_t k = a; k < b; ++k) {
            ElEintrag& e = p.tafel[k];
            if (e.art == 1) {
                if (!elUnterPlatzieren(p, e)) e.art = 101;
            } else if (e.art == 2) {
                if (e.objekt >= 0) elVerweiseAnpassen(p, e.objekt, true);
            } else if (e.art >= 3) {
                elTextSetzen(e);
            }
        }
        RedefEnde();
        a = b;
    }
    if (!p.fehlend.empty()) StatusTextf(TextNr1000(59), p.fehlend.c_str());
}

// Appends the whole file to `aus`; false when it cannot be read.
bool elDateiLesen(const char* pfad, std::vector<char>* aus)
{
    int fd = plDsOeffnen(pfad, O_RDONLY);
    if (fd < 0) return false;
    char puffer[4096];
    ssize_t n;
    while ((n = plDsLesen(fd, puffer, sizeof puffer)) > 0) aus->insert(aus->end(), puffer, puffer + n);
    plDsSchliessen(fd);
    return n == 0;
}

// The text form of the objects with CR LF line ends, through a temporary
// file; 0, or -1 when it could not be written.
int elTextForm(int nurMarkiert, std::string* text)
{
    const std::string tmp = plOrtTemp() + "/velm.txt";
    int e = ZeiTextSchreiben(tmp.c_str(), nurMarkiert);
    BDAT d;
    if (e == 0 && bdopenlesen(&d, tmp.c_str()) >= 0) {
        char z[ZEIZEILESUP + 1];
        while (bdgets(&d, z, ZEIZEILESUP) >= 0) *text += std::string(z) + "\r\n";
        bdclose(&d);
    }
    plDsLoeschen(tmp.c_str());
    return e;
}

}  // namespace

// ---- export kinds and writers

int ExportArt(const char* pfad)
{
    static const char* const endungen[] = {"zvk", "txt", "wmf", "png", "bmp", "emf", "jpg"};
    const char* punkt = pfad != nullptr ? std::strrchr(pfad, '.') : nullptr;
    if (punkt == nullptr || std::strchr(punkt, '/') != nullptr) return 0;
    for (int k = 0; k < 7; ++k) {
        const char* a = punkt + 1;
        const char* e = endungen[k];
        while (*a && *e && zklein(static_cast<unsigned char>(*a)) == static_cast<unsigned char>(*e)) ++a, ++e;
        if (*a == 0 && *e == 0) return k + 1;
    }
    return 0;
}

int ZeiDateiSchreiben(const char* pfad, int nurMarkiert, int mitGeraet, int kopie)
{
    ZeiDatei z;
    if (ZeiDateiAnlegen(&z, pfad) != 0) {
        elSchreibfehler(pfad);
        return -1;
    }
    STT geschrieben = *BefStartZustand();
    if (nurMarkiert) {
        geschrieben.x = BefAktZustand()->x;
        geschrieben.y = BefAktZustand()->y;
    }
    elZiel = &z;
    elFehler = false;
    elObjekte(nurMarkiert, [&](int, const BEF& b, const STT& s) {
        if (elFehler) return;
        SttDifferenz(&geschrieben, &s, elSchreiben);
        geschrieben = s;
        if (mitGeraet && BefIstZB(b.code)) elBauteilBlock(&b, &s, kopie);
        elSchreiben(&b);
        SttAnwenden(&b, &geschrieben);
    });
    elZiel = nullptr;
    // Before the editor's start the paper is no format yet: the file keeps
    // its own.
    if (BefFormat(BefFlags()->papier)) ZeiFormatSetzen(&z, BefFlags()->papier);
    if (elFehler) {
        ZeiDateiVerwerfen(&z);
        elSchreibfehler(pfad);
        return -1;
    }
    if (ZeiDateiSchliessen(&z) != 0) {
        elSchreibfehler(pfad);
        return -1;
    }
    return 0;
}

int MarkDateiSchreiben(const char* pfad)
{
    if (TzMarkAnzahl() == 0) return -1;
    struct stat st;
    if (plDsStat(pfad, &st) == 0 && !JaNeinFrage(44)) return -1;
    return ZeiDateiSchreiben(pfad, 1, 0, 0);
}

int ZeiTextSchreiben(const char* pfad, int nurMarkiert)
{
    BDAT d;
    if (bdmake(&d, pfad) < 0) {
        StatusHinweisNr(230);
        return -1;
    }
    bool ok = true;
    auto zeile = [&](const BEF* b) { ok = ok && bdputs(&d, (BefZuText(b) + "\n").c_str()) >= 0; };
    BEF v;
    std::memset(&v, 0, sizeof v);
    v.code = E_VER;
    v.iarg[0] = ZEIVERSION;
    zeile(&v);
    STT geschrieben = *BefStartZustand();
    static std::vector<BEF>* sammel = nullptr;
    std::vector<BEF> zustand;
    elObjekte(nurMarkiert, [&](int, const BEF& b, const STT& s) {
        zustand.clear();
        sammel = &zustand;
        SttDifferenz(&geschrieben, &s, [](const BEF* r) {
            sammel->push_back(*r);
            return 0;
        });
        sammel = nullptr;
        for (const BEF& r : zustand) zeile(&r);
        geschrieben = s;
        zeile(&b);
        SttAnwenden(&b, &geschrieben);
    });
    std::memset(&v, 0, sizeof v);
    v.code = static_cast<uint8_t>(BefFlags()->papier);
    zeile(&v);
    if (bdclose(&d) != 0 || !ok) {
        StatusHinweisNr(230);
        plDsLoeschen(pfad);
        return -1;
    }
    return 0;
}

int TextInDatei(const char* pfad)
{
    std::unique_ptr<char, void (*)(void*)> text(ClipTextNeu(), ffree);
    BDAT d;
    if (bdmake(&d, pfad) < 0) {
        elSchreibfehler(pfad);
        return -1;
    }
    bool ok = true;
    const char* t = text ? text.get() : "";
    while (*t) {
        const char* ende = std::strpbrk(t, "\r\n");
        size_t l = ende ? static_cast<size_t>(ende - t) : std::strlen(t);
        std::string z(t, std::min<size_t>(l, ELTEXTZEILESUP));
        if (z.find("@Y") == std::string::npos) ok = ok && bdputsmodus(&d, z.c_str(), 1) >= 0;
        t += l;
        if (*t == '\r' && t[1] == '\n') t += 2;
        else if (*t) ++t;
    }
    if (bdclose(&d) != 0 || !ok) {
        elSchreibfehler(pfad);
        return -1;
    }
    return 0;
}

// ---- pictures

int BildPixel(double seite, int dpi) { return static_cast<int>(seite * (dpi / 25.4)); }

void BildClipGroesse(int* breite, int* hoehe)
{
    const int gross = std::max(*breite, *hoehe);
    if (gross <= ELCLIPBILDSUP) return;
    *breite = static_cast<int>(static_cast<long long>(*breite) * ELCLIPBILDSUP / gross);
    *hoehe = static_cast<int>(static_cast<long long>(*hoehe) * ELCLIPBILDSUP / gross);
}

int BildRechteck(int nurMarkiert, double rand, double r[4])
{
    if (nurMarkiert) {
        r[0] = r[1] = 10000;
        r[2] = r[3] = -10000;
        int n = 0;
        elObjekte(1, [&](int, const BEF& b, const STT& s) {
            double box[4];
            BefAusdehnungEng(&b, &s, box, nullptr);
            r[0] = std::min(r[0], box[0]);
            r[1] = std::min(r[1], box[1]);
            r[2] = std::max(r[2], box[2]);
            r[3] = std::max(r[3], box[3]);
            ++n;
        });
        if (n == 0) return -1;
    } else {
        const VIEINST* v = ViEinst();
        r[0] = v->flux;
        r[1] = v->fluy;
        r[2] = v->frox;
        r[3] = v->froy;
        // The shipped defaults leave this frame empty: then the editor's
        // sheet, or an upright A4 sheet when no view has one.
        if (r[2] <= r[0] || r[3] <= r[1]) AnsichtRandHolen(r);
        if (r[2] <= r[0] || r[3] <= r[1]) {
            r[0] = r[1] = 0;
            r[2] = 210;
            r[3] = 297;
        }
    }
    r[0] -= rand;
    r[1] -= rand;
    r[2] += rand;
    r[3] += rand;
    return r[2] > r[0] && r[3] > r[1] ? 0 : -1;
}

HBITMAP BildErzeugen(int nurMarkiert, int dpi, double rand, int* breite, int* hoehe)
{
    double r[4];
    *breite = *hoehe = 0;
    if (BildRechteck(nurMarkiert, rand, r) != 0) return 0;
    const int w = BildPixel(r[2] - r[0], dpi), h = BildPixel(r[3] - r[1], dpi);
    if (w <= 0 || h <= 0 || GdiBitmapBeginn(w, h, nullptr) != 0) return 0;
    elZeichnenIn(nurMarkiert, r, w, h);
    HBITMAP bild = GdiBitmapEnde();
    if (bild != 0) {
        *breite = w;
        *hoehe = h;
    }
    return bild;
}

HENHMETAFILE EmfErzeugen(const char* pfad, int nurMarkiert, int dpi, double rand, int* breite, int* hoehe)
{
    double r[4];
    *breite = *hoehe = 0;
    if (BildRechteck(nurMarkiert, rand, r) != 0) return 0;
    const int w = BildPixel(r[2] - r[0], dpi), h = BildPixel(r[3] - r[1], dpi);
    if (w <= 0 || h <= 0 || GdiEmfBeginn(pfad, r[0], r[2], r[1], r[3]) != 0) return 0;
    elZeichnenIn(nurMarkiert, r, w, h);
    HENHMETAFILE mf = GdiEmfEnde();
    if (mf != 0) {
        *breite = w;
        *hoehe = h;
    }
    return mf;
}

int BildExport(int art, const char* pfad, int nurMarkiert, int zwischenablage, int dpi, double rand)
{
    if (TzAnzahl() == 0 || (nurMarkiert && TzMarkAnzahl() == 0)) return -1;
    if (zwischenablage) {
        if (art == EXP_ZVK) art = EXP_TXT;
        if (art == EXP_PNG || art == EXP_JPG) art = EXP_BMP;
    }
    int w = 0, h = 0;
    if (zwischenablage) {
        switch (art) {
        case EXP_TXT: {
            std::string text;
            if (elTextForm(nurMarkiert, &text) != 0) return -1;
            return ClipTextSetzen(text.c_str()) ? 0 : -1;
        }
        case EXP_BMP: {
            double r[4];
            if (BildRechteck(nurMarkiert, rand, r) != 0) return -1;
            w = BildPixel(r[2] - r[0], dpi);
            h = BildPixel(r[3] - r[1], dpi);
            BildClipGroesse(&w, &h);
            // Drawn at the reduced size straight away.
            const double d = w > 0 ? dpi * static_cast<double>(w) / BildPixel(r[2] - r[0], dpi) : dpi;
            HBITMAP bild = BildErzeugen(nurMarkiert, static_cast<int>(d), rand, &w, &h);
            if (bild == 0) return -1;
            if (!ClipBitmapSetzen(bild)) {
                DeleteObject(bild);
                return -1;
            }
            return 0;
        }
        case EXP_EMF: {
            HENHMETAFILE mf = EmfErzeugen(nullptr, nurMarkiert, dpi, rand, &w, &h);
            if (mf == 0) return -1;
            if (!ClipEmfSetzen(mf)) {
                DeleteEnhMetaFile(mf);
                return -1;
            }
            return 0;
        }
        case EXP_WMF: {
            double r[4];
            if (BildRechteck(nurMarkiert, rand, r) != 0) return -1;
            w = BildPixel(r[2] - r[0], dpi);
            h = BildPixel(r[3] - r[1], dpi);
            if (GdiWmfBeginn(w, h) != 0) return -1;
            elZeichnenIn(nurMarkiert, r, w, h);
            HGLOBAL block = GdiWmfEnde();
            if (block == 0) return -1;
            BOOL ok = ClipMetaSetzen(GlobalLock(block), GlobalSize(block), w, h, dpi);
            GlobalUnlock(block);
            GlobalFree(block);
            return ok ? 0 : -1;
        }
        default:
            return -1;
        }
    }
    switch (art) {
    case EXP_ZVK: return ZeiDateiSchreiben(pfad, nurMarkiert, 0, 0);
    case EXP_TXT: return ZeiTextSchreiben(pfad, nurMarkiert);
    case EXP_WMF:
        if (elWmfBild(pfad, nurMarkiert, dpi, rand) != 0) {
            elSchreibfehler(pfad);
            return -1;
        }
        return 0;
    case EXP_PNG: case EXP_BMP: case EXP_JPG: {
        double r[4];
        if (BildRechteck(nurMarkiert, rand, r) != 0) return -1;
        w = BildPixel(r[2] - r[0], dpi);
        h = BildPixel(r[3] - r[1], dpi);
        // A sheet at 300 dpi takes many seconds: the progress dialog says
        // which step runs and takes a cancel between the steps.
        ElFortschritt f(static_cast<long long>(w) * h >= ELFORTSCHRITTPUNKTE);
        f.text("Zeichnung aufbereiten ...");
        HMETAFILE mf = w > 0 && h > 0 && f.weiter() ? elMetafile(nurMarkiert, r, w, h) : 0;
        const int bildArt = art == EXP_PNG ? BILD_PNG : art == EXP_BMP ? BILD_BMP : BILD_JPG;
        char t[80];
        std::snprintf(t, sizeof t, "Bild mit %d x %d Punkten berechnen und schreiben ...", w, h);
        f.text(t);
        int e = mf != 0 && f.weiter() ? MetaBildSpeichern(pfad, mf, bildArt, w, h) : -1;
        if (mf != 0) DeleteMetaFile(mf);
        if (f.abgebrochen) {
            StatusTextf("Export abgebrochen: %s", pfad);
            return -1;
        }
        if (e != 0) {
            elSchreibfehler(pfad);
            return -1;
        }
        return 0;
    }
    case EXP_EMF: {
        HENHMETAFILE mf = EmfErzeugen(pfad, nurMarkiert, dpi, rand, &w, &h);
        if (mf == 0) {
            plDsLoeschen(pfad);
            elSchreibfehler(pfad);
            return -1;
        }
        DeleteEnhMetaFile(mf);
        return 0;
    }
    default:
        return -1;
    }
}

// ---- copy and paste

std::string ElTransferPfad(int n) { return plOrtTemp() + (n == 1 ? "/velm.001" : "/velm.002"); }

void ElKopieren(int modus, char* pfadAus, size_t kap)
{
    if (TzAnzahl() == 0 || TzMarkAnzahl() == 0) return;
    const STT* akt = BefAktZustand();
    if (!ClipStatusBeginnen(modh::EditorZeiName(), akt->x, akt->y)) return;
    // Text form.
    std::string text;
    if (elTextForm(1, &text) == 0) ClipTextDazu(text.c_str());
    // Bitmap.
    int w, h;
    HBITMAP bild = BildErzeugen(1, ELKOPIERDPI, 0, &w, &h);
    if (bild != 0 && !ClipBitmapDazu(bild)) DeleteObject(bild);
    // Private form.
    const std::string pfad = ElTransferPfad(1);
    plDsLoeschen(pfad.c_str());
    if (ZeiDateiSchreiben(pfad.c_str(), 1, 1, modus) == 0) {
        std::vector<char> block(4);
        const bool ok = elDateiLesen(pfad.c_str(), &block);
        if (ok) {
            const uint32_t l = static_cast<uint32_t>(block.size() - 4);
            for (int k = 0; k < 4; ++k) block[static_cast<size_t>(k)] = static_cast<char>((l >> (8 * k)) & 0xFF);
            ClipZeichnungDazu(block.data(), block.size());
        } else {
            elSchreibfehler(pfad.c_str());
        }
        if (pfadAus != nullptr) strkopie(pfadAus, kap, pfad.c_str(), static_cast<int>(kap) - 1);
    }
    ClipSchliessen();
}

void ElEinfuegen(int ausDatei, const char* pfad)
{
    const std::string transfer = ElTransferPfad(2);
    if (ausDatei && pfad != nullptr && pfad[0] != 0) {
        if (dateikopieren(pfad, transfer.c_str()) != 0) {
            elSchreibfehler(transfer.c_str());
            return;
        }
    } else {
        char* block = nullptr;
        if (!ClipZeichnungHolen(&block) || block == nullptr) {
            StatusMeldung("Kann Zwischenablage nicht lesen");
            return;
        }
        uint32_t l = 0;
        for (int k = 0; k < 4; ++k) l |= static_cast<uint32_t>(static_cast<unsigned char>(block[k])) << (8 * k);
        const bool ok = plDsDateiErsetzen(transfer.c_str(), block + 4, l) == 0;
        ffree(block);
        if (!ok) {
            elSchreibfehler(transfer.c_str());
            return;
        }
    }
    ZeiDatei z;
    if (ZeiDateiLesend(&z, transfer.c_str()) != 0) {
        StatusTextf("Lesefehler: %s", transfer.c_str());
        return;
    }
    ElPaste p;
    BEFLST* gesammelt = nullptr;
    BEFLST* teile = nullptr;
    BefListeAnlegen(&gesammelt);
    BefListeAnlegen(&teile);
    STT lauf = *BefAktZustand();
    BEF b;
    while (ZeiBefLesen(&z, &b) == 0) {
        if (b.code == E_BMC) {
            STT s = lauf;
            s.x = b.darg[0];
            s.y = b.darg[1];
            if (gesammelt != nullptr) BefListeAnhaengen(gesammelt, &b, &s);
        } else if (BefIstZB(b.code)) {
            if (gesammelt != nullptr && teile != nullptr) elBauteil(p, gesammelt, teile, &b, &lauf);
        } else if (elIstText(b.code) && std::strstr(b.text, "@Y") != nullptr) {
            int id = TzEinfuegenRoh(&b, &lauf);
            ElEintrag e{};
            e.art = 2;
            e.bef = b;
            e.stt = lauf;
            e.objekt = id;
            const char* at = std::strstr(b.text, "@Y");
            YREF r;
            if (YRefZerlegen(at, &r) == 0) {
                e.bteil.id = r.id;
                strkopie(e.bteil.cd, sizeof e.bteil.cd, r.art, sizeof e.bteil.cd - 1);
                e.bteil.nr = r.nr;
            }
            elEintragen(p, e);
        } else if (BefIstObjekt(b.code)) {
            TzEinfuegen(&b, &lauf);
        }
        BefZerlegen(&b, &lauf, nullptr);
    }
    ZeiDateiVerwerfen(&z);
    BefListeFrei(&gesammelt);
    BefListeFrei(&teile);
    if (!p.tafel.empty()) elTafelAbarbeiten(p);
}
