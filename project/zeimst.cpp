// Scale removal of drawings (MstEntfernen and its record callback); see
// zeiops.h. Prefix `Mst`. Calls model (drawing files, walker, state, component library),
// config (paths) and the helpers of zeiopsint.h.
#include <cstring>
#include <string>
#include <vector>

#include "config/verzeich.h"
#include "equipment/utitel.h"
#include "model/bauteil.h"
#include "model/befehl.h"
#include "model/einstell.h"
#include "model/zeilauf.h"
#include "model/zustand.h"
#include "project/zeiops.h"
#include "project/zeiopsint.h"
#include "support/basis.h"
#include "support/dosdatei.h"
#include "support/fileload.h"

namespace {

struct MstLauf {
    ZeiDatei* datei = nullptr;
    STT geschrieben{};
    double letzter[3] = {0, 0, 0};   // SL, TG, TH as last written
    int aufloesen = 0;
    bool fehler = false;
};
MstLauf mst;

void mstSchreiben(const BEF* b)
{
    if (ZeiBefSchreiben(mst.datei, b) != 0) mst.fehler = true;
    SttAnwenden(b, &mst.geschrieben);
}

void mstFaktor(double f)
{
    BEF b{};
    b.code = 11;   // _MSF
    b.darg[0] = f;
    mstSchreiben(&b);
}

int mstPlatzierung(const BEF* b, double s)
{
    if (s == 1.0) {
        mstSchreiben(b);
    } else {
        mstFaktor(s);
        mstSchreiben(b);
        mstFaktor(1.0 / s);
    }
    return 1;
}

int MstBefehl(const BEF* b, const STT* stt)
{
    const double s = stt->mass;
    if (BefIstObjekt(b->code)) {
        static const int codes[3] = {27, 30, 33};
        const double werte[3] = {stt->sl * s, stt->tg * s, stt->th * s};
        for (int i = 0; i < 3; ++i) {
            if (werte[i] == mst.letzter[i]) continue;
            BEF r{};
            r.code = static_cast<uint8_t>(codes[i]);
            r.darg[0] = werte[i];
            mstSchreiben(&r);
            mst.letzter[i] = werte[i];
        }
    }
    if (BefIstZB(b->code)) {
        if (mst.aufloesen) return 0;
        return mstPlatzierung(b, s);
    }
    BEF c = *b;
    int n = 0, ergebnis = 0;
    switch (b->code) {
    case 10:
    case 11:
        return 0;
    case 87:
    case 88:
        return mstPlatzierung(b, s);
    case 20: case 40: case 63: case 64: case 65: case 67: case 68: case 69: case 95:
        n = 2;
        break;
    case 27: case 30: case 33: case 41:
        n = 1;
        break;
    case 92:
        n = 4;
        break;
    case 96:
        n = 8;
        ergebnis = 2;
        break;
    default:
        break;
    }
    for (int i = 0; i < n; ++i) c.darg[i] *= s;
    if (c.code == 27) mst.letzter[0] = c.darg[0];
    if (c.code == 30) mst.letzter[1] = c.darg[0];
    if (c.code == 33) mst.letzter[2] = c.darg[0];
    mstSchreiben(&c);
    return ergebnis;
}

}  // namespace

namespace {

bool mstKopfGleich(const ZeiKopf& a, const ZeiKopf& b)
{
    if (a.format != b.format || std::strcmp(a.kurz, b.kurz) != 0 || std::strcmp(a.text10, b.text10) != 0 ||
        std::strcmp(a.text11, b.text11) != 0)
        return false;
    for (int i = 0; i < 5; ++i)
        if (std::strcmp(a.titel[i], b.titel[i]) != 0) return false;
    return true;
}

}  // namespace

int MstEntfernen(const char* zeichnung, int aufloesen)
{
    const std::string pfad = ZoPfad(zeichnung);
    ZeiKopf k;
    if (ZeiKopfLesen(pfad.c_str(), &k) != 0) return ZoFehler("Die Zeichnung %s kann nicht gelesen werden.", zeichnung), ERROR;
    STT s;
    SttInit(&s, GrundEinst());
    // Settings never read leave the scale at 0, which would flatten every
    // coordinate; the state's own range rule makes that 1.
    if (!(s.mass >= 1e-5 && s.mass <= 10000)) s.mass = s.msm = s.msf = 1.0;
    // A free temporary name: "<stem>.tmp" beside the drawing may be a
    // user's file.
    char tmp[ZEIPFADSUP + 1];
    if (tempname(tmp) != 0) return ZoFehler("Die Zeichnung %s kann nicht geschrieben werden.", zeichnung), ERROR;
    ZeiDatei t;
    if (ZeiDateiAnlegen(&t, tmp) != 0) return ZoFehler("Die Zeichnung %s kann nicht geschrieben werden.", zeichnung), ERROR;
    ZeiFormatSetzen(&t, k.format);

    mst = MstLauf{};
    mst.datei = &t;
    mst.geschrieben = s;
    mst.geschrieben.mass = mst.geschrieben.msm = mst.geschrieben.msf = 1.0;
    mst.letzter[0] = s.sl;
    mst.letzter[1] = s.tg;
    mst.letzter[2] = s.th;
    mst.aufloesen = aufloesen;
    const int r = ZeiDurchlaufenGruppen(pfad.c_str(), &s, MstBefehl);
    const bool fehler = r != 0 || mst.fehler;
    mst = MstLauf{};
    if (fehler) {
        ZeiDateiVerwerfen(&t);
        return ZoFehler("Die Zeichnung %s kann nicht geschrieben werden.", zeichnung), ERROR;
    }
    const bool kopiert = ZeiDateiSchliessen(&t) == 0 && dateikopieren(tmp, pfad.c_str()) == 0;
    if (dosattrib(tmp) != DOSATTR_FEHLT) dateiloeschen(tmp);
    if (!kopiert) return ZoFehler("Die Zeichnung %s kann nicht geschrieben werden.", zeichnung), ERROR;
    // The pass copies the header records; the header is rewritten only when
    // it did not come through (the header writer's own temporary and backup
    // names would meet a user's "<stem>.tmp" or "<stem>.BAK").
    ZeiKopf neu{};
    if (ZeiKopfLesen(pfad.c_str(), &neu) != 0 || !mstKopfGleich(neu, k)) ZeiKopfSchreiben(pfad.c_str(), &k);
    ZeiKopfMerken(zeichnung, &k);
    BauBibSchliessen();
    return 0;
}

int ZeiMstEntfernen(int aufloesen)
{
    int ergebnis = 0;
    for (const std::string& n : ZoMarkierte()) {
        if (MstEntfernen(n.c_str(), aufloesen) != 0) ergebnis = ERROR;
    }
    ZoGeaendert();
    return ergebnis;
}
