// Command execution of the drawing editor; see befausf.h.
#include "editor/befausf.h"

#include <cctype>
#include <cmath>
#include <cstring>
#include <string>

#include "editor/edtaufrufe.h"
#include "editor/edtseite.h"
#include "editor/eingabe.h"
#include "editor/leiste.h"
#include "editor/elclip.h"
#include "editor/geloesch.h"
#include "editor/linien.h"
#include "editor/macro.h"
#include "editor/mehrfach.h"
#include "editor/baubf.h"
#include "editor/objwahl.h"
#include "editor/posring.h"
#include "editor/suchquer.h"
#include "editor/zeidok.h"
#include "equipment/app.h"
#include "equipment/bm.h"
#include "model/bauteil.h"
#include "model/beffifo.h"
#include "output/clip.h"
#include "model/edhaken.h"
#include "model/einstell.h"
#include "model/geometri.h"
#include "model/tempzeic.h"
#include "model/undo.h"
#include "model/zerleg.h"
#include "output/ansicht.h"
#include "platform/dateisys.h"
#include "support/texte.h"
#include "winlib/dialog.h"
#include "winlib/seitendienst.h"
#include "support/vergleich.h"
#include <sys/stat.h>

namespace {

// Codes of the command table the dispatchers name.
enum : int {
    C_MSM = 10, C_MSF = 11, C_RIC = 12, C_MS = 13, C_DRH = 14, C_LAY = 15, C_LRA = 16, C_LRS = 17,
    C_BW = 20, C_BA = 21, C_ST = 25, C_SA = 26, C_SL = 27, C_TG = 30, C_TD = 36, C_BD = 35, C_TAR = 37,
    C_ZL = 40, C_TEXT0 = 50, C_TEXT7 = 57, C_DRE = 63, C_TKR = 64, C_BOG = 65, C_KRE = 67, C_RTK = 68,
    C_GRF = 69, C_MSA = 70, C_LAO = 75, C_BML = 76, C_MFO = 77, C_BMK = 79, C_ZB = 80, C_ZBW = 81,
    C_ZBZ = 82, C_RHX = 87, C_RHY = 88, C_QVB = 92, C_UNT = 95,
    C_E = 100, C_ZZ = 101, C_ZV = 102, C_SZ = 103, C_ZO = 104, C_ZSN = 105, C_DRU = 106, C_DIR = 107,
    C_HZ = 108, C_HZL = 109, C_DOK = 110, C_ZVS = 111, C_ORVA = 112, C_TBD = 113, C_MEN = 114,
    C_RFR = 115, C_ZA3 = 116, C_ZA4 = 117, C_EL1 = 120, C_VRA = 121, C_SMT = 123, C_HZA = 124,
    C_VRZ = 125, C_QVA = 126, C_ATA = 127, C_FKA = 128, C_TA = 129, C_TDA = 130, C_TM = 131,
    C_QBA = 132, C_UBA = 133, C_BMZ = 134, C_SB = 135, C_EB = 136, C_LB = 137, C_STA = 140,
    C_CZL = 141, C_SW = 142, C_CS = 143, C_CL = 144, C_MKT = 145, C_RLG = 146, C_RZT = 147,
    C_CFM = 148, C_CPV = 149, C_CPR = 150, C_ELB = 154, C_FEN = 155, C_LUP = 156, C_BME = 157,
    C_BEA = 158, C_BST = 159, C_REC = 160, C_MAC = 161, C_UDO = 162, C_RDO = 163, C_SUB = 164,
    C_SUT = 165, C_SUQ = 174, C_ZML = 175, C_MFL = 176, C_MFB = 177, C_MFS = 178, C_ELA = 179,
    C_WH = 180, C_BWE = 181, C_LE = 182, C_LER = 183, C_LA = 184, C_SUE = 185, C_SUA = 186,
    C_ELV = 187, C_ELR = 188, C_BER = 189, C_ELM = 190, C_LME = 191, C_EXP = 192, C_ZAK = 193,
    C_ZAE = 194, C_TAU = 195, C_ZAA = 196, C_DLG = 197, C_FCS = 198,
};

STT befAkt, befVor, befStart;
BEFFLAGS befFlags;
BEFRASTER befRaster;

bool befGleichI(const char* a, const char* b)
{
    for (; *a && *b; ++a, ++b) {
        if (zgross(static_cast<unsigned char>(*a)) != zgross(static_cast<unsigned char>(*b))) return false;
    }
    return *a == *b;
}

bool befIstText(int c) { return c >= C_TEXT0 && c <= C_TEXT7; }

void befNeu(BEF* b, int code)
{
    std::memset(b, 0, sizeof *b);
    b->code = static_cast<uint8_t>(code);
}

void befRedraw() { ZeiNeuZeichnen(); }
void befPosten(int id) { EdtBefehlPosten(id); }

// Codes marked * in the tables: an element under construction is committed
// first, and the record queued behind the element's records.
bool befErstAbsetzen(const BEF* b)
{
    if (!BaubfAktiv()) return false;
    BaubfAbsetzen();
    BefEinreihen(b);
    return true;
}

// MAC: a file that cannot be read says so; one with "Input" lines asks for
// its values first.
void befMakroStarten(const char* name)
{
    const int mit = MakroMitEingabe(name);
    if (mit < 0) {
        modh::StatusTextf("Kann Macro-Datei nicht lesen.");
        return;
    }
    if (mit == 1) {
        EdtAufrufTabelle().DB1312Oeffnen(name);
    } else {
        MakroStarten(name, 0);
        MflBefehl(1);
    }
}

int befUmschalten(int32_t* f)
{
    *f = *f ? 0 : 1;
    return 1;
}

int befStufe(int alt, int neu)
{
    if (neu < 0) return (alt + 1) % 3;
    return neu > 2 ? 2 : neu;
}

// ---- grid

void befSchrittSetzen(double x, double y)
{
    // A step <= 0 would make the snap divide by zero or run backwards.
    if (!(x > 0)) return;
    if (y == 0) y = x;
    if (!(y > 0)) return;
    befRaster.swx = x;
    befRaster.swy = y;
}

// `_BA` 1 at (x, y) at once: applied to the current state and passed
// through the grid dispatcher again (it may move the marked objects).
void befSofortBA(double x, double y)
{
    BEF ba;
    befNeu(&ba, C_BA);
    ba.iarg[0] = 1;
    ba.darg[0] = x;
    ba.darg[1] = y;
    befVor = befAkt;
    SttAnwenden(&ba, &befAkt);
    BefRaster(&ba);
}

// Moves the marked objects' positions by (dx, dy).
void befMarkierteVerschieben(double dx, double dy)
{
    if (IstNull(dx) && IstNull(dy)) return;
    MarkVerschieben(dx, dy);
}

bool befGerade(double schritt, int nk)
{
    long long v = std::llround(schritt * std::pow(10.0, nk));
    return v % 2 == 0;
}

// ---- settings on marked objects

bool befEinstellCode(int c)
{
    return c == C_MSM || c == C_MSF || c == C_RIC || c == C_MS || c == C_DRH || c == C_LAY || c == C_ST ||
           c == C_SA || c == C_SL || (c >= C_TG && c <= C_TD) || c == C_MSA;
}

bool befFeldGleich(int c, const STT* a, const STT* r)
{
    switch (c) {
    case C_MSM: return a->msm == r->msm;
    case C_MSF: case C_MS: case C_MSA: return a->msf == r->msf;
    case C_RIC: return a->richtung == r->richtung;
    case C_DRH: return true;
    case C_LAY: return a->layer == r->layer;
    case C_ST: return a->st == r->st;
    case C_SA: return a->sa == r->sa;
    case C_SL: return a->sl == r->sl;
    case 30: return a->tg == r->tg;
    case 31: return a->tr == r->tr;
    case 32: return a->tv == r->tv;
    case 33: return a->th == r->th;
    case 34: return a->ts == r->ts;
    case C_BD: return std::strcmp(a->bd, r->bd) == 0;
    case C_TD: return std::strcmp(a->td, r->td) == 0;
    default: return false;
    }
}

void befObjAendern(int id, const BEF* b, const STT* vor)
{
    BEF ob;
    STT os;
    if (TzObjHolen(id, &ob, &os) != 0) return;
    int c = b->code;
    if (c == C_MSM || c == C_MSF || c == C_MS || c == C_MSA) {
        double faktor = b->darg[0];
        BEF mf;
        befNeu(&mf, c == C_MSM ? C_MSM : C_MSF);
        if (c == C_MS || c == C_MSA) faktor = vor->msf != 0 ? b->darg[0] / vor->msf : b->darg[0];
        mf.darg[0] = faktor;
        double alt = os.mass;
        SttAnwenden(&mf, &os);
        double verh = alt != 0 ? os.mass / alt : 1.0;
        os.x = befAkt.x + (os.x - befAkt.x) * verh;
        os.y = befAkt.y + (os.y - befAkt.y) * verh;
    } else if (c == C_DRH) {
        ObjDrehen(&ob, &os, b->iarg[0], vor->x, vor->y);
    } else {
        SttAnwenden(b, &os);
    }
    TzErsetzen(id, &ob, &os);
}

// `LE` without marks: the objects of the newest generation from the end of
// the drawing (all = 0: only the last), each kept as phantom; the current
// state goes back to the deleted object's.
void befLetzteLoeschen(int alle)
{
    int id = TzVorheriges(TZENDE);
    const int gen = id >= 0 ? TzStempel(id) : 0;
    int geloescht = 0;
    while (id >= 0 && id < TZENDE && TzStempel(id) == gen) {
        BEF ob;
        STT vor, nach;
        double box[4];
        if (TzObjHolenGanz(id, &ob, &vor, &nach, box) != 0) break;
        if (!modh::AnsichtPunktSichtbar(vor.x, vor.y) && !modh::AnsichtPunktSichtbar(nach.x, nach.y)) break;
        if (!TzObjAenderbar(id)) {
            AppGesperrtMeldung();
            break;
        }
        const int davor = TzVorheriges(id);
        PhantomMerken(&ob, &vor);
        TzLoeschen(id);
        befAkt = vor;
        ++geloescht;
        if (alle == 0) break;
        id = davor;
    }
    if (geloescht == 0) modh::StatusTextf("Das Element ist im Moment nicht sichtbar.");
    else befRedraw();
}

int befKreisWinkel(int w)
{
    return WinkelNormal(w);
}

}  // namespace

// ---- state

void BefAusfInit()
{
    std::memset(&befFlags, 0, sizeof befFlags);
    std::memset(&befRaster, 0, sizeof befRaster);
    const EDEINST* e = EdEinst();
    BefAnzeigeEinstellen();
    // Linked texts (byte 1) show as print and export show them; the switch
    // ATA hides them for work on the drawing.
    befFlags.ata = 1;
    befFlags.el1 = 1;
    befFlags.vrb = e->vorvrb;
    befFlags.beweg = e->elembeweg;
    befFlags.bearb = e->elembearb;
    befFlags.sumatx = e->sumatx;
    befFlags.fka = e->fka;
    befFlags.speicherLayer = 1;
    befFlags.papier = e->a3a4 == 't' ? C_ZA3 : C_ZA4;
    for (int i = 0; i < BEFBMKSUP; ++i) befFlags.bmk[i] = 1;
    befFlags.bmz = -1;
    befSchrittSetzen(e->swx, e->swy);
    befRaster.kax = e->kax;
    befRaster.kay = e->kay;
    befRaster.x0 = e->rp0x;
    befRaster.y0 = e->rp0y;
    BefZustandInit();
}

void BefAnzeigeEinstellen()
{
    const EDEINST* e = EdEinst();
    befFlags.hza = e->hza;
    befFlags.ts = e->ts;
    befFlags.ta = e->ta;
    befFlags.tm = e->tm;
    befFlags.tda = e->ts;
}

void BefZustandInit()
{
    SttInit(&befAkt, nullptr);
    befVor = befStart = befAkt;
}

void BefStartZustandSetzen(const STT* s) { befStart = *s; }
STT* BefAktZustand() { return &befAkt; }
const STT* BefVorZustand() { return &befVor; }
const STT* BefStartZustand() { return &befStart; }
BEFFLAGS* BefFlags()
{
    // The assignment's ask-always switch starts from the project's defaults,
    // which are read after the editor starts: it is taken on first use.
    if (befFlags.bmz < 0) befFlags.bmz = BMVorgaben().bmhbzu ? 1 : 0;
    return &befFlags;
}

void BefBmzNeuLesen() { befFlags.bmz = -1; }
BEFRASTER* BefRasterWerte() { return &befRaster; }

void BefAusfHakenSetzen()
{
    EdHaken h;
    h.BefehlErlaubt = BefPruefen;
    h.EditorBefehlAnwenden = BefAusfuehren;
    h.EditorZustand = BefAktZustand;
    h.EditorZustandSetzen = ZustandSetzen;
    h.LetztePunkteMerken = PosRingMerken;
    h.EditorTextSchalter = [] { return befFlags.vrb; };
    // Every page refreshes its view of the drawing (the mode display), and
    // every open dialog rewrites the fields whose value the batch changed.
    h.ZeichnungGeaendertMelden = [] {
        wiSeiteVerteilen(2999, 0);
        wiDlgAllenSenden(2999, 0);
    };
    // The run loop passes the position after the record; the settings walk
    // needs the state before it, which BefAusfuehren kept.
    h.EditorZustandNachfuehren = [](const BEF* b, double, double) { EinstellungAufMarkierte(b, &befVor); };
    EdHakenSetzen(h);
}

// ---- builders

void BewegenNach(double x, double y)
{
    double m = befAkt.mass != 0 ? befAkt.mass : 1.0;
    BefEinreihenIntXY(C_BW, 1, (x - befAkt.x) / m, (y - befAkt.y) / m);
}

void LinieNach(double x, double y)
{
    double m = befAkt.mass != 0 ? befAkt.mass : 1.0;
    BefEinreihenXY(C_ZL, (x - befAkt.x) / m, (y - befAkt.y) / m);
}

void StartpunktSetzen(double x, double y) { BefEinreihenXY(C_BA, x, y); }
void StartpunktSetzenMarke(double x, double y) { BefEinreihenIntXY(C_BA, 1, x, y); }
void ZustandSetzen(const STT* s) { befAkt = *s; }

// ---- execution

int BefPruefen(const BEF* b)
{
    const int c = b->code;
    if (c == 0) return 0;
    if (c == C_BW || c == C_ZL) return !(IstNull(b->darg[0]) && IstNull(b->darg[1]));
    if (c == C_DRE || c == C_TKR || c == C_BOG || c == C_KRE || c == C_RTK || c == C_GRF || c == C_QVB)
        return !(IstNull(b->darg[0]) || IstNull(b->darg[1]));
    if (befIstText(c)) return b->text[0] != 0;
    if (BefIstZBRH(c)) {
        if (c != C_RHX && c != C_RHY) {
            if (BauVorhanden(befAkt.bd, b->text)) return 1;
            modh::StatusTextf("Bauteil %s nicht gefunden.", b->text);
            return 0;
        }
        BauHandle h;
        if (BauOpen(&h, befAkt.bd, b->text) != 0) {
            modh::StatusTextf("Bauteil %s nicht gefunden.", b->text);
            return 0;
        }
        int ok = 1;
        if (c == C_RHX || c == C_RHY) {
            BEF erst;
            if (BauRead(&h, &erst) != 0 || erst.code != C_RTK) {
                modh::StatusTextf("Bauteil %s beginnt nicht mit Rechteck.", b->text);
                ok = 0;
            }
        }
        BauClose(&h);
        return ok;
    }
    return 1;
}

void BefAusfuehren(const BEF* b)
{
    static int (*const verteiler[])(const BEF*) = {BefDokument, BefOptionen, BefZustand, BefRaster,
                                                   BefRahmen,   BefBauteil,  BefMakro,   BefBearbeiten};
    befVor = befAkt;
    BefZerlegen(b, &befAkt, nullptr);
    for (auto* v : verteiler) {
        if (v(b)) break;
    }
}

int BefDokument(const BEF* b)
{
    const char* t = b->text;
    switch (b->code) {
    case C_LAO:
        BaubfAbbrechen();
        modh::MarkierungAufheben();
        ZeiNeu();
        return 1;
    case C_ZZ:
        if (befErstAbsetzen(b)) return 1;
        if (t[0] == 0) befPosten(1003);
        else ZeiLadenNachFrage(t, b->iarg[0]);
        return 1;
    case C_ZV:
        if (befErstAbsetzen(b)) return 1;
        if (t[0] == 0) befPosten(1001);
        else ZeiVorlageLaden(t);
        return 1;
    case C_SZ:
        if (befErstAbsetzen(b)) return 1;
        if (t[0] == 0) befPosten(1004);
        else ZeiSpeichernUnter(t);
        return 1;
    case C_ZO:
        if (befErstAbsetzen(b)) return 1;
        BaubfAbbrechen();
        modh::MarkierungAufheben();
        if (t[0] == 0) befPosten(1003);
        else ZeiOeffnenNachFrage(t);
        return 1;
    case C_ZSN:
        if (befErstAbsetzen(b)) return 1;
        ZeiFrageJaNein();
        return 1;
    case C_DRU:
        if (BaubfAktiv()) {
            BaubfAbsetzen();
            BefEinreihenInt(C_DRU, 1);
        } else if (!TzIstGeaendert()) {
            ZeiDrucken();
            BefEinreihenText(C_FEN, "0");
        } else if (b->iarg[0] != 2) {
            // Saved first; the print that follows finds the drawing unchanged
            // only when the save succeeded.
            BefEinreihenText(C_SZ, modh::EditorZeiName());
            BefEinreihenInt(C_DRU, 2);
        }
        return 1;
    case C_RFR:
        if (b->iarg[0] == 1) befRedraw();
        return 1;
    case C_LA:
        BaubfAbbrechen();
        modh::MarkierungAufheben();
        ZeiNeuNachFrage();
        return 1;
    case C_EXP:
        // The export runs in the editing dispatcher; a running element is
        // committed first and the record queued again behind it.
        befErstAbsetzen(b);
        return 1;
    default:
        return 0;
    }
}

int BefOptionen(const BEF* b)
{
    const int32_t* i = b->iarg;
    switch (b->code) {
    case C_LRA:
        // Layers outside 1..20 do not exist; the settings would clamp them
        // onto another layer.
        if (i[0] >= 1 && i[0] <= LAYERSUP) {
            LayerSichtSetzen(i[0], i[1]);
            befRedraw();
        }
        return 1;
    case C_LRS:
        if (i[0] >= 1 && i[0] <= LAYERSUP) befFlags.speicherLayer = i[0];
        return 1;
    case C_BMK:
        if (i[0] >= 0 && i[0] < BEFBMKSUP) befUmschalten(&befFlags.bmk[i[0]]);
        return 1;
    case C_DIR:
        BauDefBeenden();
        ZeiOrdnerWechseln(b->text);
        return 1;
    case C_HZ: {
        befFlags.hza = 1;
        struct stat st;
        if (b->text[0] == 0 || plDsStat(b->text, &st) != 0) {
            modh::StatusTextf("Kann Zeichnung %s nicht lesen.", b->text);
        } else {
            strkopie(befFlags.hintergrund, sizeof befFlags.hintergrund, b->text, sizeof befFlags.hintergrund - 1);
        }
        befRedraw();
        return 1;
    }
    case C_HZL:
        befFlags.hintergrund[0] = 0;
        befRedraw();
        return 1;
    case C_ZA3:
    case C_ZA4:
        befFlags.papier = b->code;
        return 1;
    case C_EL1: return befUmschalten(&befFlags.el1);
    case C_VRA: return befUmschalten(&befFlags.vrb);
    case C_HZA:
        befUmschalten(&befFlags.hza);
        befRedraw();
        return 1;
    case C_VRZ: case C_QVA: case C_ATA: case C_TDA: case C_QBA: case C_UBA: {
        int32_t* f = b->code == C_VRZ ? &befFlags.vrz
                     : b->code == C_QVA ? &befFlags.qva
                     : b->code == C_ATA ? &befFlags.ata
                     : b->code == C_TDA ? &befFlags.tda
                     : b->code == C_QBA ? &befFlags.qba
                                        : &befFlags.uba;
        befUmschalten(f);
        befRedraw();
        return 1;
    }
    case C_FKA: return befUmschalten(&befFlags.fka);
    case C_TA:
        befFlags.ta = befStufe(befFlags.ta, i[0]);
        befRedraw();
        return 1;
    case C_TM:
        befFlags.tm = befStufe(befFlags.tm, i[0]);
        return 1;
    case C_BMZ: return befUmschalten(&BefFlags()->bmz);
    case C_CZL: return befUmschalten(&befFlags.czl);
    case C_FEN:
        AnsichtBefehl(b->text);
        return 1;
    case C_LUP: {
        std::string s = i[1] != 0 ? "F" : "C";
        s += i[0] >= 0 ? std::to_string(i[0]) : std::string("=");
        AnsichtBefehl(s.c_str());
        return 1;
    }
    case C_BWE: return befUmschalten(&befFlags.beweg);
    default:
        return 0;
    }
}

int BefZustand(const BEF* b)
{
    switch (b->code) {
    case C_LAY:
        if (befAkt.layer >= 1 && befAkt.layer <= LAYERSUP) LayerSichtSetzen(befAkt.layer, 1);
        return 1;
    case C_SA: {
        int sa = befAkt.sa;
        if (sa >= 0 && sa < 8) BefEinreihenReal(C_SL, EdEinst()->sl[sa]);
        return 1;
    }
    case C_BD:
        BauDefBeenden();
        return 1;
    case C_STA: {
        STT& a = befAkt;
        const STT& s = befStart;
        a.tg = s.tg;
        a.tr = s.tr;
        a.tv = s.tv;
        a.th = s.th;
        a.ts = s.ts;
        if (b->iarg[0] != 1) {
            a.mass = s.mass;
            a.msm = s.msm;
            a.msf = s.msf;
            a.richtung = s.richtung;
            a.layer = s.layer;
            a.st = s.st;
            a.sa = s.sa;
            a.sl = s.sl;
            std::memcpy(a.bd, s.bd, sizeof a.bd);
            std::memcpy(a.td, s.td, sizeof a.td);
            const EDEINST* e = EdEinst();
            befRaster.swx = befRaster.swy = 0;
            befSchrittSetzen(e->swx, e->swy);
            befRaster.kax = e->kax;
            befRaster.kay = e->kay;
        }
        return 1;
    }
    default:
        return 0;
    }
}

int BefRaster(const BEF* b)
{
    const double* d = b->darg;
    switch (b->code) {
    case C_BW:
    case C_BA:
        if (b->iarg[0] == 1 && befFlags.beweg && !BaubfAktiv())
            befMarkierteVerschieben(befAkt.x - befVor.x, befAkt.y - befVor.y);
        return 1;
    case C_SW:
        befSchrittSetzen(d[0], d[1]);
        return 1;
    case C_CS:
        if (befRaster.swx < 100 && befRaster.swy < 100) {
            befRaster.swx *= 2;
            befRaster.swy *= 2;
        }
        return 1;
    case C_CL: {
        int nk = EdEinst()->nk;
        if (befGerade(befRaster.swx, nk) && befGerade(befRaster.swy, nk)) {
            befRaster.swx /= 2;
            befRaster.swy /= 2;
        }
        return 1;
    }
    case C_MKT:
        befRaster.mkx = d[0];
        befRaster.mky = d[1];
        return 1;
    case C_RLG:
        befSofortBA(befStart.x, befStart.y);
        return 1;
    case C_RZT:
        befSofortBA(RasterRunden(befRaster.x0, befRaster.swx, befAkt.x),
                    RasterRunden(befRaster.y0, befRaster.swy, befAkt.y));
        return 1;
    case C_CFM: {
        double x1, y1, x2, y2;
        modh::AnsichtSichtbarHolen(&x1, &y1, &x2, &y2);
        befSofortBA(RasterRunden(0, befRaster.swx, (x1 + x2) / 2), RasterRunden(0, befRaster.swy, (y1 + y2) / 2));
        return 1;
    }
    case C_CPV:
        PosRingVor();
        return 1;
    case C_CPR:
        PosRingZurueck();
        return 1;
    case C_SUT:
        TextNaechster();
        return 1;
    case C_SUQ:
        QuerverweisSuchen();
        return 1;
    default:
        // The object searches arrive with their modules.
        return b->code > C_SUT && b->code < C_SUQ ? 1 : 0;
    }
}

int BefRahmen(const BEF* b)
{
    const EdtAufrufe& a = EdtAufrufTabelle();
    switch (b->code) {
    case C_BML:
        if (b->iarg[0] == 1) a.DB1354Weiter(2500);
        return 1;
    case C_E: befPosten(1099); return 1;
    case C_DOK: befPosten(1992); return 1;
    case C_ZVS:
    case C_ORVA: befPosten(1995); return 1;
    case C_TBD:
        // The named section of "Toolbar.txt" becomes the top bar.
        if (b->text[0] != 0) {
            LeisteLaden("Toolbar.txt", b->text, LEISTE_OBEN);
            LayoutSeite();
            LeisteLayout();
        }
        return 1;
    case C_MEN: befPosten(b->iarg[0]); return 1;
    case C_DLG:
        if (befGleichI(b->text, "BmHaupt")) a.DB1351Oeffnen();
        else if (befGleichI(b->text, "BmUnter")) a.BmlUmschalten();
        else if (befGleichI(b->text, "BmText")) a.DB1354Oeffnen();
        return 1;
    case C_FCS: FokusSetzen(b->iarg[0]); return 1;
    default:
        return 0;
    }
}

int BefBauteil(const BEF* b)
{
    const int c = b->code;
    if (befIstText(c)) {
        // "_#_" stands for "ask for the text".
        bool leer = std::strcmp(b->text, "_#_") == 0;
        if (!leer) {
            leer = true;
            for (const char* p = b->text; *p; ++p) {
                if (*p != ' ' && *p != '\t') leer = false;
            }
        }
        if (leer) befPosten(1201);
        return 1;
    }
    switch (c) {
    case C_ZL:
        MflAufnahmeEnde();
        return 1;
    case C_ZB:
    case C_ZBW: {
        BauteilLueckenSchneiden(b, &befVor, &befAkt);
        MflFortsetzen(befVor.x, befVor.y, befAkt.x, befAkt.y);
        MflAufnahmeEnde();
        return 1;
    }
    case C_UNT:
        UnterbrechungSetzen(b, &befVor);
        return 1;
    case C_ZML:
        Bemassung(b, &befVor);
        return 1;
    case C_ZBZ: {
        BauHandle h;
        if (BauOpen(&h, befVor.bd, b->text) != 0) {
            modh::StatusTextf("Bauteil %s nicht gefunden.", b->text);
            return 1;
        }
        STT s = befVor;
        BEF t;
        while (BauRead(&h, &t) == 0) {
            if (BefIstObjekt(t.code)) TzEinfuegen(&t, &s);
            SttAnwenden(&t, &s);
        }
        BauClose(&h);
        return 1;
    }
    default:
        return 0;
    }
}

namespace {

// A definition that starts gives the editor its component name as the
// definition keeps it.
void befBauDefStarten(const char* name)
{
    const int lief = BauDefLaeuft();
    BauDefStart(name);
    if (lief || !BauDefLaeuft()) return;
    strkopie(befFlags.bauteil, sizeof befFlags.bauteil, BauDefName(), BEFBAUNAMESUP);
}

}  // namespace

int BefMakro(const BEF* b)
{
    switch (b->code) {
    case C_SB:
        if (befErstAbsetzen(b)) return 1;
        befBauDefStarten(b->text);
        return 1;
    case C_EB:
        if (befErstAbsetzen(b)) return 1;
        BauDefEnde();
        return 1;
    case C_REC:
        if (befErstAbsetzen(b)) return 1;
        switch (b->iarg[0]) {
        case 0:
            MakroAufnahmeStart(b->text);
            if (MakroNimmtAuf()) strkopie(befFlags.makro, sizeof befFlags.makro, b->text, BEFMAKRONAMESUP);
            break;
        case 1: MakroAufnahmeEnde(); break;
        case -1: MakroAufnahmeVerwerfen(); break;
        default: break;
        }
        return 1;
    case C_LB:
        BauDefAbbrechen();
        return 1;
    case C_MAC:
        befMakroStarten(b->text);
        return 1;
    case C_WH:
        Wiederholen();
        return 1;
    case C_UDO:
        if (BaubfAktiv()) BaubfAbbrechen();
        else UndoSchritt();
        return 1;
    case C_RDO:
        RedoSchritt();
        return 1;
    default:
        return 0;
    }
}

int BefBearbeiten(const BEF* b)
{
    const int c = b->code;
    static const int nichtLeer[] = {71, 72, 164, 177, 179, 182, 185, 186, 187, 188, 189, 190, 191, 193, 196};
    bool eigen = c == C_TAR || (c >= 71 && c <= 74) || c == C_MFO || c == C_SMT || c == C_ELB ||
                 (c >= C_BME && c <= C_BST) || c == C_SUB || (c >= C_MFL && c <= C_ELA) ||
                 (c >= C_LE && c <= C_LER) || (c >= C_SUE && c <= C_LME) || (c >= C_ZAK && c <= C_ZAA);
    if (!eigen) return 0;
    if (TzAnzahl() == 0) {
        for (int n : nichtLeer) {
            if (n == c) {
                if (c == C_BER) befRedraw();
                return 1;
            }
        }
    }
    switch (c) {
    case C_TAR:
        TextArtAendern(b->iarg[0]);
        return 1;
    case C_TAU:
        TauschenBefehl(b->text);
        return 1;
    case C_MFL:
        MflBefehl(b->iarg[0]);
        return 1;
    case C_MFS:
        if (b->iarg[0] == 0) {
            // Not the menu id: its item queues this very record.
            EdtAufrufTabelle().DB1345Oeffnen();
        } else {
            const double d = b->darg[0];
            MflSerie(befVor.x, befVor.y, b->iarg[0], b->iarg[1] == 0 ? d : 0, b->iarg[1] == 0 ? 0 : d, &befVor);
            MflAufnahmeEnde();
        }
        return 1;
    case C_LER:
        BaubfAbbrechen();
        PhantomWieder(b->iarg[0]);
        return 1;
    case C_LE:
        ObjUebernehmen();
        if (TzMarkAnzahl() > 0) MarkLoeschen();
        else befLetzteLoeschen(b->iarg[0]);
        return 1;
    case C_LME:
        ObjUebernehmen();
        MarkLoeschen();
        return 1;
    case C_ZAE:
        // Clipboard text without a drawing block runs as a macro; a drawing
        // block is pasted by the editing dispatcher.
        if (!ClipStatusHolen(nullptr, nullptr, nullptr)) ClipboardMakro();
        return 1;
    case C_MFO:
        if (b->iarg[0] == 0) LinienVerbindenEin();
        else LinienVerbindenAus();
        return 1;
    case C_SMT: return befUmschalten(&befFlags.sumatx);
    case C_ELB: return befUmschalten(&befFlags.bearb);
    case C_BME:
        befMarkierteVerschieben(b->iarg[0] * befRaster.swx, b->iarg[1] * befRaster.swy);
        return 1;
    default:
        // Picking, marking, deleting and the clipboard arrive with their
        // modules.
        return 1;
    }
}

void EinstellungAufMarkierte(const BEF* b, const STT* vor)
{
    const int c = b->code;
    if (!befEinstellCode(c) || TzAnzahl() == 0 || TzMarkAnzahl() == 0) return;
    bool anwenden = false;
    STT ref;
    for (int id = TzNaechstes(-1); id < TZENDE; id = TzNaechstes(id)) {
        BEF ob;
        STT os;
        if (TzObjHolen(id, &ob, &os) != 0) continue;
        if (TzIstMarkiert(id)) {
            ref = os;
            anwenden = true;
        } else if (!anwenden) {
            continue;
        }
        if (!befFeldGleich(c, &os, &ref)) {
            anwenden = false;
            continue;
        }
        befObjAendern(id, b, vor);
        if (befFlags.el1 || c == C_DRH) anwenden = false;
    }
}

void BauteilLueckenSchneiden(const BEF* b, const STT* vor, const STT* nach)
{
    if (!IstNull(nach->x - vor->x) || !IstNull(nach->y - vor->y)) LinienTrennen(vor->x, vor->y, nach->x, nach->y);
    STT s = *vor;
    BefZerlegen(b, &s, [](const BEF* e, const STT* es) {
        if (e->code == C_UNT) UnterbrechungSetzen(e, es);
        return 0;
    });
}

// The marked objects copied into a grid: the transfer file is written once
// and pasted at every cell but the first, where the originals stay.
void MarkierteAnreihen(int nx, double dx, int ny, double dy)
{
    if (TzMarkAnzahl() == 0) return;
    const int mfl = MflAn();
    MflBefehl(0);
    const std::string pfad = ElTransferPfad(1);
    const bool geschrieben = ZeiDateiSchreiben(pfad.c_str(), 1, 1, 0) == 0;
    EdtAllesDemarkieren();
    STT* akt = BefAktZustand();
    const double x0 = akt->x, y0 = akt->y;
    for (int i = 0; geschrieben && i < nx; ++i) {
        for (int j = 0; j < ny; ++j) {
            if (i == 0 && j == 0) continue;
            akt->x = x0 + i * dx;
            akt->y = y0 + j * dy;
            ElEinfuegen(1, pfad.c_str());
        }
    }
    plDsLoeschen(pfad.c_str());
    MflBefehl(mfl);
    akt = BefAktZustand();
    akt->x = x0;
    akt->y = y0;
    BefEinreihenCode(0);
}

void ObjDrehen(BEF* b, STT* s, int a, double px, double py)
{
    if (a == 0) return;
    double dx = s->x - px, dy = s->y - py;
    Drehen(a, &dx, &dy);
    s->x = px + dx;
    s->y = py + dy;
    const int c = b->code;
    int32_t* i = b->iarg;
    if (c == C_ZL || c == C_ZML) {
        Drehen(a, &b->darg[0], &b->darg[1]);
    } else if (befIstText(c)) {
        s->tr = WinkelNormal(s->tr + a);
    } else if (c == C_DRE || c == C_RTK) {
        i[1] = WinkelNormal(i[1] + a);
    } else if (c == C_TKR || c == C_BOG) {
        bool ungleich = b->darg[0] != b->darg[1];
        if (ungleich) {
            if (WinkelNormal(a) % 900 != 0) return;  // an ellipse arc turns only by quarters
            Drehen(a, &b->darg[0], &b->darg[1]);
            b->darg[0] = std::fabs(b->darg[0]);
            b->darg[1] = std::fabs(b->darg[1]);
        }
        i[0] += a;
        i[1] += a;
        while (i[0] > 3599) {
            i[0] -= 3600;
            i[1] -= 3600;
        }
        while (i[0] < 0) {  // a negative turn
            i[0] += 3600;
            i[1] += 3600;
        }
    } else if (c == C_KRE) {
        if (b->darg[0] != b->darg[1]) i[1] = WinkelNormal(i[1] + a);
    } else if (c == C_ZB || c == C_ZBW) {
        i[0] = befKreisWinkel((c == C_ZBW ? i[0] : 0) + a);
        b->code = static_cast<uint8_t>(i[0] != 0 ? C_ZBW : C_ZB);
    }
}
