// Import dialogs (see impdlg.h). One request at a time: `id` holds it from
// the opener to the exit.
#include "project/impdlg.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "config/apstil.h"
#include "config/datwache.h"
#include "config/reaktion.h"
#include "config/verzeich.h"
#include "config/vorgaben.h"
#include "equipment/utitel.h"
#include "model/befehl.h"
#include "output/dxfimp.h"
#include "output/hpglimp.h"
#include "output/ansicht.h"
#include "output/bilder.h"
#include "output/dxfexp.h"
#include "output/dxfimp.h"
#include "output/element.h"
#include "output/gdi.h"
#include "output/schrift.h"
#include "output/show.h"
#include "output/tbar.h"
#include "platform/nachricht.h"
#include "platform/winconst.h"
#include "support/basis.h"
#include "support/dosdatei.h"
#include "support/texte.h"
#include "winlib/dialog.h"
#include "winlib/dlgitem.h"
#include "winlib/meldung.h"
#include "winlib/seitendienst.h"
#include "winlib/wiwerk.h"

namespace {

void (*idVgbHaken)(const char* gruppe) = [](const char* gruppe) {
    wiMeldung("Die Vorgabengruppe %s bearbeiten Sie unter \"Vorgaben\".", gruppe);
};

void idMeldung(int nr, const char* name)
{
    char m[600];
    std::snprintf(m, sizeof m, TextNr(nr), name);
    wiMeldung("%s", m);
}

bool idNameGut(const char* s, bool leerErlaubt)
{
    if (!s[0]) return leerErlaubt;
    for (const char* c : {".", "/", "\\", ":"}) {
        if (std::strchr(s, c[0])) {
            wiMeldung("Der Name darf kein \"%s\" enthalten.", c);
            return false;
        }
    }
    return true;
}

void idKopf(ZeiKopf* k, const ImpEingabe* e, int textFormat)
{
    if (e->index[0]) strkopie(k->kurz, e->index, ZEIKURZSUP);
    for (int i = 0; i < 5; ++i)
        if (e->titel[i][0]) strkopie(k->titel[i], e->titel[i], ZEITITELSUP);
    if (e->bauwerk[0]) strkopie(k->text10, e->bauwerk, IMPBEZSUP);
    if (e->objekt[0]) strkopie(k->text11, e->objekt, IMPBEZSUP);
    if (textFormat != 1) k->format = e->a4 ? BEF_ZA4 : BEF_ZA3;
}

}  // namespace

int ImpZielName(const ImpEingabe* e, char* name, int groesse)
{
    if (!e->stamm[0]) {
        wiMeldung("%s", TextNr(16));
        return ERROR;
    }
    if (!idNameGut(e->stamm, false) || !idNameGut(e->endung, true)) return ERROR;
    std::snprintf(name, static_cast<size_t>(groesse), e->endung[0] ? "%s.%s" : "%s%s", e->stamm, e->endung);
    return 0;
}

int ImpAusfuehren(const ImpEingabe* e)
{
    char name[IMPSTAMMSUP + IMPENDUNGSUP + 2];
    if (ImpZielName(e, name, sizeof name) != 0) return 1;
    if (e->art != IMP_TXT && !(e->trafo.mass > 0)) {
        wiMeldung("Die Skalierung muss gr\xF6\xDF" "er als 0 sein.");
        return 1;
    }
    char ziel[ZEIPFADSUP + 1];
    PfadBilden(1, name, nullptr, ziel);
    if (dosattrib(ziel) != DOSATTR_FEHLT) {
        wiInfo(TextNr(14));
        return 1;
    }
    int textFormat = 0;
    bool kopfDa = false;
    switch (e->art) {
    case IMP_DXF: {
        // The placement of the dialog, and the header written with the
        // drawing: it is written once, and no backup of it is left.
        ZeiKopf k{};
        k.format = BEF_ZA3;
        idKopf(&k, e, 0);
        DxfPlatzierungSetzen(&e->trafo);
        if (DxfImportLauf(e->quelle, ziel, &k) != 0) return ERROR;  // it said why and left nothing
        kopfDa = true;
        break;
    }
    case IMP_HPGL:
        HpglImpEinstellen(&e->trafo, e->fenster);
        if (HpglImport(e->quelle, ziel) != 0) return ERROR;  // it said why and left nothing
        break;
    default: textFormat = ZeiAusText(ziel, e->quelle); break;
    }
    // Whatever the importer reported, the drawing counts only with a header
    // that reads back; anything else it left goes.
    ZeiKopf k{};
    if (ZeiKopfLesen(ziel, &k) != 0) {
        if (dosattrib(ziel) != DOSATTR_FEHLT) dateiloeschen(ziel);
        idMeldung(250, name);
        return ERROR;
    }
    if (!kopfDa) {
        idKopf(&k, e, textFormat);
        if (ZeiKopfSchreiben(ziel, &k) < 0) {
            dateiloeschen(ziel);
            idMeldung(243, name);
            return ERROR;
        }
        // The header writer keeps the version before as ".BAK": here that is
        // only the importer's raw output.
        char bak[ZEIPFADSUP + 1];
        strkopie(bak, ziel, ZEIPFADSUP);
        ZeiExtSetzen(bak, "BAK");
        dateiloeschen(bak);
    }
    ZeiKopfMerken(name, &k);
    DatAenderungMelden();
    wiSeiteVerteilen(2998, 9);
    return 0;
}

void ImpVgbGruppeHakenSetzen(void (*haken)(const char* gruppe))
{
    if (haken) idVgbHaken = haken;
}

void ImpVgbGruppeEditieren(const char* gruppe) { idVgbHaken(gruppe); }

// ---- the dialogs ------------------------------------------------------------------------------

namespace {

constexpr int ID_TITEL[5] = {3220, 3221, 3222, 3223, 3224};
ImpEingabe id{};

const char* idVorlage(int art) { return art == IMP_DXF ? "DXFImport" : art == IMP_HPGL ? "HPGLImport" : "TXTImport"; }

void idText(int fid, char* ziel, int n)
{
    std::string t(static_cast<size_t>(n) + 2, '\0');
    wiTextHolen(fid, t.data(), n);
    strtrim(t.data());
    strkopie(ziel, static_cast<size_t>(n) + 1, t.c_str(), n);
}

void idLesen()
{
    idText(3200, id.stamm, IMPSTAMMSUP);
    idText(3210, id.endung, IMPENDUNGSUP);
    idText(3250, id.index, ZEIKURZSUP);
    for (int i = 0; i < 5; ++i) idText(ID_TITEL[i], id.titel[i], ZEITITELSUP);
    if (id.art == IMP_DXF) {
        idText(3090, id.bauwerk, IMPBEZSUP);
        idText(3091, id.objekt, IMPBEZSUP);
    }
    id.a4 = wiRadio(3240, 2) == 1;
    if (id.art == IMP_TXT) return;
    char r[20] = "";
    wiComboText(3000, r, sizeof r - 1);
    id.trafo.drehung = (std::atoi(r) / 90) & 3;
    id.trafo.x = wiDezHolen(3010);
    id.trafo.y = wiDezHolen(3020);
    id.trafo.mass = wiDezHolen(3030) / 100.0;
    if (id.art == IMP_HPGL) {
        const int felder[4] = {3100, 3110, 3120, 3130};
        for (int i = 0; i < 4; ++i) id.fenster[i] = wiDezHolen(felder[i]);
    }
}

int idInit(int, const char* const*)
{
    wiDlgPosLaden(idVorlage(id.art));
    if (id.art == IMP_HPGL) {
        HpglImpEinstLesen(&id.trafo, id.fenster);
    } else if (id.art == IMP_DXF) {
        VgbPraefix("DI");
        JusLesen(&id.trafo);
        VgbPraefix("");
    }
    wiTextSetzen(3300, id.quelle);
    std::string q = id.quelle;
    const size_t t = q.find_last_of("/\\");
    wiTextSetzen(3301, t == std::string::npos ? "" : q.substr(0, t).c_str());
    wiTextSetzen(3302, t == std::string::npos ? q.c_str() : q.substr(t + 1).c_str());
    wiTextSetzen(3200, id.stamm);
    wiTextSetzen(3210, id.endung);
    wiRadioSetzen(3240, 0, 2);
    if (id.art != IMP_TXT) {
        wiComboLeeren(3000);
        for (int w = 0; w < 360; w += 90) {
            char z[16];
            std::snprintf(z, sizeof z, "%3d", w);
            wiComboAnhaengen(3000, z);
        }
        wiComboWahlSetzen(3000, id.trafo.drehung & 3);
        wiDezSetzen1(3010, id.trafo.x);
        wiDezSetzen1(3020, id.trafo.y);
        wiZahlSetzen(3030, static_cast<int>(id.trafo.mass * 100.0));
    }
    if (id.art == IMP_HPGL) {
        const int felder[4] = {3100, 3110, 3120, 3130};
        for (int i = 0; i < 4; ++i) wiDezSetzen1(felder[i], id.fenster[i]);
    }
    wiItemFokus(3200);
    return 0;
}

int idExit()
{
    wiDlgPosSichern(idVorlage(id.art));
    wiTooltipsLoeschen();
    return 0;
}

int idBefehl(UINT nachricht, WPARAM wp, LPARAM)
{
    if (nachricht != WM_COMMAND) return 0;
    int b = LOWORD(wp);
    if (b == 1) b = wiGrbuAusloesen() ? 0 : 2500;
    switch (b) {
    case 2500:
        idLesen();
        if (ImpAusfuehren(&id) == 0) wiDlgSchliessen();
        break;
    case 2502: idVgbHaken("DXFImp"); break;
    case 2503: idVgbHaken("HPGL"); break;
    case 2: case 2501: wiDlgSchliessen(); break;
    default: break;
    }
    return 0;
}

}  // namespace

HWND ImpDlgOeffnen(int art, const char* quelle, const char* stamm, const char* endung)
{
    if (art < IMP_DXF || art > IMP_TXT) return 0;
    if (HWND d = wiDlgSuchen(idVorlage(art))) return d;
    id = ImpEingabe{};
    id.art = art;
    id.trafo.mass = 1.0;
    strkopie(id.quelle, sizeof id.quelle, quelle ? quelle : "", static_cast<int>(sizeof id.quelle) - 1);
    strkopie(id.stamm, stamm ? stamm : "", IMPSTAMMSUP);
    strkopie(id.endung, endung ? endung : "", IMPENDUNGSUP);
    return wiDlgOeffnen(idVorlage(art), idInit, idExit, idBefehl);
}
