// Items whose identifier must be edited after components were pasted: each
// waits here until the user types its identifier.
#include <cstdio>
#include <cstring>

#include "config/haken.h"
#include "config/reaktion.h"
#include "editdlg/bmtexte.h"
#include "editdlg/zuordint.h"
#include "editor/edtseite.h"
#include "editor/befausf.h"
#include "editor/edmeld.h"
#include "editor/baubf.h"
#include "editor/objwahl.h"
#include "equipment/app.h"
#include "model/beffifo.h"
#include "model/dienste.h"
#include "model/textvar.h"
#include "editdlg/bmdlg.h"
#include "editdlg/dbdialog.h"
#include "platform/nachricht.h"
#include "platform/winconst.h"
#include "support/texte.h"
#include "winlib/dialog.h"
#include "winlib/dlgitem.h"
#include "winlib/wiwerk.h"
#include "platform/eingabe.h"

namespace {

struct appkennung {
    int32_t id;
    appgeraet g;
    appbteil b;
    BEF bef;
    STT stt;
};

ZuoSchlange<appkennung, APPKENNSUP> akn;
HWND aknFenster = 0;

void AknAufwischen(int32_t, const char*) { akn.frei(); }

void AknAnlegen()
{
    if (akn.zeilen) return;
    akn.modul = "db1361";
    akn.anlegen("(liste=fmalloc(APPSUP,sizeof(struct appkennung))) != NULL");
    AufwischenAnmelden(AknAufwischen, 0, "Kennung bearbeiten");
}

void AknNaechste()
{
    if (akn.naechste()) StartpunktSetzen(akn.aktuell.stt.x, akn.aktuell.stt.y);
}

bool AknAlternativ(const appgeraet& g)
{
    ModGeraet m{};
    strkopie(m.kg, g.kg, MODTEXTSUP);
    strkopie(m.kz, g.kz, MODTEXTSUP);
    return BMKennAltAktiv(&m) != 0;
}

}  // namespace

void AppKennungAnlegen(uint32_t id, const appgeraet* g, const appbteil* b, const BEF* bef, const STT* s)
{
    if (!AppAktiv()) return;
    AknAnlegen();
    if (akn.voll()) {
        StatusMeldung(TextNr3000(47));
        return;
    }
    appkennung k{};
    k.id = static_cast<int32_t>(id);
    if (g) k.g = *g;
    if (b) k.b = *b;
    k.bef = *bef;
    k.stt = *s;
    akn.anhaengen(k);
    if (aknFenster) {
        PostMessage(aknFenster, WM_COMMAND, 2510, 0);
        return;
    }
    if (!akn.geladen) AknNaechste();
    EdtBefehlPosten(1361);
}

long AppKennungPacken(void* puffer) { return akn.packen(puffer); }

void AppKennungEntpacken(const void* puffer)
{
    AknAnlegen();
    const int vorher = akn.geladen;
    akn.entpacken(puffer);
    if (!vorher && akn.geladen) AppKennungWartet();
    if (aknFenster) PostMessage(aknFenster, WM_COMMAND, 2506, 0);
}

int AppKennungWartet()
{
    if (akn.anzahl == 0 && !akn.geladen) return 0;
    if (aknFenster)
        SetForegroundWindow(aknFenster);
    else
        EdtBefehlPosten(1361);
    return 1;
}

int AppKennungAnzahl() { return akn.anzahl; }

int AppKennungAktuell(char* aus, size_t kap)
{
    if (!akn.geladen) return -1;
    appgeraet g;
    if (GesHolen(static_cast<uint32_t>(akn.aktuell.id), &g) != 0) g = akn.aktuell.g;
    strkopie(aus, kap, AknAlternativ(g) && g.kz[0] ? g.kz : g.kg, GESKGSUP);
    return 0;
}

int AppKennungBestaetigen(const char* eingabe)
{
    if (!akn.geladen || strleer(eingabe)) return -1;
    const uint32_t id = static_cast<uint32_t>(akn.aktuell.id);
    appgeraet g;
    if (GesHolen(id, &g) != 0) return -1;
    char text[GESKGSUP + 1];
    strkopie(text, eingabe, GESKGSUP);
    strtrim(text);
    if (AknAlternativ(g) && !BMKennMarkiert(text))
        strkopie(g.kz, text, GESKGSUP);
    else
        strkopie(g.kg, text, GESKGSUP);
    GesAendern(id, &g);
    AppGeaendert(id, 1);
    BefEinreihenCode(1);
    AknNaechste();
    return 0;
}

void AppKennungUeberspringen() { AknNaechste(); }

void AtxZuruecksetzen();

void BmTexteZuruecksetzen()
{
    AtxZuruecksetzen();
    akn.frei();
    aknFenster = 0;
}

// ---- Dialog DB1361 ------------------------------------------------------------------------------

namespace {

int aknSchliessen = 1;

void aknZeigen()
{
    char t[GESKGSUP + 1] = "";
    AppKennungAktuell(t, sizeof t);
    DbFuellen f;
    wiTextSetzen(3000, t);
    wiZahlSetzen(3200, akn.anzahl + (akn.geladen ? 1 : 0));
    BmdKnopf(2500, akn.geladen, "BUTTOK", "OKGRAU");
    BmdKnopf(2503, akn.geladen, "BUTTJUMP", "JUMPGRAU");
}

void aknWeiter()
{
    aknZeigen();
    if (!akn.geladen && aknSchliessen) wiDlgSchliessen();
}

int aknInit(int, const char* const*)
{
    DbDlgAnfang(DBBETRMITTEL);
    aknFenster = wiDlgFenster();
    AknAnlegen();
    aknSchliessen = BmdSchliessenLesen();
    if (!akn.geladen) AknNaechste();
    aknZeigen();
    PostMessage(aknFenster, WM_COMMAND, 2503, 0);
    return 0;
}

int aknExit()
{
    aknFenster = 0;
    DbDlgEnde(DBBETRMITTEL);
    return 0;
}

void aknBestaetigen()
{
    const std::string t = BmdFeldText(3000, GESKGSUP);
    if (strleer(t.c_str()) || AppKennungBestaetigen(t.c_str()) != 0) return;
    EdtAnsichtAktualisieren();
    aknWeiter();
}

int aknBefehl(UINT nachricht, WPARAM wp, LPARAM)
{
    if (nachricht != WM_COMMAND) return 0;
    switch (LOWORD(wp)) {
    case 1:
        if (!DbEnter()) aknBestaetigen();
        return 1;
    case 2500: aknBestaetigen(); return 1;
    case 2501:
        AppKennungUeberspringen();
        aknWeiter();
        return 1;
    case 2:
        if (!akn.geladen && aknSchliessen)
            wiDlgSchliessen();
        else
            EdtFokus();
        return 1;
    case 2503:
        if (akn.geladen) StartpunktSetzen(akn.aktuell.stt.x, akn.aktuell.stt.y);
        return 1;
    case 2506: aknZeigen(); return 1;
    case 2510:
        if (!akn.geladen) AknNaechste();
        aknZeigen();
        return 1;
    default: return 0;
    }
}

}  // namespace

void DB1361Oeffnen()
{
    if (aknFenster) {
        SetForegroundWindow(aknFenster);
        return;
    }
    EdtDialogOeffnen("DB1361", aknInit, aknExit, aknBefehl);
}
