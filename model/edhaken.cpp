// Editor hooks with their stand-ins; see edhaken.h.
#include "model/edhaken.h"

#include <cmath>
#include <cstdarg>
#include <cstdio>

#include "model/geometri.h"
#include "model/tempzeic.h"
#include "support/dienst.h"

namespace {

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
    h.AppObjektNeu = [](const BEF*, const STT*) {};
    h.AppObjektGeloescht = [](const BEF*, const STT*) {};
    h.AppObjektGeaendert = [](int, const BEF*, const STT*, const BEF*, const STT*) {};
    h.AppAenderungErlaubt = [](const BEF*, const STT*) { return 1; };
    h.AppUndoSichern = [] { return 0; };
    h.AppWarteListeAbarbeiten = [] {};
    h.BMBefehlEnde = [] {};
    h.AppZustandHolen = [](int) {};
    h.AppZustandNachBefehl = [] {};
    h.PvwBefehl = [](int) {};
    h.AnsichtAusgabeSperren = [](int) {};
    h.AnsichtAusgabeFreigeben = [](int) {};
    h.AnsichtBereichNeuZeichnen = [](int, int, int, int) {};
    h.AnsichtNeuZeichnen = [] {};
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
    h.EditorSeiteWecken = [] {};
    h.EditorZustandNachfuehren = [](const BEF*, double, double) {};
    h.EditorZustandOffen = [] { return 0; };
    h.EditorZustandAuffrischen = [] {};
    h.EditorZustandSetzen = [](const STT* s) { *ehZustand() = *s; };
    h.EditorZustand = ehZustand;
    h.EditorZeiName = [] { return ""; };
    h.EditorTextSchalter = [] { return 0; };
    h.DateiZugriffErlaubt = [] { return 1; };
    h.StatusNachOeffnen = [] { return 0; };
    h.ZeichnungGeaendertMelden = [] {};
    h.KopfSammelnAnfang = [] {};
    h.KopfSatz = [](const BEF*) {};
    h.KopfSammelnEnde = [] {};
    h.KopfSchreiben = [](ZeiDatei*) { return 0; };
    h.LetztePunkteMerken = [](double, double) {};
    h.LetztesElementMerken = [](const BEF*) {};
    h.MakroAufzeichnen = [](const BEF*) {};
    h.MarkierungAufheben = ehMarkierungAufheben;
    h.MeldungNr = [](int, int) {};
    h.MeldungOffen = [] { return 0; };
    h.MflGenWieder = [](int) {};
    h.ObjektErsetzen = [](int id, const BEF* b, const STT* s) { TzErsetzen(id, b, s); };
    h.ObjZeichnen = [](const BEF*, const STT*, int) {};
    h.StatusMeldung = [](const char*) {};
    h.StatusText = [](const char*) {};
    h.TextSchritt = [](int) {};
    h.UndoRunGeaendert = [] { return 0; };
    h.ZeiFrageSpeichern = [] { return 1; };
    h.ZuletztGeoeffnet = [](int, char* aus, size_t kap) {
        if (kap) aus[0] = '\0';
    };
    h.DBDialogOeffnen = [](int) {};
    h.EditorUeberlagerung = [] {};
    return h;
}

EdHaken ehTabelle = ehStandard();

}  // namespace

const EdHaken& EdHakenTabelle() { return ehTabelle; }

void EdHakenSetzen(const EdHaken& h)
{
    using H = EdHaken;
    DienstUebernehmen(ehTabelle, h, ehTabelle, &H::AppObjektNeu, &H::AppObjektGeloescht, &H::AppObjektGeaendert,
                      &H::AppAenderungErlaubt, &H::AppUndoSichern, &H::AppWarteListeAbarbeiten, &H::BMBefehlEnde,
                      &H::AppZustandHolen, &H::AppZustandNachBefehl, &H::PvwBefehl, &H::AnsichtAusgabeSperren,
                      &H::AnsichtAusgabeFreigeben, &H::AnsichtBereichNeuZeichnen, &H::AnsichtNeuZeichnen,
                      &H::AnsichtPunktImFenster, &H::AnsichtPunktSichtbar, &H::AnsichtSichtbarHolen,
                      &H::AnsichtFenster, &H::WeltZuPixelX, &H::WeltZuPixelY, &H::CursorMarkeSetzen,
                      &H::RasterPunktZeichnen, &H::HintergrundZeichnen, &H::BtlPosVorhanden, &H::BefAusdehnung,
                      &H::BauDefObjMerken, &H::ObjPrimitivHook, &H::BauHistEintragen, &H::BefehlErlaubt,
                      &H::CursorObjBefehl, &H::CursorObjMarkiert, &H::EditorBefehlAnwenden, &H::EditorBefehlEnde,
                      &H::EditorNachRun, &H::EditorSeiteWecken, &H::EditorZustandNachfuehren, &H::EditorZustandOffen,
                      &H::EditorZustandAuffrischen, &H::EditorZustandSetzen, &H::EditorZustand, &H::EditorZeiName,
                      &H::EditorTextSchalter, &H::DateiZugriffErlaubt, &H::StatusNachOeffnen,
                      &H::ZeichnungGeaendertMelden, &H::KopfSammelnAnfang, &H::KopfSatz, &H::KopfSammelnEnde,
                      &H::KopfSchreiben, &H::LetztePunkteMerken, &H::LetztesElementMerken, &H::MakroAufzeichnen,
                      &H::MarkierungAufheben, &H::MeldungNr, &H::MeldungOffen, &H::MflGenWieder, &H::ObjektErsetzen,
                      &H::ObjZeichnen, &H::StatusMeldung, &H::StatusText, &H::TextSchritt, &H::UndoRunGeaendert,
                      &H::ZeiFrageSpeichern, &H::ZuletztGeoeffnet, &H::DBDialogOeffnen, &H::EditorUeberlagerung);
}

void EdHakenStandard()
{
    ehTabelle = ehStandard();
    SttInit(&ehStt, nullptr);
    ehSttBereit = true;
}

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
