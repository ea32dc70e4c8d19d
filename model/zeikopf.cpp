// Header records of drawing files ('w' title texts, 'z' numbered texts):
// reading them into a `ZeiKopf` and rewriting them into an existing drawing
// through a temporary file, keeping a copy of the old file as ".BAK". See
// zeichnun.h.
// Prefixes `ZeiKopf`, `Zat`. Calls the drawing file handle, the command
// records, the file calls of support/ and the boundary's rename.
#include <cstring>
#include <string>

#include "model/befehl.h"
#include "model/zeichnun.h"
#include "platform/dateisys.h"
#include "support/basis.h"
#include "support/bdatei.h"
#include "support/dosdatei.h"

namespace {

void zkKopie(char* ziel, size_t kap, const char* quelle, size_t n)
{
    size_t l = strnlen(quelle, n);
    if (l >= kap) {
        l = kap - 1;
    }
    std::memmove(ziel, quelle, l);
    ziel[l] = '\0';
}

int zkSchreiben(ZeiDatei* z, int code, int slot, const char* text)
{
    BEF b;
    std::memset(&b, 0, sizeof b);
    b.code = static_cast<uint8_t>(code);
    b.iarg[0] = slot;
    BefTextSetzen(&b, text);
    return ZeiBefSchreiben(z, &b);
}

}  // namespace

void ZatTeilen(const char* w, char* titel0, char* kurz, char* titel1)
{
    std::string t(w ? w : "");
    t.append(3, BEFZATTRENNER);
    size_t p1 = t.find(BEFZATTRENNER);
    size_t p2 = t.find(BEFZATTRENNER, p1 + 1);
    size_t p3 = t.find(BEFZATTRENNER, p2 + 1);
    zkKopie(titel0, ZEITITELSUP + 1, t.c_str(), p1);
    zkKopie(kurz, ZEIKURZSUP + 1, t.c_str() + p1 + 1, p2 - p1 - 1);
    zkKopie(titel1, ZEITITELSUP + 1, t.c_str() + p2 + 1, p3 - p2 - 1);
}

void ZatBauen(char* aus, const char* kurz, const char* titel0, const char* titel1)
{
    std::string t = std::string(titel0) + BEFZATTRENNER + kurz + BEFZATTRENNER + titel1;
    zkKopie(aus, BEFTEXTSUP + 1, t.c_str(), t.size());
}

void ZeiKopfSatzNehmen(const BEF& b, ZeiKopf* k)
{
    if (b.code == BEF_ZAT) {
        ZatTeilen(b.text, k->titel[0], k->kurz, k->titel[1]);
    } else if (b.iarg[0] == 10) {
        zkKopie(k->text10, sizeof k->text10, b.text, ZEIKOPFTEXTSUP);
    } else if (b.iarg[0] == 11) {
        zkKopie(k->text11, sizeof k->text11, b.text, ZEIKOPFTEXTSUP);
    } else if (b.iarg[0] >= 0) {
        const int n = b.iarg[0] < 4 ? b.iarg[0] : 4;
        zkKopie(k->titel[n], sizeof k->titel[n], b.text, ZEITITELSUP);
    }
}

int ZeiKopfLesen(const char* name, ZeiKopf* k)
{
    std::memset(k, 0, sizeof *k);
    k->format = BEF_ZA3;
    ZeiDatei z;
    if (ZeiDateiLesend(&z, name) != 0) {
        return ERROR;
    }
    k->format = ZeiFormat(&z);
    k->version = ZeiVersion(&z);
    BEF b;
    while (ZeiBefLesen(&z, &b) == 0 && (b.code == BEF_ZAT || b.code == BEF_ZTX)) {
        ZeiKopfSatzNehmen(b, k);
    }
    const bool lesefehler = bdlesefehler(&z.datei) != 0;
    bdclose(&z.datei);
    return lesefehler ? ERROR : 0;
}

int ZeiKopfSaetzeSchreiben(ZeiDatei* neu, const ZeiKopf* k)
{
    bool ok = true;
    if (k->format == BEF_ZA3 || k->format == BEF_ZA4) {
        ZeiFormatSetzen(neu, k->format);
    }
    int hoechste = 0;
    for (int i = 0; i < 5; ++i) {
        if (k->titel[i][0]) {
            hoechste = i;
        }
    }
    char w[BEFTEXTSUP + 1];
    if (hoechste > 1) {
        if (k->kurz[0]) {
            ZatBauen(w, k->kurz, "", "");
            ok = zkSchreiben(neu, BEF_ZAT, 0, w) == 0 && ok;
        }
        for (int i = 0; i < 5; ++i) {
            if (k->titel[i][0]) {
                ok = zkSchreiben(neu, BEF_ZTX, i, k->titel[i]) == 0 && ok;
            }
        }
    } else {
        ZatBauen(w, k->kurz, k->titel[0], k->titel[1]);
        ok = zkSchreiben(neu, BEF_ZAT, 0, w) == 0 && ok;
    }
    if (k->text10[0]) {
        ok = zkSchreiben(neu, BEF_ZTX, 10, k->text10) == 0 && ok;
    }
    if (k->text11[0]) {
        ok = zkSchreiben(neu, BEF_ZTX, 11, k->text11) == 0 && ok;
    }
    return ok ? 0 : ERROR;
}

int ZeiKopfSchreiben(const char* name, const ZeiKopf* k)
{
    if (!ZeiIstDatei(name)) {
        return ERROR;
    }
    ZeiDatei alt;
    if (ZeiDateiLesend(&alt, name) != 0) {
        return ERROR;
    }
    char tmp[ZEIPFADSUP + 1], bak[ZEIPFADSUP + 1];
    zkKopie(tmp, sizeof tmp, alt.pfad, sizeof alt.pfad);
    zkKopie(bak, sizeof bak, alt.pfad, sizeof alt.pfad);
    ZeiExtSetzen(tmp, "TMP");
    ZeiExtSetzen(bak, "BAK");

    ZeiDatei neu;
    if (ZeiDateiAnlegen(&neu, tmp) != 0) {
        bdclose(&alt.datei);
        return ERROR;
    }
    bool ok = ZeiKopfSaetzeSchreiben(&neu, k) == 0;
    BEF b;
    while (ok && ZeiBefLesen(&alt, &b) == 0) {
        if (b.code != BEF_ZAT && b.code != BEF_ZTX) {
            ok = ZeiBefSchreiben(&neu, &b) == 0;
        }
    }
    if (bdlesefehler(&alt.datei)) {
        ok = false;  // a drawing read short is not rewritten shorter
    }
    bdclose(&alt.datei);
    if (!ok) {
        ZeiDateiVerwerfen(&neu);
        return ERROR;
    }
    if (ZeiDateiSchliessen(&neu) != 0) {
        return ERROR;
    }
    // "<stem>.BAK" is shared by every drawing of the stem, so it must never
    // be the only place a drawing lives: the old file is copied there, and
    // the new one replaces the drawing in one rename. The drawing is thus
    // always whole under its own name; the backup holds the old file of the
    // drawing rewritten last. A failed rewrite leaves no backup of itself.
    if (dateikopieren(alt.pfad, bak) != 0) {
        dateiloeschen(tmp);
        return ERROR;
    }
    if (plDsUmbenennen(tmp, alt.pfad) != 0) {
        dateiloeschen(bak);
        dateiloeschen(tmp);
        return ERROR;
    }
    return 1;
}
