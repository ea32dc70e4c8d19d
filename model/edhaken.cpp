// Editor hooks with their stand-ins; see edhaken.h.
#include "model/edhaken.h"

#include <cmath>
#include <cstdarg>
#include <cstdio>

#include "model/geometri.h"
#include "model/tempzeic.h"

namespace {

EdProtokoll ehProt;
STT ehStt;
bool ehSttBereit = false;

STT* ehZustand()
{
    if (!ehSttBereit) {
        SttInit(&ehStt, nullptr);
        ehSttBereit = true;
    }
    return &ehStt;
}

void ehMarkierungAufheben()
{
    for (int id = TzNaechstes(-1); id < TZENDE; id = TzNaechstes(id)) {
        if (TzMarkHolen(id)) TzMarkSetzen(id, 0);
    }
}

EdHaken ehStandard()
{
    EdHaken h;
    h.AppObjektNeu = [](const BEF* b, const STT*) { ehProt.appNeu.push_back(b->code); };
    h.AppObjektGeloescht = [](const BEF*, const STT*) {};
    h.AppObjektGeaendert = [](int, const BEF*, const STT*, const BEF*, const STT*) {};
    h.AppAenderungErlaubt = [](const BEF*, const STT*) { return 1; };
    h.AppUndoSichern = [] { return 0; };
    h.AppWarteListeAbarbeiten = [] {};
    h.BMBefehlEnde = [] {};
    h.AppZustandHolen = [](int slot) {
        if (slot >= 0 && slot < 30) ehProt.appSlots.push_back(slot);
    };
    h.AppZustandNachBefehl = [] {};
    h.PvwBefehl = [](int id) { ehProt.pvw.push_back(id); };
    h.AnsichtAusgabeSperren = [](int) {};
    h.AnsichtAusgabeFreigeben = [](int) {};
    h.AnsichtBereichNeuZeichnen = [](int x1, int y1, int x2, int y2) {
        ehProt.bereiche.push_back({x1, y1, x2, y2});
    };
    h.AnsichtNeuZeichnen = [] { ++ehProt.neuZeichnen; };
    h.AnsichtPunktImFenster = [](double, double) { return 1; };
    h.AnsichtPunktSichtbar = [](double, double) { return 1; };
    h.AnsichtSichtbarHolen = [](double* x1, double* y1, double* x2, double* y2) {
        *x1 = *y1 = *x2 = *y2 = 0;
    };
    h.AnsichtFenster = [](double, double, double, double) {};
    h.WeltZuPixelX = [](double x) { return static_cast<int>(std::trunc(x + 0.5)); };
    h.WeltZuPixelY = [](double y) { return static_cast<int>(std::trunc(-y + 0.5)); };
    h.CursorMarkeSetzen = [](double, double) {};
    h.RasterPunktZeichnen = [](double, double, int) {};
    h.HintergrundZeichnen = [] {};
    h.BtlPosVorhanden = [](const BEF*, const STT*) { return 0; };
    h.BefAusdehnung = BefAusdehnungRoh;
    h.BauDefObjMerken = [](int) {};
    h.ObjPrimitivHook = [](int, const BEF*, const STT*) {};
    h.BauHistEintragen = [](const BEF*, const STT*) {};
    h.BefehlErlaubt = [](const BEF*) { return 1; };
    h.CursorObjBefehl = [](const BEF*, const STT*) { return 0; };
    h.CursorObjMarkiert = [] { return 0; };
    h.EditorBefehlAnwenden = [](const BEF* b) { SttAnwenden(b, ehZustand()); };
    h.EditorBefehlEnde = [] {};
    h.EditorNachRun = [] {};
    h.EditorSeiteWecken = [] { ++ehProt.wecken; };
    h.EditorZustandNachfuehren = [](const BEF*, double, double) {};
    h.EditorZustandOffen = [] { return 0; };
    h.EditorZustandAuffrischen = [] {};
    h.EditorZustandSetzen = [](const STT* s) { *ehZustand() = *s; };
    h.EditorZustand = ehZustand;
    h.EditorZeiName = [] { return ehProt.zeiName.c_str(); };
    h.EditorTextSchalter = [] { return 0; };
    h.DateiZugriffErlaubt = [] { return ehProt.zugriff; };
    h.StatusNachOeffnen = [] { return 0; };
    h.ZeichnungGeaendertMelden = [] { ++ehProt.geaendertGemeldet; };
    h.KopfSammelnAnfang = [] { ++ehProt.kopfAnfang; };
    h.KopfSatz = [](const BEF* b) { ehProt.kopf.push_back(BefZuText(b)); };
    h.KopfSammelnEnde = [] { ++ehProt.kopfEnde; };
    h.KopfSchreiben = [](ZeiDatei*) { return 0; };
    h.LetztePunkteMerken = [](double, double) {};
    h.LetztesElementMerken = [](const BEF*) {};
    h.MakroAufzeichnen = [](const BEF*) {};
    h.MarkierungAufheben = ehMarkierungAufheben;
    h.MeldungNr = [](int n, int) { ehProt.meldungen.push_back(n); };
    h.MeldungOffen = [] { return ehProt.meldungOffen; };
    h.MflGenWieder = [](int slot) {
        if (slot >= 0 && slot < 30) ehProt.mflSlots.push_back(slot);
    };
    h.ObjektErsetzen = [](int id, const BEF* b, const STT* s) { TzErsetzen(id, b, s); };
    h.ObjZeichnen = [](const BEF* b, const STT*, int m) { ehProt.gemalt.push_back({b->code, b->text, m, b->darg[0]}); };
    h.StatusMeldung = [](const char* t) { ehProt.status.emplace_back(t); };
    h.StatusText = [](const char* t) { ehProt.status.emplace_back(t); };
    h.TextSchritt = [](int) {};
    h.UndoRunGeaendert = [] { return 0; };
    h.ZeiFrageSpeichern = [] { return ehProt.frageSpeichern; };
    h.ZuletztGeoeffnet = [](int, char* aus, size_t kap) {
        if (kap) aus[0] = '\0';
    };
    h.DBDialogOeffnen = [](int) { ++ehProt.dialoge; };
    h.EditorUeberlagerung = [] {};
    return h;
}

EdHaken ehTabelle = ehStandard();

template <typename T> void ehUebernehmen(T& ziel, T quelle)
{
    if (quelle) ziel = quelle;
}

}  // namespace

const EdHaken& EdHakenTabelle() { return ehTabelle; }

void EdHakenSetzen(const EdHaken& h)
{
    ehUebernehmen(ehTabelle.AppObjektNeu, h.AppObjektNeu);
    ehUebernehmen(ehTabelle.AppObjektGeloescht, h.AppObjektGeloescht);
    ehUebernehmen(ehTabelle.AppObjektGeaendert, h.AppObjektGeaendert);
    ehUebernehmen(ehTabelle.AppAenderungErlaubt, h.AppAenderungErlaubt);
    ehUebernehmen(ehTabelle.AppUndoSichern, h.AppUndoSichern);
    ehUebernehmen(ehTabelle.AppWarteListeAbarbeiten, h.AppWarteListeAbarbeiten);
    ehUebernehmen(ehTabelle.BMBefehlEnde, h.BMBefehlEnde);
    ehUebernehmen(ehTabelle.AppZustandHolen, h.AppZustandHolen);
    ehUebernehmen(ehTabelle.AppZustandNachBefehl, h.AppZustandNachBefehl);
    ehUebernehmen(ehTabelle.PvwBefehl, h.PvwBefehl);
    ehUebernehmen(ehTabelle.AnsichtAusgabeSperren, h.AnsichtAusgabeSperren);
    ehUebernehmen(ehTabelle.AnsichtAusgabeFreigeben, h.AnsichtAusgabeFreigeben);
    ehUebernehmen(ehTabelle.AnsichtBereichNeuZeichnen, h.AnsichtBereichNeuZeichnen);
    ehUebernehmen(ehTabelle.AnsichtNeuZeichnen, h.AnsichtNeuZeichnen);
    ehUebernehmen(ehTabelle.AnsichtPunktImFenster, h.AnsichtPunktImFenster);
    ehUebernehmen(ehTabelle.AnsichtPunktSichtbar, h.AnsichtPunktSichtbar);
    ehUebernehmen(ehTabelle.AnsichtSichtbarHolen, h.AnsichtSichtbarHolen);
    ehUebernehmen(ehTabelle.AnsichtFenster, h.AnsichtFenster);
    ehUebernehmen(ehTabelle.WeltZuPixelX, h.WeltZuPixelX);
    ehUebernehmen(ehTabelle.WeltZuPixelY, h.WeltZuPixelY);
    ehUebernehmen(ehTabelle.CursorMarkeSetzen, h.CursorMarkeSetzen);
    ehUebernehmen(ehTabelle.RasterPunktZeichnen, h.RasterPunktZeichnen);
    ehUebernehmen(ehTabelle.HintergrundZeichnen, h.HintergrundZeichnen);
    ehUebernehmen(ehTabelle.BtlPosVorhanden, h.BtlPosVorhanden);
    ehUebernehmen(ehTabelle.BefAusdehnung, h.BefAusdehnung);
    ehUebernehmen(ehTabelle.BauDefObjMerken, h.BauDefObjMerken);
    ehUebernehmen(ehTabelle.ObjPrimitivHook, h.ObjPrimitivHook);
    ehUebernehmen(ehTabelle.BauHistEintragen, h.BauHistEintragen);
    ehUebernehmen(ehTabelle.BefehlErlaubt, h.BefehlErlaubt);
    ehUebernehmen(ehTabelle.CursorObjBefehl, h.CursorObjBefehl);
    ehUebernehmen(ehTabelle.CursorObjMarkiert, h.CursorObjMarkiert);
    ehUebernehmen(ehTabelle.EditorBefehlAnwenden, h.EditorBefehlAnwenden);
    ehUebernehmen(ehTabelle.EditorBefehlEnde, h.EditorBefehlEnde);
    ehUebernehmen(ehTabelle.EditorNachRun, h.EditorNachRun);
    ehUebernehmen(ehTabelle.EditorSeiteWecken, h.EditorSeiteWecken);
    ehUebernehmen(ehTabelle.EditorZustandNachfuehren, h.EditorZustandNachfuehren);
    ehUebernehmen(ehTabelle.EditorZustandOffen, h.EditorZustandOffen);
    ehUebernehmen(ehTabelle.EditorZustandAuffrischen, h.EditorZustandAuffrischen);
    ehUebernehmen(ehTabelle.EditorZustandSetzen, h.EditorZustandSetzen);
    ehUebernehmen(ehTabelle.EditorZustand, h.EditorZustand);
    ehUebernehmen(ehTabelle.EditorZeiName, h.EditorZeiName);
    ehUebernehmen(ehTabelle.EditorTextSchalter, h.EditorTextSchalter);
    ehUebernehmen(ehTabelle.DateiZugriffErlaubt, h.DateiZugriffErlaubt);
    ehUebernehmen(ehTabelle.StatusNachOeffnen, h.StatusNachOeffnen);
    ehUebernehmen(ehTabelle.ZeichnungGeaendertMelden, h.ZeichnungGeaendertMelden);
    ehUebernehmen(ehTabelle.KopfSammelnAnfang, h.KopfSammelnAnfang);
    ehUebernehmen(ehTabelle.KopfSatz, h.KopfSatz);
    ehUebernehmen(ehTabelle.KopfSammelnEnde, h.KopfSammelnEnde);
    ehUebernehmen(ehTabelle.KopfSchreiben, h.KopfSchreiben);
    ehUebernehmen(ehTabelle.LetztePunkteMerken, h.LetztePunkteMerken);
    ehUebernehmen(ehTabelle.LetztesElementMerken, h.LetztesElementMerken);
    ehUebernehmen(ehTabelle.MakroAufzeichnen, h.MakroAufzeichnen);
    ehUebernehmen(ehTabelle.MarkierungAufheben, h.MarkierungAufheben);
    ehUebernehmen(ehTabelle.MeldungNr, h.MeldungNr);
    ehUebernehmen(ehTabelle.MeldungOffen, h.MeldungOffen);
    ehUebernehmen(ehTabelle.MflGenWieder, h.MflGenWieder);
    ehUebernehmen(ehTabelle.ObjektErsetzen, h.ObjektErsetzen);
    ehUebernehmen(ehTabelle.ObjZeichnen, h.ObjZeichnen);
    ehUebernehmen(ehTabelle.StatusMeldung, h.StatusMeldung);
    ehUebernehmen(ehTabelle.StatusText, h.StatusText);
    ehUebernehmen(ehTabelle.TextSchritt, h.TextSchritt);
    ehUebernehmen(ehTabelle.UndoRunGeaendert, h.UndoRunGeaendert);
    ehUebernehmen(ehTabelle.ZeiFrageSpeichern, h.ZeiFrageSpeichern);
    ehUebernehmen(ehTabelle.ZuletztGeoeffnet, h.ZuletztGeoeffnet);
    ehUebernehmen(ehTabelle.DBDialogOeffnen, h.DBDialogOeffnen);
    ehUebernehmen(ehTabelle.EditorUeberlagerung, h.EditorUeberlagerung);
}

void EdHakenStandard()
{
    ehTabelle = ehStandard();
    ehProt = EdProtokoll();
    SttInit(&ehStt, nullptr);
    ehSttBereit = true;
}

EdProtokoll& EdProtokollHolen() { return ehProt; }

#define EH_V(name, params, args) \
    void name params { ehTabelle.name args; }
#define EH_R(typ, name, params, args) \
    typ name params { return ehTabelle.name args; }

namespace modh {

EH_V(AppObjektNeu, (const BEF* b, const STT* s), (b, s))
EH_V(AppObjektGeloescht, (const BEF* b, const STT* s), (b, s))
EH_V(AppObjektGeaendert, (int id, const BEF* ab, const STT* as, const BEF* nb, const STT* ns), (id, ab, as, nb, ns))
int TzAenderbarPruefen(const BEF* b, const STT* s) { return ehTabelle.AppAenderungErlaubt(b, s); }
EH_R(int, AppUndoSichern, (), ())
EH_V(AppWarteListeAbarbeiten, (), ())
EH_V(BMBefehlEnde, (), ())
EH_V(AppZustandHolen, (int slot), (slot))
EH_V(AppZustandNachBefehl, (), ())
EH_V(PvwBefehl, (int id), (id))
EH_V(AnsichtAusgabeSperren, (int f), (f))
EH_V(AnsichtAusgabeFreigeben, (int f), (f))
EH_V(AnsichtBereichNeuZeichnen, (int x1, int y1, int x2, int y2), (x1, y1, x2, y2))
EH_V(AnsichtNeuZeichnen, (), ())
EH_R(int, AnsichtPunktImFenster, (double x, double y), (x, y))
EH_R(int, AnsichtPunktSichtbar, (double x, double y), (x, y))
EH_V(AnsichtSichtbarHolen, (double* x1, double* y1, double* x2, double* y2), (x1, y1, x2, y2))
EH_V(AnsichtFenster, (double x1, double y1, double x2, double y2), (x1, y1, x2, y2))
EH_R(int, WeltZuPixelX, (double x), (x))
EH_R(int, WeltZuPixelY, (double y), (y))
EH_V(CursorMarkeSetzen, (double x, double y), (x, y))
EH_V(RasterPunktZeichnen, (double x, double y, int stift), (x, y, stift))
EH_V(HintergrundZeichnen, (), ())
EH_R(int, BtlPosVorhanden, (const BEF* b, const STT* s), (b, s))
EH_V(BefAusdehnung, (const BEF* b, const STT* s, double box[4], STT* nachher), (b, s, box, nachher))
EH_V(BauDefObjMerken, (int id), (id))
EH_V(ObjPrimitivHook, (int id, const BEF* b, const STT* s), (id, b, s))
EH_V(BauHistEintragen, (const BEF* b, const STT* s), (b, s))
EH_R(int, BefehlErlaubt, (const BEF* b), (b))
EH_R(int, CursorObjBefehl, (const BEF* b, const STT* s), (b, s))
EH_R(int, CursorObjMarkiert, (), ())
EH_V(EditorBefehlAnwenden, (const BEF* b), (b))
EH_V(EditorBefehlEnde, (), ())
EH_V(EditorNachRun, (), ())
EH_V(EditorSeiteWecken, (), ())
EH_V(EditorZustandNachfuehren, (const BEF* b, double x, double y), (b, x, y))
EH_R(int, EditorZustandOffen, (), ())
EH_V(EditorZustandAuffrischen, (), ())
EH_V(EditorZustandSetzen, (const STT* s), (s))
EH_R(STT*, EditorZustand, (), ())
EH_R(const char*, EditorZeiName, (), ())
EH_R(int, EditorTextSchalter, (), ())
EH_R(int, DateiZugriffErlaubt, (), ())
EH_R(int, StatusNachOeffnen, (), ())
EH_V(ZeichnungGeaendertMelden, (), ())
EH_V(KopfSammelnAnfang, (), ())
EH_V(KopfSatz, (const BEF* b), (b))
EH_V(KopfSammelnEnde, (), ())
EH_R(int, KopfSchreiben, (ZeiDatei * z), (z))
EH_V(LetztePunkteMerken, (double x, double y), (x, y))
EH_V(LetztesElementMerken, (const BEF* b), (b))
EH_V(MakroAufzeichnen, (const BEF* b), (b))
EH_V(MarkierungAufheben, (), ())
EH_V(MeldungNr, (int n, int warnung), (n, warnung))
EH_R(int, MeldungOffen, (), ())
EH_V(MflGenWieder, (int slot), (slot))
EH_V(ObjektErsetzen, (int id, const BEF* b, const STT* s), (id, b, s))
EH_V(ObjZeichnen, (const BEF* b, const STT* s, int markiert), (b, s, markiert))
EH_V(StatusMeldung, (const char* text), (text))
EH_V(TextSchritt, (int n), (n))
EH_R(int, UndoRunGeaendert, (), ())
EH_R(int, ZeiFrageSpeichern, (), ())
EH_V(ZuletztGeoeffnet, (int n, char* aus, size_t kap), (n, aus, kap))
EH_V(DBDialogOeffnen, (int n), (n))
EH_V(EditorUeberlagerung, (), ())

void StatusTextf(const char* format, ...)
{
    char text[512];
    va_list a;
    va_start(a, format);
    vsnprintf(text, sizeof text, format, a);
    va_end(a);
    ehTabelle.StatusText(text);
}

}  // namespace modh
