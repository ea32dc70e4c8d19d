// The header of the editor's drawing (see edkopf.h).
#include "editor/edkopf.h"

#include <cstring>
#include <string>

#include "editor/zeidok.h"
#include "model/edhaken.h"
#include "model/einstell.h"
#include "model/textvar.h"
#include "model/zeichnun.h"
#include "support/texte.h"

namespace {

struct KopfDaten {
    std::string titel[ZEIKOPFZEILEN];
    std::string index;
    std::string text10, text11;
    int layerSchalter = 0;
    // While loading: the switch before, whether a layer record came.
    int schalterVorher = 0;
    bool layerGelesen = false;
};
KopfDaten kopf;

std::string kopfKurz(const char* t, size_t n)
{
    std::string s = t != nullptr ? t : "";
    if (s.size() > n) s.resize(n);
    return s;
}

// The header cache of the current drawing follows the document.
void kopfCache()
{
    for (int i = 0; i < ZEIKOPFZEILEN; ++i) ZeiTitelSetzen(i, kopf.titel[i].c_str());
    ZeiInfoSetzen(kopf.index.c_str());
}

BEF kopfSatz(int code, int zahl, const char* text)
{
    BEF b;
    std::memset(&b, 0, sizeof b);
    b.code = static_cast<uint8_t>(code);
    b.iarg[0] = zahl;
    BefTextSetzen(&b, text);
    return b;
}

}  // namespace

void ZeiKopfLeeren()
{
    const int schalter = kopf.layerSchalter;
    kopf = KopfDaten{};
    kopf.layerSchalter = schalter;
    kopfCache();
}

void ZeiLadenBeginn()
{
    kopf.schalterVorher = kopf.layerSchalter;
    kopf.layerGelesen = false;
}

void ZeiKopfBefehl(const BEF* b)
{
    switch (b->code) {
    case 16: {
        const int n = b->iarg[0];
        if (n < 1 || n > LAYERSUP) return;  // a layer outside the table
        LayerSichtSetzen(n, b->iarg[1] != 0);
        kopf.layerGelesen = true;
        return;
    }
    case 17: kopf.layerSchalter = b->iarg[0] != 0; return;
    case BEF_ZAT: {
        char t0[ZEITITELSUP + 1] = "", kurz[ZEIKURZSUP + 1] = "", t1[ZEITITELSUP + 1] = "";
        ZatTeilen(b->text, t0, kurz, t1);
        kopf.index = kurz;
        kopf.titel[0] = t0;
        kopf.titel[1] = t1;
        kopfCache();
        return;
    }
    case BEF_ZTX: {
        const int a = b->iarg[0];
        if (a == 10) kopf.text10 = kopfKurz(b->text, ZEIKOPFTEXTSUP);
        else if (a == 11) kopf.text11 = kopfKurz(b->text, ZEIKOPFTEXTSUP);
        else if (a >= 0) kopf.titel[a < 4 ? a : 4] = kopfKurz(b->text, ZEITITELSUP);  // a negative line is none
        kopfCache();
        return;
    }
    default: return;
    }
}

void ZeiLadenEnde()
{
    if (!kopf.layerGelesen && kopf.schalterVorher && !kopf.layerSchalter) {
        const GRUNDEINST* g = GrundEinst();
        for (int n = 1; n <= LAYERSUP; ++n) LayerSichtSetzen(n, g->layanz[n - 1] != 0);
    }
}

int ZeiKopfAusgeben(ZeiDatei* z)
{
    int r = 0;
    auto schreiben = [&](const BEF& b) {
        if (ZeiBefSchreiben(z, &b) < 0) r = -1;
    };
    int hoechste = -1;
    for (int i = 0; i < ZEIKOPFZEILEN; ++i) {
        if (!kopf.titel[i].empty()) hoechste = i;
    }
    if (hoechste > 1) {
        if (!kopf.index.empty()) {
            char w[201];
            ZatBauen(w, kopf.index.c_str(), "", "");
            schreiben(kopfSatz(BEF_ZAT, 0, w));
        }
        for (int i = 0; i < ZEIKOPFZEILEN; ++i) {
            if (!kopf.titel[i].empty()) schreiben(kopfSatz(BEF_ZTX, i, kopf.titel[i].c_str()));
        }
    } else {
        char w[201];
        ZatBauen(w, kopf.index.c_str(), kopf.titel[0].c_str(), kopf.titel[1].c_str());
        schreiben(kopfSatz(BEF_ZAT, 0, w));
    }
    if (!kopf.text10.empty()) schreiben(kopfSatz(BEF_ZTX, 10, kopf.text10.c_str()));
    if (!kopf.text11.empty()) schreiben(kopfSatz(BEF_ZTX, 11, kopf.text11.c_str()));
    kopfCache();
    if (kopf.layerSchalter) {
        for (int n = 1; n <= LAYERSUP; ++n) {
            BEF b = kopfSatz(16, n, "");
            b.iarg[1] = LayerSichtbar(n) != 0;
            schreiben(b);
        }
    }
    ZeiFormatSetzen(z, EdtFormat());
    return r;
}

const char* ZeiKopfText(int n)
{
    if (n >= 0 && n < ZEIKOPFZEILEN) return kopf.titel[n].c_str();
    if (n == 10) return kopf.text10.c_str();
    if (n == 11) return kopf.text11.c_str();
    if (n == -1) return kopf.index.c_str();
    return "";
}

void ZeiKopfTextSetzen(int n, const char* text)
{
    if (n >= 0 && n < ZEIKOPFZEILEN) kopf.titel[n] = kopfKurz(text, ZEITITELSUP);
    else if (n == 10) kopf.text10 = kopfKurz(text, ZEIKOPFTEXTSUP);
    else if (n == 11) kopf.text11 = kopfKurz(text, ZEIKOPFTEXTSUP);
    else if (n == -1) kopf.index = kopfKurz(text, ZEIKURZSUP);
    kopfCache();
}

int ZeiLayerSchalter() { return kopf.layerSchalter; }
void ZeiLayerSchalterSetzen(int an) { kopf.layerSchalter = an != 0; }

void ZeiKopfHakenSetzen()
{
    EdHaken h;
    h.KopfSammelnAnfang = ZeiLadenBeginn;
    h.KopfSatz = ZeiKopfBefehl;
    h.KopfSammelnEnde = ZeiLadenEnde;
    h.KopfSchreiben = ZeiKopfAusgeben;
    EdHakenSetzen(h);
}
