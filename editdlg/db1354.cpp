// Label placeholders: each "@Q" text generated for a placed component waits
// here until the user types its label; the label is drawn as a new text or
// replaces a text already standing at the place.
#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>

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
#include "equipment/nartikel.h"
#include "equipment/ngestext.h"
#include "equipment/nzustext.h"
#include "model/beffifo.h"
#include "model/tempzeic.h"
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

struct apptext {
    BEF bef;
    STT stt;
    int32_t id;
    char code[4];
    int32_t nummer;
    int32_t gefunden;
    int32_t zflag, tflag;
    int32_t objekt;
};

struct TextZustand {
    ZuoSchlange<apptext, APPTEXTSUP> q;
    char vorschlag[BMLABELSUP + 1] = "";   // field 3000
    char letzter[BMLABELSUP + 1] = "";     // for "@W"
    STT rueck{};
    int rueckDa = 0;
    HWND fenster = 0;
};
TextZustand atx;

void AtxAufwischen(int32_t, const char*) { atx.q.frei(); }

void AtxAnlegen()
{
    if (atx.q.zeilen) return;
    atx.q.modul = "db1354";
    atx.q.anlegen("(liste=fmalloc(APPSUP,sizeof(struct apptext))) != NULL");
    AufwischenAnmelden(AtxAufwischen, 0, "Bauteile beschriften");
}

bool AtxMarke(std::string& t, const char* m)
{
    const size_t p = t.find(m);
    if (p == std::string::npos) return false;
    t.erase(p, 2);
    return true;
}

int AtxNaechsteNummer(uint32_t id)
{
    const auto BtlNaechsteNummer = BtlNaechsteBs;  // the placed components' number fields
    const int a = BtlNaechsteNummer(id), b = ZtxNaechsteNummer(id);
    return a > b ? a : b;
}

// Fills the proposal of the current row and looks for a text at its place.
void AtxFuellen()
{
    apptext& a = atx.q.aktuell;
    const STT* jetzt = BefAktZustand();
    SttDifferenz(jetzt, &a.stt, [](const BEF* b) {
        BefEinreihen(b);
        return 0;
    });
    if (std::strncmp(a.bef.text, "@Q", 2) == 0 && !strleer(a.bef.text + 2)) {
        std::string t = a.bef.text + 2;
        const bool x = AtxMarke(t, "@X"), w = AtxMarke(t, "@W");
        a.zflag = AtxMarke(t, "@Z");
        a.tflag = AtxMarke(t, "@T");
        char k[BMLABELSUP + 1];
        strkopie(k, t.c_str(), BMLABELSUP);
        strtrim(k);
        if (w) strkopie(k, atx.letzter, BMLABELSUP);
        if (x) std::snprintf(k, sizeof k, "%d", AtxNaechsteNummer(static_cast<uint32_t>(a.id)));
        strkopie(atx.vorschlag, k, BMLABELSUP);
    }
    a.gefunden = 0;
    a.objekt = -1;
    const double r[4] = {a.stt.x - 4, a.stt.y - 4, a.stt.x + 4, a.stt.y + 4};
    TzBereichDurchlaufen(r, [&](int id, const STT* s, const BEF* b) {
        if (a.gefunden || b->code < 50 || b->code > 57) return;
        if (std::fabs(s->x - a.stt.x) > 2.0 || std::fabs(s->y - a.stt.y) > 2.0) return;
        a.gefunden = 1;
        a.objekt = id;
        strkopie(atx.vorschlag, b->text, BMLABELSUP);
    });
}

// Takes the next row; a numeric label is advanced for the same item.
void AtxNaechste(uint32_t vorherId, bool warDa)
{
    const bool gleich = warDa && atx.q.anzahl > 0 && static_cast<uint32_t>(atx.q.zeilen[0].id) == vorherId;
    if (gleich && atx.vorschlag[0] && nurziffern(atx.vorschlag) && std::strlen(atx.vorschlag) < 9)
        std::snprintf(atx.vorschlag, sizeof atx.vorschlag, "%d", std::atoi(atx.vorschlag) + 1);
    else
        atx.vorschlag[0] = 0;
    if (atx.q.naechste()) AtxFuellen();
}

void AtxMelden(int n)
{
    char t[200];
    std::snprintf(t, sizeof t, "%s", TextNr3000(n));
    StatusMeldung(t);
}

}  // namespace

void AppTextRueckpunkt(const STT* s)
{
    atx.rueck = *s;
    atx.rueckDa = 1;
}

void AppTextAnlegen(uint32_t id, const char* code, int nr, const BEF* b, const STT* s)
{
    if (!AppAktiv()) return;
    AtxAnlegen();
    if (atx.q.voll()) {
        AtxMelden(46);
        return;
    }
    apptext a{};
    a.bef = *b;
    a.stt = *s;
    a.id = static_cast<int32_t>(id);
    strkopie(a.code, code, 3);
    a.nummer = nr;
    a.objekt = -1;
    atx.q.anhaengen(a);
    if (atx.fenster) {
        PostMessage(atx.fenster, WM_COMMAND, 2510, 0);
        return;
    }
    if (!atx.q.geladen) AtxNaechste(0, false);
    EdtBefehlPosten(1354);
}

long AppTextPacken(void* puffer) { return atx.q.packen(puffer); }

void AppTextEntpacken(const void* puffer)
{
    AtxAnlegen();
    const int vorher = atx.q.geladen;
    atx.q.entpacken(puffer);
    if (!vorher && atx.q.geladen) AppTextWartet();
    if (atx.fenster) PostMessage(atx.fenster, WM_COMMAND, 2506, 0);
}

int AppTextWartet()
{
    if (atx.q.anzahl == 0 && !atx.q.geladen) return 0;
    if (atx.fenster)
        SetForegroundWindow(atx.fenster);
    else
        EdtBefehlPosten(1354);
    return 1;
}

int AppTextAnzahl() { return atx.q.anzahl; }

int AppTextAktuell(char* vorschlag, size_t kap, int* gefunden)
{
    if (!atx.q.geladen) return -1;
    strkopie(vorschlag, kap, atx.vorschlag, BMLABELSUP);
    *gefunden = atx.q.aktuell.gefunden;
    return 0;
}

int AppTextBestaetigen(const char* eingabe)
{
    if (!atx.q.geladen) return -1;
    apptext a = atx.q.aktuell;
    char text[BMLABELSUP + 1];
    strkopie(text, eingabe, BMLABELSUP);
    strrtrim(text);
    strkopie(atx.letzter, text, BMLABELSUP);
    strkopie(atx.vorschlag, text, BMLABELSUP);
    const uint32_t id = static_cast<uint32_t>(a.id);
    BEF b = a.bef;
    BefTextSetzen(&b, text);
    BefGruppeHalten();  // until the _BMG below: the label and its item texts are one undo step
    if (a.gefunden) {
        TzErsetzen(a.objekt, &b, &a.stt);
    } else {
        appgeraet g;
        const int art = GesHolen(id, &g) == 0 ? g.n1 : 0;
        const auto ZtxTextNeu = ZtxAnfuegen;  // appends the text as the component's next line, returns it
        std::string ref;
        if (a.zflag) {
            char kurz[ZTXTEXTSUP + 1];
            strkopie(kurz, text, ZTXTEXTSUP);
            const int zeile = ZtxTextNeu(id, a.code, a.nummer, kurz);
            ZtxSortieren();
            ArtVerweisText(ref, id, "Z", zeile, a.code[0] ? a.code + 1 : "", a.nummer);
        } else if (!a.tflag && art >= 2 && art <= 4) {
            if (a.code[0] == 'H') {
                char kurz[ZTXTEXTSUP + 1];
                strkopie(kurz, text, ZTXTEXTSUP);
                const int zeile = ZtxTextNeu(id, a.code, a.nummer, kurz);
                ZtxSortieren();
                ArtVerweisText(ref, id, "Z", zeile, nullptr, 0);
            } else {
                appbteil e;
                if (BtlSuchen(id, a.code, a.nummer, &e)) {
                    strkopie(e.bs, text, BTLBSSUP);
                    BtlEintragAendern(id, a.code, a.nummer, &e);
                }
                GtxTextSetzen(id, a.code, a.nummer, 99, text);
                GtxSortieren();
                ArtVerweisText(ref, id, "U", 0, a.code, a.nummer);
            }
        }
        if (!ref.empty()) BefTextSetzen(&b, ref.c_str());
        AppGeaendert(id, 1);
        BefEinreihen(&b);
    }
    BefEinreihenCode(1);
    AtxNaechste(id, true);
    return 0;
}

void AppTextSchliessen(int sta)
{
    atx.q.anzahl = 0;
    atx.q.geladen = 0;
    atx.vorschlag[0] = 0;
    const STT* jetzt = BefAktZustand();
    if (jetzt->richtung != 0) {
        BEF b{};
        b.code = 12;  // _RIC
        b.iarg[0] = -jetzt->richtung;
        BefEinreihen(&b);
    }
    if (atx.rueckDa && (atx.rueck.x != 0 || atx.rueck.y != 0)) {
        BEF b{};
        b.code = 21;  // _BA
        b.darg[0] = atx.rueck.x;
        b.darg[1] = atx.rueck.y;
        BefEinreihen(&b);
    }
    if (sta) {
        BEF b{};
        b.code = 140;  // STA
        b.iarg[0] = 1;
        BefEinreihen(&b);
    }
}

void AtxZuruecksetzen()
{
    atx.q.frei();
    atx.fenster = 0;
    atx.vorschlag[0] = 0;
    atx.letzter[0] = 0;
    atx.rueckDa = 0;
}

// ---- Dialog DB1354 ------------------------------------------------------------------------------

namespace {

int atxSchliessen = 1;

void atxZeigen()
{
    DbFuellen f;
    wiTextSetzen(3000, atx.q.geladen ? atx.vorschlag : "");
    wiZahlSetzen(3200, atx.q.anzahl + (atx.q.geladen ? 1 : 0));
    BmdKnopf(2500, atx.q.geladen, "BUTTOK", "OKGRAU");
    BmdKnopf(2503, atx.q.geladen, "BUTTJUMP", "JUMPGRAU");
}

// After a confirmed row: closing when none is left, else the next row is
// shown; an existing label is confirmed by itself through _BML when asked.
void atxWeiter()
{
    atxZeigen();
    if (!atx.q.geladen) {
        if (atxSchliessen) wiDlgSchliessen();
        return;
    }
    if (wiKnopf(2504) && atx.q.aktuell.gefunden) BefEinreihenInt(76, 1);
}

void atxBestaetigen()
{
    if (!atx.q.geladen) return;
    AppTextBestaetigen(BmdFeldText(3000, BMLABELSUP).c_str());
    atxWeiter();
}

int atxInit(int, const char* const*)
{
    DbDlgAnfang(nullptr);
    atx.fenster = wiDlgFenster();
    AtxAnlegen();
    atxSchliessen = BmdSchliessenLesen();
    {
        DbFuellen f;
        wiTextSetzen(3000, "");
        wiKnopfSetzen(2505, 0);
    }
    if (!atx.q.geladen) AtxNaechste(0, false);
    atxZeigen();
    PostMessage(atx.fenster, WM_COMMAND, 2503, 0);
    return 0;
}

int atxExit()
{
    AppTextSchliessen(wiKnopf(2505));
    atx.fenster = 0;
    DbDlgEnde(nullptr);
    return 0;
}

int atxBefehl(UINT nachricht, WPARAM wp, LPARAM)
{
    if (nachricht != WM_COMMAND) return 0;
    switch (LOWORD(wp)) {
    case 1:
        if (!DbEnter() && atx.q.geladen) atxBestaetigen();
        return 1;
    case 2500: atxBestaetigen(); return 1;
    case 2:
        if (!atx.q.geladen && atxSchliessen)
            wiDlgSchliessen();
        else
            EdtFokus();
        return 1;
    case 2501: wiDlgSchliessen(); return 1;
    case 2503:
        if (atx.q.geladen)
            SttDifferenz(BefAktZustand(), &atx.q.aktuell.stt, [](const BEF* b) {
                BefEinreihen(b);
                return 0;
            });
        return 1;
    case 2506: atxZeigen(); return 1;
    case 2510:
        if (!atx.q.geladen) AtxNaechste(0, false);
        atxZeigen();
        return 1;
    default: return 0;
    }
}

}  // namespace

void DB1354Oeffnen()
{
    if (atx.fenster) {
        SetForegroundWindow(atx.fenster);
        return;
    }
    EdtDialogOeffnen("DB1354", atxInit, atxExit, atxBefehl);
}

int DB1354Offen() { return atx.fenster != 0 ? 1 : 0; }

void DB1354Weiter(int id)
{
    if (atx.fenster) PostMessage(atx.fenster, WM_COMMAND, static_cast<WPARAM>(id), 0);
}
