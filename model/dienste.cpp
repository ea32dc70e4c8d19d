// Service hooks of model/ with their stand-ins; see dienste.h.
#include "model/dienste.h"

#include <cstring>
#include <string>

namespace {

extern ModDienste mdTabelle;

void mdRgbStandard(char* text, size_t kap)
{
    static const char schwarz[] = "0 0 0";
    if (text && kap > 0) {
        size_t n = sizeof schwarz - 1 < kap - 1 ? sizeof schwarz - 1 : kap - 1;
        std::memcpy(text, schwarz, n);
        text[n] = '\0';
    }
}

void mdStrichStandard(int) {}

void mdLeer(char* aus, size_t kap)
{
    if (aus && kap > 0) aus[0] = '\0';
}

int mdKennungPosition(char* text, size_t kap, uint32_t)
{
    mdLeer(text, kap);
    if (text && kap > 3) std::memcpy(text, "---", 4);
    return 0;
}
int mdGesHolen(uint32_t, ModGeraet* g)
{
    std::memset(g, 0, sizeof *g);
    return -1;
}
int mdBtlSuchen(uint32_t, const char*, int, ModBauteil* b)
{
    std::memset(b, 0, sizeof *b);
    return 0;
}
void mdMarkenTeil(char* aus, size_t kap, const char*, int) { mdLeer(aus, kap); }
void mdProjekt(ModProjektText* t) { std::memset(t, 0, sizeof *t); }
void mdWeiterer(int, ModProjektText* t) { std::memset(t, 0, sizeof *t); }
void mdZeichnung(const char*, ModProjektText* t) { std::memset(t, 0, sizeof *t); }
void mdTitel(const char*, int, char* aus, size_t kap) { mdLeer(aus, kap); }
void mdChk(int, const char*, char* aus, size_t kap) { mdLeer(aus, kap); }
void mdCode(const char*, char* aus, size_t kap) { mdLeer(aus, kap); }
void mdPos(char* aus, size_t kap, uint32_t, const char*, int) { mdLeer(aus, kap); }
void mdPosAlt(char* aus, size_t kap, uint32_t, const char*, int, int) { mdLeer(aus, kap); }
void mdVerweis(char* a, char* b, size_t kap, uint32_t, const char*, int, int)
{
    mdLeer(a, kap);
    mdLeer(b, kap);
}
// Stem, the separator of "BMtzfeld" (1 '.', 2 '-', else none), the text.
void mdTrenn(char* text, size_t kap, const char* stamm)
{
    if (!text || kap == 0 || !stamm) return;
    char trenner[2] = {0, 0};
    int art = mdTabelle.BmEinst()->bmtzfeld;
    trenner[0] = art == 1 ? '.' : art == 2 ? '-' : '\0';
    std::string neu = std::string(stamm) + trenner + text;
    size_t n = neu.size() < kap - 1 ? neu.size() : kap - 1;
    std::memcpy(text, neu.data(), n);
    text[n] = '\0';
}
void mdZeile(char* aus, size_t kap, uint32_t, const char*, int, int) { mdLeer(aus, kap); }
int mdIstUnter(const char* art)
{
    return art && (art[0] == 'U' || (art[0] >= 'a' && art[0] <= 'z'));
}
int mdArtSuchen(const char*, ModArtikel* a)
{
    std::memset(a, 0, sizeof *a);
    return 0;
}
void mdKennungHolen(char* aus, size_t kap, uint32_t id) { mdKennungPosition(aus, kap, id); }
const ModBmEinst* mdBmEinst()
{
    static const ModBmEinst null{};
    return &null;
}
void mdStartXY(double, double) {}

constexpr ModDienste mdStandard = {
    mdRgbStandard, mdStrichStandard, mdKennungPosition, mdGesHolen, mdBtlSuchen, mdMarkenTeil,
    mdProjekt,     mdWeiterer,       mdZeichnung,       mdTitel,    mdChk,       mdCode,
    mdPos,         mdPosAlt,         mdVerweis,         mdTrenn,    mdZeile,     mdZeile,
    mdZeile,       mdIstUnter,       mdArtSuchen,       mdKennungHolen, mdBmEinst, mdStartXY};
ModDienste mdTabelle = mdStandard;

}  // namespace

const ModDienste& ModDienst() { return mdTabelle; }

void ModDiensteSetzen(void (*eintragen)(ModDienste* d))
{
    ModDienste d{};
    eintragen(&d);
    ModDiensteSetzen(d);
}

void ModDiensteSetzen(const ModDienste& d)
{
    if (d.RgbAusFarbname) mdTabelle.RgbAusFarbname = d.RgbAusFarbname;
    if (d.StrichMaxSetzen) mdTabelle.StrichMaxSetzen = d.StrichMaxSetzen;
#define MD_SETZEN(f) \
    if (d.f) mdTabelle.f = d.f;
    MD_SETZEN(BMKennungPosition)
    MD_SETZEN(GesHolen)
    MD_SETZEN(BtlSuchen)
    MD_SETZEN(MarkenTeil)
    MD_SETZEN(UtitelProjektText)
    MD_SETZEN(UtitelProjektWeiterer)
    MD_SETZEN(UtitelZeichnungText)
    MD_SETZEN(FstxTitelText)
    MD_SETZEN(ChkTextHolen)
    MD_SETZEN(BMCodeWert)
    MD_SETZEN(BtlPositionText)
    MD_SETZEN(BtlPositionAlt)
    MD_SETZEN(HulVerweisPositionen)
    MD_SETZEN(HulTrennzeichen)
    MD_SETZEN(GtxTextHolen)
    MD_SETZEN(ZtxTextHolen)
    MD_SETZEN(GtxHauptText)
    MD_SETZEN(BtlIstUnter)
    MD_SETZEN(ArtSuchen)
    MD_SETZEN(BMKennungHolen)
    MD_SETZEN(BmEinst)
    MD_SETZEN(BaubfStartXY)
#undef MD_SETZEN
}

void ModDiensteStandard() { mdTabelle = mdStandard; }

namespace modh {

void RgbAusFarbname(char* text, size_t kap) { mdTabelle.RgbAusFarbname(text, kap); }
void StrichMaxSetzen(int n) { mdTabelle.StrichMaxSetzen(n); }

int BMKennungPosition(char* text, size_t kap, uint32_t id) { return mdTabelle.BMKennungPosition(text, kap, id); }
int GesHolen(uint32_t id, ModGeraet* g) { return mdTabelle.GesHolen(id, g); }
int BtlSuchen(uint32_t id, const char* art, int nr, ModBauteil* b) { return mdTabelle.BtlSuchen(id, art, nr, b); }
void MarkenTeil(char* aus, size_t kap, const char* text, int modus) { mdTabelle.MarkenTeil(aus, kap, text, modus); }
void UtitelProjektText(ModProjektText* t) { mdTabelle.UtitelProjektText(t); }
void UtitelProjektWeiterer(int n, ModProjektText* t) { mdTabelle.UtitelProjektWeiterer(n, t); }
void UtitelZeichnungText(const char* name, ModProjektText* t) { mdTabelle.UtitelZeichnungText(name, t); }
void FstxTitelText(const char* name, int n, char* aus, size_t kap) { mdTabelle.FstxTitelText(name, n, aus, kap); }
void ChkTextHolen(int liste, const char* code, char* aus, size_t kap) { mdTabelle.ChkTextHolen(liste, code, aus, kap); }
void BMCodeWert(const char* variable, char* aus, size_t kap) { mdTabelle.BMCodeWert(variable, aus, kap); }
void BtlPositionText(char* aus, size_t kap, uint32_t id, const char* art, int nr)
{
    mdTabelle.BtlPositionText(aus, kap, id, art, nr);
}
void BtlPositionAlt(char* aus, size_t kap, uint32_t id, const char* art, int nr, int modus)
{
    mdTabelle.BtlPositionAlt(aus, kap, id, art, nr, modus);
}
void HulVerweisPositionen(char* a, char* b, size_t kap, uint32_t id, const char* art, int nr, int modus)
{
    mdTabelle.HulVerweisPositionen(a, b, kap, id, art, nr, modus);
}
void HulTrennzeichen(char* text, size_t kap, const char* stamm) { mdTabelle.HulTrennzeichen(text, kap, stamm); }
void GtxTextHolen(char* aus, size_t kap, uint32_t id, const char* art, int nr, int zeile)
{
    mdTabelle.GtxTextHolen(aus, kap, id, art, nr, zeile);
}
void ZtxTextHolen(char* aus, size_t kap, uint32_t id, const char* art, int nr, int zeile)
{
    mdTabelle.ZtxTextHolen(aus, kap, id, art, nr, zeile);
}
void GtxHauptText(char* aus, size_t kap, uint32_t id, const char* art, int nr, int zeile)
{
    mdTabelle.GtxHauptText(aus, kap, id, art, nr, zeile);
}
int BtlIstUnter(const char* art) { return mdTabelle.BtlIstUnter(art); }
int ArtSuchen(const char* nummer, ModArtikel* a) { return mdTabelle.ArtSuchen(nummer, a); }
void BMKennungHolen(char* aus, size_t kap, uint32_t id) { mdTabelle.BMKennungHolen(aus, kap, id); }
const ModBmEinst* BmEinst() { return mdTabelle.BmEinst(); }
void BaubfStartXY(double x, double y) { mdTabelle.BaubfStartXY(x, y); }

}  // namespace modh
