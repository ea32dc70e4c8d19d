// Command queue and command processing; see beffifo.h. Prefix `Bef`.
//
// Undo grouping across runs (the transitions):
//  - a non-neutral record closes a pending group (BefehlAbarbDrain);
//  - a `ZL` not collinear with the first `ZL` of the last line run closes
//    an open line group; any other record closes it (BefehlAbarbDrain);
//  - a run that changed the drawing: only neutral records -> pending close;
//    a run of `ZL` lines only -> line group open; else closed now
//    (BefehlAbarbStop).
#include "model/beffifo.h"

#include <cstdarg>
#include <cmath>
#include <cstring>
#include <string>

#include "config/konfhaken.h"
#include "config/reaktion.h"
#include "model/bauteil.h"
#include "model/edhaken.h"
#include "model/einstell.h"
#include "model/geometri.h"
#include "model/justage.h"
#include "model/tempzeic.h"
#include "model/undo.h"
#include "model/zerleg.h"
#include "support/basis.h"
#include "support/speicher.h"

using namespace modh;  // the model's calls through its service tables

namespace {

constexpr int BEF_UDB = 199;

BEF* beffifo = nullptr;
int befKopf = 0;  // index of the oldest record: taking one is O(1)
int befAnzahl = 0;

// Processing state.
int befTiefe = 0;
int befUndoAus = 0;
int befLaufNeutral = -1;
int befSchliessenOffen = 0;
// An assignment applied by a dialog runs several commands (its texts one by
// one) and then queues _BMG: until that ran they stay one undo step.
int befGehalten = 0;
int befGehaltenGeaendert = 0;
int befLinienLauf = -1;
int befLinienGruppe = 0;
BEF befErsterZL;
STT befStartStt;
std::string befStartName;
int befGeneration = 1;
int befLinienVerbinden = 1;

// State ring.
struct ZustandSlot {
    int32_t generation;
    STT stt;
};
ZustandSlot befRing[ZUSTANDSUP];
int befRingIndex = -1;
int befRingGen = 0;

void befSpur(const char* format, const BEF* b)
{
    if (!TestOption('B')) return;
    if (b) {
        wiDebug(format, BefZuText(b).c_str());
    } else {
        wiDebug("%s", format);
    }
}

int befCode(const char* m) { return BefCode(m); }

void befNeu(BEF* b, int code)
{
    std::memset(b, 0, sizeof *b);
    b->code = static_cast<uint8_t>(code);
}


// Line merge: the last object is a `ZL` that the new line continues.
int befLinieVerbinden(const BEF* b, const STT* vor)
{
    if (!befLinienVerbinden || TzAnzahl() == 0) return 0;
    int letzt = TzVorheriges(TZENDE);
    BEF l;
    STT ls, nach;
    double box[4];
    if (TzObjHolenGanz(letzt, &l, &ls, &nach, box) != 0 || l.code != BEF_ZL) return 0;
    if (vor->st != nach.st || vor->sa != nach.sa || vor->sl != nach.sl || vor->mass != nach.mass ||
        vor->richtung != nach.richtung || vor->layer != nach.layer)
        return 0;
    if (!IstNull(vor->x - nach.x) || !IstNull(vor->y - nach.y)) return 0;
    if (!Kollinear(0, 0, l.darg[0], l.darg[1], b->darg[0], b->darg[1])) return 0;
    double sx = l.darg[0] + b->darg[0], sy = l.darg[1] + b->darg[1];
    if (IstNull(sx) && IstNull(sy)) {
        TzLoeschen(letzt);
    } else {
        l.darg[0] = sx;
        l.darg[1] = sy;
        TzErsetzen(letzt, &l, &ls);
    }
    return 1;
}

// Component replacement of a marked reference; 1 when it replaced.
int befBauteilErsetzen(const BEF* b, const STT* vor)
{
    if (TzMarkAnzahl() == 0) return 0;  // nothing marked: no walk over the drawing
    int ziel = -1;
    for (int id = TzNaechstes(-1); id < TZENDE; id = TzNaechstes(id)) {
        if (TzMarkHolen(id) == 0) continue;
        BEF m;
        STT ms;
        if (TzObjHolen(id, &m, &ms) != 0) continue;
        if (BefIstText(m.code)) continue;
        if (!BefIstZB(m.code) || ziel >= 0) return 0;
        if (std::fabs(ms.x - vor->x) > 2.0 || std::fabs(ms.y - vor->y) > 2.0) return 0;
        ziel = id;
    }
    if (ziel < 0) return 0;
    BEF m;
    STT ms;
    TzObjHolen(ziel, &m, &ms);
    if (BauAequivalent(b->text, m.text)) {
        ObjektErsetzen(ziel, b, vor);
        return 1;
    }
    MarkierungAufheben();
    return 0;
}

int befAusfuehren(const BEF* b, const STT* vor)
{
    if (!BefIstObjekt(b->code)) return 1;
    if (BefIstZBRH(b->code)) BauHistEintragen(b, vor);
    if (CursorObjMarkiert()) return CursorObjBefehl(b, vor);
    if (BefIstZB(b->code)) {
        if (BtlPosVorhanden(b, vor)) {
            StatusTextf(TextNr(86), b->text, vor->x, vor->y);
            return 0;
        }
        if (befBauteilErsetzen(b, vor)) return 1;
        return TzEinfuegen(b, vor) >= 0 ? 1 : 0;
    }
    if (b->code == BEF_ZL && befLinieVerbinden(b, vor)) return 1;
    return TzEinfuegen(b, vor) >= 0 ? 1 : 0;
}

void befGruppierung(const BEF* b)
{
    if (befUndoAus) return;
    if (!BefNeutral(b->code)) {
        befLaufNeutral = 0;
        if (befSchliessenOffen && !befGehalten) {
            BefGruppeSchliessen();
            befSchliessenOffen = 0;
        }
    } else if (befLaufNeutral == -1) {
        befLaufNeutral = 1;
    }
    if (b->code == BEF_ZL) {
        if (befLinienGruppe &&
            !Kollinear(0, 0, befErsterZL.darg[0], befErsterZL.darg[1], b->darg[0], b->darg[1])) {
            BefGruppeSchliessen();
            befLinienGruppe = 0;
        }
        if (befLinienLauf == -1) {
            befLinienLauf = 1;
            befErsterZL = *b;
        }
    } else {
        befLinienLauf = 0;
        if (befLinienGruppe) {
            BefGruppeSchliessen();
            befLinienGruppe = 0;
        }
    }
}

bool befLetztesElement(int code)
{
    return (code >= 62 && code <= 65) || code == 67 || code == 68 || code == 87 || code == 88 || code == 101 ||
           BefIstZB(code);
}

void befDrain(bool interaktiv)
{
    // Looked up once: the table of codes is fixed.
    static const int codeBMG = befCode("_BMG"), codeBA = befCode("_BA");
    while (befAnzahl > 0) {
        if (interaktiv && MeldungOffen()) break;
        BEF b;
        BefVorne(&b);
        BefEntfernen();
        befGruppierung(&b);
        if (b.code == codeBMG) befGehalten = 0;
        if (b.code == BEF_UDB) befUndoAus = b.iarg[0];
        if (b.code == 0 || !BefehlErlaubt(&b)) continue;
        STT* ed = EditorZustand();
        if (interaktiv) {
            if (befLetztesElement(b.code)) LetztesElementMerken(&b);
            if (b.code == codeBA) {
                BEF bw;
                befNeu(&bw, befCode("BW"));
                double m = ed->mass != 0 ? ed->mass : 1.0;
                bw.darg[0] = (b.darg[0] - ed->x) / m;
                bw.darg[1] = (b.darg[1] - ed->y) / m;
                MakroAufzeichnen(&bw);
            } else {
                MakroAufzeichnen(&b);
            }
        }
        STT vor = *ed;
        double px = ed->x, py = ed->y;
        EditorBefehlAnwenden(&b);
        ed = EditorZustand();
        if (interaktiv && BefIstObjekt(b.code)) {
            LetztePunkteMerken(px, py);
            LetztePunkteMerken(ed->x, ed->y);
        }
        if (BefIstText(b.code) && EditorTextSchalter()) TextSchritt(0);
        EditorZustandNachfuehren(&b, ed->x, ed->y);
        befAusfuehren(&b, &vor);
        if (befAnzahl == 0) EditorBefehlEnde();
    }
}

void befNeuZeichnenLauf()
{
    double bereich[4] = {0, 0, 0, 0};
    bool hat = false, alles = false;
    int id;
    double box[4];
    for (;;) {
        int a = TzZeichnenHolen(&id, box);
        if (a == 0) break;
        if (a == 3) {
            alles = true;
            continue;
        }
        if (a == 1 && TzObjHolenGanz(id, nullptr, nullptr, nullptr, box) != 0) continue;
        if (!hat) {
            std::memcpy(bereich, box, sizeof bereich);
            hat = true;
        } else {
            RechteckVereinigen(bereich, box);
        }
    }
    if (alles) {
        ZeiNeuZeichnen();
    } else if (hat) {
        ZeiBereichNeuZeichnen(bereich[0], bereich[1], bereich[2], bereich[3]);
    }
    if (EditorZustandOffen()) EditorZustandAuffrischen();
    ZeichnungGeaendertMelden();
}

void befDateiDialog(int speichern, int titel, const char* vorgabe, char* pfad, int groesse, int* ok)
{
    snprintf(pfad, static_cast<size_t>(groesse), "%s", vorgabe);
    *ok = konfHaken().dateiDialog(speichern, TextNr(titel), TextNr(30), pfad, groesse);
}

void befZeile(const char* mnemonik, int i, const char* text)
{
    BEF b;
    befNeu(&b, befCode(mnemonik));
    b.iarg[0] = i;
    if (text) BefTextSetzen(&b, text);
    BefEinreihen(&b);
}

// Save as, once the question was answered.
void befSpeichernUnter()
{
    if (!DateiZugriffErlaubt()) {
        StatusMeldung(TextNr(306));
        return;
    }
    const char* name = EditorZeiName();
    char pfad[BEFTEXTSUP + 1];
    int ok;
    befDateiDialog(1, 32, name[0] ? name : TextNr(15), pfad, sizeof pfad, &ok);
    if (ok) befZeile("SZ", 0, pfad);
}

}  // namespace

// ---- queue

void BefQueueInit()
{
    if (!beffifo) beffifo = static_cast<BEF*>(fmalloc(BEFSUP, sizeof(BEF)));
    if (!beffifo) wiAssert("beffifo", __LINE__, "(beffifo=fmalloc(BEFSUP,sizeof(BEF))) != NULL");
    befKopf = befAnzahl = 0;
}

void BefQueueFrei()
{
    if (beffifo) ffree(beffifo);
    beffifo = nullptr;
    befKopf = befAnzahl = 0;
}

// Appends behind the newest record; the records move to the front only
// when the end of the block is reached, so each moves once per pass.
static void befAnhaengen(const BEF* b)
{
    if (befKopf + befAnzahl >= BEFSUP) {
        std::memmove(beffifo, beffifo + befKopf, static_cast<size_t>(befAnzahl) * sizeof(BEF));
        befKopf = 0;
    }
    beffifo[befKopf + befAnzahl++] = *b;
}

void BefEinreihenStill(const BEF* b)
{
    if (!beffifo) return;
    if (befAnzahl >= BEFSUP) {
        befSpur("bf!  %s\n", b);  // dropped: the queue is full
        return;
    }
    befAnhaengen(b);
    befSpur("bf+  %s\n", b);
}

void BefEinreihen(const BEF* b)
{
    if (!beffifo) return;
    if (befAnzahl >= BEFSUP) {
        befSpur("bf!  %s\n", b);
        return;
    }
    befAnhaengen(b);
    befSpur("bf++ %s\n", b);
    if (befAnzahl == 1) EditorSeiteWecken();
}

void BefVorne(BEF* b)
{
    if (!beffifo || befAnzahl == 0) {
        std::memset(b, 0, sizeof *b);
        return;
    }
    *b = beffifo[befKopf];
    befSpur("bf-  %s\n", b);
}

void BefEntfernen()
{
    if (!beffifo || befAnzahl == 0) return;
    ++befKopf;
    if (--befAnzahl == 0) befKopf = 0;
    befSpur("bf--\n", nullptr);
}

void BefLeeren() { befKopf = befAnzahl = 0; }
int BefAnzahl() { return befAnzahl; }

// ---- builders

void BefEinreihenCode(int code)
{
    BEF b;
    befNeu(&b, code);
    BefEinreihen(&b);
}
void BefEinreihenText(int code, const char* text)
{
    BEF b;
    befNeu(&b, code);
    BefTextSetzen(&b, text);
    BefEinreihen(&b);
}
void BefEinreihenIntText(int code, int i, const char* text)
{
    BEF b;
    befNeu(&b, code);
    b.iarg[0] = i;
    BefTextSetzen(&b, text);
    BefEinreihen(&b);
}
void BefEinreihenInt(int code, int i) { BefEinreihenInt3(code, i, 0, 0); }
void BefEinreihenInt2(int code, int i, int j) { BefEinreihenInt3(code, i, j, 0); }
void BefEinreihenInt3(int code, int i, int j, int k)
{
    BEF b;
    befNeu(&b, code);
    b.iarg[0] = i;
    b.iarg[1] = j;
    b.iarg[2] = k;
    BefEinreihen(&b);
}
void BefEinreihenReal(int code, double d) { BefEinreihenXYXY(code, d, 0, 0, 0); }
void BefEinreihenXY(int code, double x, double y) { BefEinreihenXYXY(code, x, y, 0, 0); }
void BefEinreihenXYXY(int code, double x1, double y1, double x2, double y2)
{
    BEF b;
    befNeu(&b, code);
    b.darg[0] = x1;
    b.darg[1] = y1;
    b.darg[2] = x2;
    b.darg[3] = y2;
    BefEinreihen(&b);
}
void BefEinreihenIntReal(int code, int i, double d) { BefEinreihenIntXY(code, i, d, 0); }
void BefEinreihenIntXY(int code, int i, double x, double y)
{
    BEF b;
    befNeu(&b, code);
    b.iarg[0] = i;
    b.darg[0] = x;
    b.darg[1] = y;
    BefEinreihen(&b);
}
void BefEinreihenZeile(const char* zeile)
{
    BEF b;
    if (TextZuBef(&b, zeile) != 0 || b.code == 0) return;
    BefEinreihen(&b);
}

// ---- processing

void BefehlAbarbStart()
{
    if (++befTiefe != 1) return;
    befStartStt = *EditorZustand();
    befStartName = EditorZeiName();
    AnsichtAusgabeSperren(0);
    AnsichtAusgabeFreigeben(0);
    befLaufNeutral = -1;
    befLinienLauf = -1;
    TzLaufBeginn();
}

void BefehlAbarbStop()
{
    if (befTiefe <= 0 || --befTiefe != 0) return;
    const STT* ed = EditorZustand();
    if (ed->x != befStartStt.x || ed->y != befStartStt.y || befStartName != EditorZeiName()) {
        CursorMarkeSetzen(ed->x, ed->y);
        if (!AnsichtPunktSichtbar(ed->x, ed->y)) {
            BEF l;
            befNeu(&l, befCode("LUP"));
            l.iarg[0] = -1;
            BefEinreihen(&l);
        }
    }
    befNeuZeichnenLauf();
    AppZustandNachBefehl();
    SttMassstabNormieren(EditorZustand());
    AppWarteListeAbarbeiten();
    BMBefehlEnde();
    if (!befUndoAus) {
        int editor = UndoRunGeaendert();
        int app = AppUndoSichern();
        int journal = UndoGeaendert(1);
        if (befGehalten) {
            if (editor || app || journal) {
                ZustandMerken(journal);
                befGehaltenGeaendert = 1;
            }
        } else if (editor || app || journal || befGehaltenGeaendert) {
            befGehaltenGeaendert = 0;
            ZustandMerken(journal);
            if (befLaufNeutral == 1) {
                befSchliessenOffen = 1;
            } else if (befLinienLauf != 1) {
                BefGruppeSchliessen();
            } else {
                befLinienGruppe = 1;
            }
        }
        UndoUeberlaufPruefen();
    }
    AnsichtAusgabeSperren(1);
    AnsichtAusgabeFreigeben(1);
}

void BefAbarbeiten()
{
    if (MeldungOffen()) return;
    BefehlAbarbStart();
    befDrain(true);
    BefehlAbarbStop();
}

void BefSofort(const BEF* b)
{
    BefEinreihenStill(b);
    BefehlAbarbStart();
    befDrain(false);
    BefehlAbarbStop();
}

int BefGeneration() { return befGeneration; }

void BefGruppeHalten() { befGehalten = 1; }

void BefGruppeSchliessen() { befGeneration = befGeneration >= BEFGENSUP ? 1 : befGeneration + 1; }

int ZustandMerken(int erzwingen)
{
    if (!erzwingen && befRingIndex >= 0) return 0;
    if (befGeneration != befRingGen || befRingIndex < 0) {
        int alt = befRingIndex;
        int altgen = befRingGen;
        befRingIndex = (befRingIndex + 1) % ZUSTANDSUP;
        befRing[befRingIndex].generation = befGeneration;
        befRing[befRingIndex].stt = *EditorZustand();
        befRingGen = befGeneration;
        UndoSttMerken(static_cast<uint32_t>(altgen), static_cast<uint32_t>(befGeneration), alt, befRingIndex);
    } else {
        befRing[befRingIndex].stt = *EditorZustand();
    }
    return 1;
}

void ZustandHolen(int index)
{
    if (index < 0 || index >= ZUSTANDSUP) return;
    befRingIndex = index;
    EditorZustandSetzen(&befRing[index].stt);
}

void LinienVerbindenAus() { befLinienVerbinden = 0; }
void LinienVerbindenEin() { befLinienVerbinden = 1; }

void BefZuruecksetzen()
{
    befKopf = befAnzahl = 0;
    befTiefe = 0;
    befUndoAus = 0;
    befLaufNeutral = -1;
    befSchliessenOffen = 0;
    befGehalten = befGehaltenGeaendert = 0;
    befLinienLauf = -1;
    befLinienGruppe = 0;
    std::memset(&befErsterZL, 0, sizeof befErsterZL);
    befGeneration = 1;
    befLinienVerbinden = 1;
    befRingIndex = -1;
    befRingGen = 0;
}

// ---- file commands

void ZeiGezogenOeffnen(const char* name)
{
    if (!ZeiFrageSpeichern()) return;
    if (!DateiZugriffErlaubt()) {
        StatusMeldung(TextNr(306));
        return;
    }
    BefEinreihenCode(befCode("_LAO"));
    befZeile("ZZ", 1, name);
    if (StatusNachOeffnen()) BefEinreihenCode(befCode("STA"));
}

void BefDateiOeffnenProjekt(const char* name, int imProjekt)
{
    if (!ZeiFrageSpeichern()) return;
    if (!imProjekt) {
        BefEinreihenCode(befCode("_LAO"));
        befZeile("ZZ", 1, name);
    } else {
        befZeile("ZO", 0, name);
    }
    if (StatusNachOeffnen()) BefEinreihenCode(befCode("STA"));
}

void BefDateiNeu()
{
    if (!ZeiFrageSpeichern()) return;
    if (!DateiZugriffErlaubt()) {
        PvwBefehl(1800);
        return;
    }
    const STT* ed = EditorZustand();
    BefEinreihenCode(befCode("_LAO"));
    befZeile("BD", 0, ed->bd);
    befZeile("TD", 0, ed->td);
}

void BefDateiNeuVorlage()
{
    if (!ZeiFrageSpeichern()) return;
    if (!DateiZugriffErlaubt()) {
        PvwBefehl(1800);
        return;
    }
    char pfad[BEFTEXTSUP + 1];
    int ok;
    befDateiDialog(0, 35, TextNr(15), pfad, sizeof pfad, &ok);
    if (!ok) return;
    const STT* ed = EditorZustand();
    BefEinreihenCode(befCode("_LAO"));
    befZeile("BD", 0, ed->bd);
    befZeile("TD", 0, ed->td);
    befZeile("ZV", 0, pfad);
}

void BefDateiOeffnenDialog()
{
    if (!ZeiFrageSpeichern()) return;
    if (!DateiZugriffErlaubt()) {
        DBDialogOeffnen(1012);
        return;
    }
    char pfad[BEFTEXTSUP + 1];
    int ok;
    befDateiDialog(0, 31, TextNr(15), pfad, sizeof pfad, &ok);
    if (!ok) return;
    BefEinreihenCode(befCode("_LAO"));
    befZeile("ZZ", 1, pfad);
    if (StatusNachOeffnen()) BefEinreihenCode(befCode("STA"));
}

void BefDateiLetzte(int n, int imProjekt)
{
    char name[BEFTEXTSUP + 1] = "";
    ZuletztGeoeffnet(n, name, sizeof name);
    if (!name[0]) return;
    BefDateiOeffnenProjekt(name, imProjekt);
}

void BefDateiEinfuegen()
{
    if (!ZeiFrageSpeichern()) return;
    char pfad[BEFTEXTSUP + 1];
    int ok;
    befDateiDialog(0, 33, TextNr(15), pfad, sizeof pfad, &ok);
    if (ok) befZeile("ZZ", 0, pfad);
}

// An explicit save is the answer itself: asking "save changes?" first
// would save twice (once for the question's yes, once for the command).
void BefDateiSpeichernUnter() { befSpeichernUnter(); }

void BefDateiSpeichern()
{
    const char* name = EditorZeiName();
    if (!name[0]) {
        befSpeichernUnter();
        return;
    }
    befZeile("SZ", 0, name);
}

void BefDateiExport()
{
    if (!ZeiFrageSpeichern()) return;
    befZeile("EXP", -1, "");
}

void BefDateiDrucken()
{
    // Saving when asked leaves the drawing unchanged, so it prints at once.
    if (!ZeiFrageSpeichern()) return;
    if (EditorZeiName()[0] && !TzIstGeaendert()) {
        BefEinreihenCode(befCode("DRU"));
    } else {
        MeldungNr(91, 1);
    }
}

// ---- command lists

void BefListeAnlegen(BEFLST** bl)
{
    *bl = static_cast<BEFLST*>(fmalloc(1, sizeof(BEFLST)));
    if (!*bl) wiAssert("beffifo", __LINE__, "(*bl=fmalloc(1,sizeof(BEFLST))) != NULL");
}

void BefListeLeeren(BEFLST* bl) { bl->anzahl = 0; }

void BefListeVorneWeg(BEFLST* bl, int n)
{
    if (n <= 0) return;
    if (n >= bl->anzahl) {
        bl->anzahl = 0;
        return;
    }
    int rest = bl->anzahl - n;
    std::memmove(bl->bef, bl->bef + n, static_cast<size_t>(rest) * sizeof(BEF));
    std::memmove(bl->stt, bl->stt + n, static_cast<size_t>(rest) * sizeof(STT));
    bl->anzahl = rest;
}

void BefListeAnhaengen(BEFLST* bl, const BEF* b, const STT* s)
{
    if (bl->anzahl >= BEFLSTSUP) return;
    bl->bef[bl->anzahl] = *b;
    bl->stt[bl->anzahl] = *s;
    ++bl->anzahl;
}

void BefListeAusBef(BEFLST* bl, const BEF* b, const STT* s, int modus)
{
    bl->anzahl = 0;
    STT z = *s;
    BefListeZiel(bl, modus);
    BefZerlegen(b, &z, BefListeSammeln);
    BefListeZiel(nullptr, 0);
}

void BefListeFrei(BEFLST** bl)
{
    if (*bl) ffree(*bl);
    *bl = nullptr;
}

void BefListeDump(const BEFLST* bl)
{
    wiDebug("Anzahl: %d\n", bl->anzahl);
    for (int i = 0; i < bl->anzahl; ++i) {
        wiDebug("%d %6.1f %6.1f %s\n", i, bl->stt[i].x, bl->stt[i].y, BefZuText(&bl->bef[i]).c_str());
    }
}

// ---- grid snap

double RasterRunden(double ursprung, double schritt, double wert)
{
    // Integers of thousandths, each the nearest one; floor division, so that
    // values below the origin snap to the nearest grid line as the others do
    // (cutting toward zero would move them up to the next line at or above).
    constexpr double grenze = 1e12;  // far beyond any drawing; thousandths stay exact
    if (!(std::fabs(ursprung) < grenze && std::fabs(schritt) < grenze && std::fabs(wert) < grenze)) return wert;
    if (std::fabs(schritt) < 0.0005) return wert;  // no grid
    auto tausendstel = [](double v) { return static_cast<long long>(std::floor(v * 1000 + 0.5)); };
    long long o = tausendstel(ursprung), s = tausendstel(schritt), v = tausendstel(wert);
    if (s == 0) return wert;
    long long z = v - o + s / 2;
    long long q = z / s;
    if ((z % s != 0) && ((z < 0) != (s < 0))) --q;
    return static_cast<double>(q * s + o) / 1000.0;
}

// ---- editor view

void ZeiBereichNeuZeichnen(double x1, double y1, double x2, double y2)
{
    // 5 units for what extents leave out (pen widths, marks), then 4 pixels
    // for the rounding to pixels, which no unit margin covers at every scale.
    constexpr double randEinheiten = 5;
    constexpr int randPixel = 4;
    const double lx = std::fmin(x1, x2) - randEinheiten, rx = std::fmax(x1, x2) + randEinheiten;
    const double uy = std::fmin(y1, y2) - randEinheiten, oy = std::fmax(y1, y2) + randEinheiten;
    int a = WeltZuPixelX(lx), b = WeltZuPixelY(uy), c = WeltZuPixelX(rx), d = WeltZuPixelY(oy);
    AnsichtBereichNeuZeichnen((a < c ? a : c) - randPixel, (b < d ? b : d) - randPixel, (a < c ? c : a) + randPixel,
                              (b < d ? d : b) + randPixel);
}

void ZeiNeuZeichnen() { AnsichtNeuZeichnen(); }

void ZeiAnsichtGanz()
{
    const VIEINST* v = ViEinst();
    // No drawing area set: the view keeps its sheet rather than zoom onto a point.
    if (v->frox <= v->flux || v->froy <= v->fluy) return;
    AnsichtFenster(v->flux, v->fluy, v->frox, v->froy);
}

void ZeiFensterZeichnen()
{
    double x1, y1, x2, y2;
    AnsichtSichtbarHolen(&x1, &y1, &x2, &y2);
    const EDEINST* e = EdEinst();
    if (e->rpswx > 0 && e->rpswy > 0) {
        double sx = e->rpswx, sy = e->rpswy;
        double gx = e->rp0x + std::ceil((x1 - e->rp0x) / sx) * sx;
        double gy = e->rp0y + std::ceil((y1 - e->rp0y) / sy) * sy;
        long n = 0;
        for (double y = gy; y <= y2 && n < 1000000; y += sy) {
            for (double x = gx; x <= x2 && n < 1000000; x += sx, ++n) {
                if (AnsichtPunktImFenster(x, y)) RasterPunktZeichnen(x, y, 0);
            }
        }
    }
    HintergrundZeichnen();
    double r[4] = {x1, y1, x2, y2};
    TzBereichZeichnen(r);
    EditorUeberlagerung();
}
