// Services of the project titles, texts by language and check lists for
// the lower layers (see projdienst.h).
#include "equipment/projdienst.h"

#include <cstring>

#include "config/verzeich.h"
#include "equipment/chk.h"
#include "equipment/fstx.h"
#include "equipment/utitel.h"
#include "model/dienste.h"
#include "support/texte.h"

namespace {

void pdKopie(ModProjektText* aus, const projekttext& t)
{
    std::memset(aus, 0, sizeof *aus);
    strkopie(aus->titel, t.titel, MODTEXTSUP);
    strkopie(aus->autor, t.anlage, MODTEXTSUP);
    strkopie(aus->ort, t.ort, MODTEXTSUP);
    for (int i = 0; i < MODTITELTEXTE && i < UTTEXTE; ++i) strkopie(aus->text[i], t.text[i], MODTEXTSUP);
    strkopie(aus->k1, t.gruppe[0], MODTEXTSUP);
    strkopie(aus->k2, t.gruppe[1], MODTEXTSUP);
}

void pdProjektText(ModProjektText* aus)
{
    projekttext t;
    UtitelProjektText(&t);
    pdKopie(aus, t);
}

void pdProjektWeiterer(int n, ModProjektText* aus)
{
    projekttext t;
    UtitelNrText(n, &t);
    pdKopie(aus, t);
}

void pdZeichnungText(const char* name, ModProjektText* aus)
{
    projekttext t;
    UtitelPfadText(name != nullptr ? name : "", &t);
    pdKopie(aus, t);
}

void pdTitelText(const char* name, int n, char* aus, size_t kap)
{
    char t[FSTXTEXTSUP + 1];
    FstxTitelText(name != nullptr ? name : "", n, t);
    if (kap > 0) strkopie(aus, kap, t, FSTXTEXTSUP);
}

// The list is made current first: a caller below has no other way to ask.
void pdChkTextHolen(int liste, const char* code, char* aus, size_t kap)
{
    char t[CHKTEXTSUP + 1] = "";
    if (liste >= 0 && liste < CHKLISTEN) {
        char pfad[VERSUP + 20];
        ChkPfad(liste, pfad, sizeof pfad);
        ChkTextHolen(liste, code != nullptr ? code : "", t);
    }
    if (kap > 0) strkopie(aus, kap, t, CHKTEXTSUP);
}

void pdCodeWert(const char* variable, char* aus, size_t kap)
{
    char t[CHKTEXTSUP + 1];
    ChkTextVariable(variable != nullptr ? variable : "", t);
    if (kap > 0) strkopie(aus, kap, t, CHKTEXTSUP);
}

}  // namespace

void ProjDiensteEintragen(ModDienste* d)
{
    d->UtitelProjektText = pdProjektText;
    d->UtitelProjektWeiterer = pdProjektWeiterer;
    d->UtitelZeichnungText = pdZeichnungText;
    d->FstxTitelText = pdTitelText;
    d->ChkTextHolen = pdChkTextHolen;
    d->BMCodeWert = pdCodeWert;
}

void ProjDiensteSetzen() { ModDiensteSetzen(ProjDiensteEintragen); }

void ProjModuleStarten()
{
    UtitelInit();
    ZeiKopfInit();
    FstxInit();
    ChkInit();
    ChkAnhangInit();
}

void ProjModuleBeenden()
{
    ChkAnhangFrei();
    ChkFrei();
    FstxFrei();
    ZeiKopfFrei();
    UtitelFrei();
}

void ProjProjektWechsel()
{
    UtitelNeuLaden();
    ZeiKopfCacheLeeren();
}
