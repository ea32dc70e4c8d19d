// The input line's logic; see history.h.
//
// The rings are written to the ini file oldest first, starting at the
// write index, and read back in key order through HistoryMerken: so a ring
// that had wrapped comes back in its order and Up shows the newest line.
#include "editor/edtseite.h"
#include "editor/history.h"

#include <sys/stat.h>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "config/inidatei.h"
#include "config/reaktion.h"
#include "editor/befausf.h"
#include "editor/objwahl.h"
#include "editor/baubf.h"
#include "model/bauteil.h"
#include "model/befehl.h"
#include "model/beffifo.h"
#include "model/tempzeic.h"
#include "model/textvar.h"
#include "platform/dateisys.h"
#include "platform/nachrichtbox.h"
#include "project/rschreib.h"
#include "support/texte.h"
#include "support/vergleich.h"

namespace {

constexpr const char* HZ_SEKTION = "ZVKEdit";

enum : int {
    C_BW = 20, C_BA = 21, C_MS = 13, C_DRH = 14, C_LAY = 15, C_LRS = 17, C_ST = 25, C_SA = 26, C_SL = 27, C_TG = 30,
    C_TR = 31, C_TV = 32, C_TS = 34, C_BD = 35, C_TD = 36, C_ZL = 40, C_TFA = 50, C_TFZ = 53, C_TXT = 59,
    C_DRE = 63, C_TKR = 64, C_BOG = 65, C_KRE = 67, C_RTK = 68, C_GRF = 69, C_BRI = 71, C_BMI = 72, C_ZB = 80,
    C_ZBW = 81, C_ZBZ = 82,
    C_ZBR = 83, C_ZBO = 84, C_ZBL = 85, C_ZBU = 86, C_RHX = 87, C_RHY = 88, C_QVW = 91, C_QVB = 92, C_UNT = 95,
    C_ZML = 96, C_ZZ = 101, C_ZV = 102, C_SZ = 103, C_ZO = 104, C_DIR = 107, C_HZ = 108, C_TBD = 113,
    C_TA = 129, C_TM = 131, C_SB = 135, C_STA = 140, C_MKT = 145, C_FEN = 155, C_LUP = 156, C_REC = 160,
    C_MAC = 161, C_ZMLE = 175, C_MFL = 176, C_MFB = 177, C_LE = 182, C_LER = 183, C_SUE = 185, C_SUA = 186,
    C_BER = 189, C_ELM = 190, C_EXP = 192, C_TAU = 195,
};

struct HzRing {
    char zeile[ZEISUP][ZEILNG + 1];
    int schreib = 0, blaettern = 0;
};
HzRing zeiBlis, zeiTlis;  // commands, texts
HzRing* const hzRinge[2] = {&zeiBlis, &zeiTlis};
bool hzDa = false;

int hzZustand = 0;
int hzCode = C_ZB;
int hzTextNr = 402;
int hzOffen = 0;   // the pending code of states 2..13
std::string hzFeld;
bool hzFeldGesetzt = false;  // the refusal wrote its own message
// The marked object whose text form was put into the field for editing.
int hzBearbCode = 0;
double hzBearbX = 0, hzBearbY = 0;

// A typed record of the edited object's kind replaces it: its start point
// goes first, at the object's point.
void hzBearbStart(int code)
{
    if (hzBearbCode == 0 || !BefGleicheArt(code, hzBearbCode)) return;
    BefEinreihenIntXY(C_BA, 1, hzBearbX, hzBearbY);
    hzBearbCode = 0;
}

HzRing& hzRing(int art) { return art == 'B' ? zeiBlis : zeiTlis; }

std::string hzTrim(const std::string& t)
{
    const size_t a = t.find_first_not_of(" \t\r\n");
    if (a == std::string::npos) return "";
    return t.substr(a, t.find_last_not_of(" \t\r\n") - a + 1);
}

std::string hzGross(std::string t)
{
    for (char& c : t) c = static_cast<char>(zgross(static_cast<unsigned char>(c)));
    return t;
}

void hzKopie(char* aus, size_t kap, const std::string& t)
{
    if (kap > 0) strkopie(aus, kap, t.c_str(), static_cast<int>(kap - 1));
}

void hzEinreihen(BEF* b) { BefEinreihen(b); }

// The typed text waiting for the spell check, and whether its corrected
// form goes into the field.
struct HzRs {
    BEF bef{};
    bool zeigen = false;
    bool wartet = false;
};
HzRs hzRs;

// A typed text record: queued and the field emptied, or, for the F texts
// while the speller checks on confirm, held for the check, which queues it
// when it ends (EingabeRsFertig). A second text while one is held is not
// checked: it would take the held one's place.
void hzTextEinreihen(BEF* b, bool zeigen)
{
    if (hzRs.wartet || !RsPruefenAktiv() || b->code < C_TFA || b->code > C_TFZ) {
        hzEinreihen(b);
        hzFeld.clear();
        return;
    }
    hzRs.bef = *b;
    hzRs.zeigen = zeigen;
    hzRs.wartet = true;
    if (zeigen) hzFeld = std::string(b->text).substr(0, ZEILNG);  // kept until the check ends
    RsTextPruefen();
}

// Starts construction of the typed record's element with its values.
void hzBauenMit(const BEF* b)
{
    BaubfStarten(b->code);
    BaubfSetzen(b);
}

BEF hzNeu(int code)
{
    BEF b;
    std::memset(&b, 0, sizeof b);
    b.code = static_cast<uint8_t>(code);
    return b;
}

bool hzDateiDa(const char* pfad)
{
    struct stat st;
    return pfad[0] != '\0' && plDsStat(pfad, &st) == 0;
}

// A bare command that takes arguments: a prompt, a dialog or a record.
void hzBlank(int code)
{
    auto frage = [](int zustand, int text, int code) {
        hzZustand = zustand;
        hzTextNr = text;
        hzOffen = code;
    };
    switch (code) {
    case C_MS: return frage(10, 417, code);
    case C_ST: return frage(7, 412, code);
    case C_SA: return frage(5, 412, code);
    case C_SL: return frage(6, 413, code);
    case C_TG: return frage(6, 414, code);
    case C_TR: return frage(12, 415, code);
    case C_TV: return frage(6, 416, code);
    case C_TS: return frage(11, 412, code);
    case C_ZB: case C_ZBZ: case C_ZBR: case C_ZBO: case C_ZBL: case C_ZBU: case C_SB: return frage(3, 411, code);
    case C_QVW: case C_LUP: return frage(4, 412, code);
    case C_ZZ: case C_ZV: case C_HZ: case C_MAC: case C_EXP: return frage(2, 410, code);
    case C_SZ: return frage(9, 410, code);
    case C_DIR: return frage(2, 419, code);
    case C_TBD: return frage(2, 411, code);
    case C_FEN: return frage(8, 412, code);
    case C_TAU: return frage(2, 418, code);
    default: break;
    }
    static const struct {
        int code, dialog;
    } dialoge[] = {{C_DRH, 1106}, {C_LAY, 1104}, {16, 1104}, {C_LRS, 1104}, {C_BD, 1103}, {C_TD, 1103},
                   {C_ZL, 1200},  {C_TXT, 1201}, {C_DRE, 1222}, {C_TKR, 1223}, {C_BOG, 1224}, {C_KRE, 1220},
                   {C_RTK, 1221}, {C_GRF, 1208}, {C_ZBW, 1202}, {C_RHX, 1202}, {C_RHY, 1202}, {C_QVB, 1203},
                   {C_UNT, 1207}, {C_ZML, 1209}, {C_ZO, 1012},  {C_REC, 1310}, {C_ZMLE, 1206}};
    for (const auto& d : dialoge) {
        if (d.code == code) {
            EdtBefehlPosten(d.dialog);
            return;
        }
    }
    BEF b = hzNeu(code);
    switch (code) {
    case C_TA: case C_TM: b.iarg[0] = -1; break;
    case C_MFL: b.iarg[0] = 9; break;
    case C_LE: case C_LER: case C_SUE: case C_SUA: case C_ELM: b.iarg[0] = 0; break;
    case C_MFB: case C_BER:
        if (!BaubfAktiv()) {
            BaubfStarten(code == C_MFB ? C_BMI : C_BRI);
        }
        return;
    case C_MKT:
        // The origin of the relative coordinates is the drawing's zero.
        b.darg[0] = BefAktZustand()->x;
        b.darg[1] = BefAktZustand()->y;
        break;
    default: return;  // accepted, nothing queued
    }
    hzEinreihen(&b);
}

// Step 1: the short forms and a bare pair of coordinates.
std::string hzKurzform(const std::string& z)
{
    if (z == ".") return "SUP";
    if (z == "+") return "ELV";
    if (z == "-") return "ELR";
    int zahlen = 0;
    for (size_t i = 0; i < z.size(); ++i) {
        const auto c = static_cast<unsigned char>(z[i]);
        if (istgross(c) || istklein(c)) return z;
        if (c >= '0' && c <= '9' && (i + 1 == z.size() || z[i + 1] == ' ')) ++zahlen;
    }
    return zahlen == 2 ? "BW " + z : z;
}

bool hzVerweis(std::string* text)
{
    char aus[BEFTEXTSUP + 1];
    if (!ZeiVerweisDatei(aus, sizeof aus, text->c_str())) return false;
    *text = aus;
    return true;
}

}  // namespace

int EingabeGanz(const std::string& t)
{
    const char* p = t.c_str();
    while (*p == ' ' || *p == '\t') ++p;
    if (*p == '+') ++p;
    long v = 0;
    std::from_chars(p, p + std::strlen(p), v);
    return static_cast<int>(v);
}

double EingabeZahl(const std::string& t)
{
    std::string k = t;
    for (char& c : k)
        if (c == ',') c = '.';
    const char* p = k.c_str();
    while (*p == ' ' || *p == '\t') ++p;
    if (*p == '+') ++p;
    double v = 0;
    std::from_chars(p, p + std::strlen(p), v);
    return v;
}

// ---- rings -----------------------------------------------------------------------

void HistoryLeeren()
{
    for (HzRing* r : hzRinge) {
        std::memset(r->zeile, 0, sizeof r->zeile);
        r->schreib = r->blaettern = 0;
    }
}

void HistoryLaden()
{
    HistoryLeeren();
    hzRs = HzRs{};  // a text held when the last page ended went with it
    hzDa = true;
    for (const char* art : {"Command", "Text"}) {
        for (int n = 0; n < ZEISUP; ++n) {
            char schluessel[40], wert[ZEILNG + 1];
            std::snprintf(schluessel, sizeof schluessel, "%sHistory%d", art, n);
            ProfilLesen(HZ_SEKTION, schluessel, wert, ZEILNG);
            HistoryMerken(art[0] == 'C' ? 'B' : 'T', wert);
        }
    }
}

void HistorySichern()
{
    if (!hzDa) return;
    int k[2] = {0, 0};
    for (int n = 0; n < ZEISUP; ++n) {
        for (int r = 0; r < 2; ++r) {
            const HzRing& ring = *hzRinge[r];
            const std::string t = hzTrim(ring.zeile[(ring.schreib + n) % ZEISUP]);
            if (t.empty()) continue;
            char schluessel[40];
            std::snprintf(schluessel, sizeof schluessel, "%sHistory%d", r == 0 ? "Command" : "Text", k[r]++);
            ProfilSchreiben(HZ_SEKTION, schluessel, t.c_str());
        }
    }
    // Keys of an earlier, longer save would come back as the newest lines.
    for (int r = 0; r < 2; ++r) {
        for (int n = k[r]; n < ZEISUP; ++n) {
            char schluessel[40];
            std::snprintf(schluessel, sizeof schluessel, "%sHistory%d", r == 0 ? "Command" : "Text", n);
            ProfilSchreiben(HZ_SEKTION, schluessel, "");
        }
    }
    HistoryLeeren();
    hzDa = false;
}

void HistoryMerken(int art, const char* text)
{
    if (!hzDa || text == nullptr || hzTrim(text).empty()) return;
    char feld[ZEILNG + 1];
    std::memset(feld, ' ', ZEILNG);
    feld[ZEILNG] = 0;
    std::memcpy(feld, text, std::min(std::strlen(text), static_cast<size_t>(ZEILNG)));
    HzRing& r = hzRing(art);
    for (const auto& z : r.zeile)
        if (std::memcmp(z, feld, ZEILNG) == 0) return;
    std::memcpy(r.zeile[r.schreib], feld, ZEILNG + 1);
    r.schreib = (r.schreib + 1) % ZEISUP;
    r.blaettern = r.schreib;
}

void HistoryZurueck(int art, char* aus, size_t kap)
{
    if (!hzDa) return;
    HzRing& r = hzRing(art);
    const int i = (r.blaettern + ZEISUP - 1) % ZEISUP;
    const std::string t = hzTrim(r.zeile[i]);
    if (!t.empty()) r.blaettern = i;
    hzKopie(aus, kap, t);
}

void HistoryVor(int art, char* aus, size_t kap)
{
    if (!hzDa) return;
    HzRing& r = hzRing(art);
    const std::string t = hzTrim(r.zeile[r.blaettern]);
    if (!t.empty()) r.blaettern = (r.blaettern + 1) % ZEISUP;
    hzKopie(aus, kap, t);
}

void HistoryListe(int art, std::vector<std::string>* aus)
{
    aus->clear();
    if (!hzDa) return;
    const HzRing& r = hzRing(art);
    for (int n = 1; n <= ZEISUP; ++n) {
        const int i = (r.schreib + ZEISUP - n) % ZEISUP;
        const std::string t = hzTrim(r.zeile[i]);
        if (t.empty()) break;
        aus->push_back(t);
    }
}

// ---- prompt ----------------------------------------------------------------------

void PromptSetzen(int code)
{
    hzZustand = BefIstText(code) ? 1 : 0;
    hzCode = code;
    hzTextNr = 402;
    hzFeld.clear();
    hzBearbCode = 0;
}

void PromptStandard() { PromptSetzen(C_ZB); }
int PromptZustand() { return hzZustand; }
int PromptCode() { return hzCode; }
const std::string& EingabeFeld() { return hzFeld; }
void EingabeFeldSetzen(const std::string& text) { hzFeld = text.substr(0, ZEILNG); }

std::string PromptText()
{
    char t[TEXTLAENGE + 40];
    if (hzZustand <= 1)
        std::snprintf(t, sizeof t, TextLaden(hzZustand == 0 ? 1400 : 1401), BefName(hzCode));
    else
        std::snprintf(t, sizeof t, "%s", TextLaden(hzTextNr + 1000));
    return t;
}

// ---- submitting --------------------------------------------------------------------

int EingabeAbschliessen(const char* text, int absenden)
{
    if (!absenden) {
        PromptStandard();
        return 1;
    }
    std::string zeile = text != nullptr ? text : "";
    zeile = zeile.substr(0, EINGABESUP);
    zeile.erase(zeile.find_last_not_of(" \t") + 1);
    HistoryMerken(hzZustand == 1 ? 'T' : 'B', zeile.c_str());
    if (hzZustand == 1) {
        BEF b = hzNeu(hzCode);
        BefTextSetzen(&b, zeile.c_str());
        hzTextEinreihen(&b, true);
        return 1;
    }
    if (hzZustand >= 2) {
        PromptAntwort(zeile.c_str());
        PromptStandard();
        return 1;
    }
    hzFeldGesetzt = false;
    if (BefehlszeileParsen(zeile.c_str())) {
        if (!hzFeldGesetzt) hzFeld.clear();
        return 1;
    }
    MessageBeep(0);
    if (!hzFeldGesetzt) hzFeld = zeile;
    return 0;
}

int BefehlszeileParsen(const char* zeile)
{
    const std::string z = hzKurzform(hzTrim(zeile != nullptr ? zeile : ""));
    const size_t leer = z.find(' ');
    const std::string wort = z.substr(0, leer);
    const std::string rest = leer == std::string::npos ? "" : hzTrim(z.substr(leer));
    const std::string mnem = hzGross(wort);
    const int code = wort.empty() ? -1 : BefCode(mnem.c_str());
    const STT* akt = BefAktZustand();

    if (code < 0) {
        BauHandle h;
        if (wort.size() <= BAUNAMSUP && BauOpen(&h, akt->bd, wort.c_str()) == 0) {
            BauClose(&h);
            BefEinreihenText(C_ZB, wort.c_str());
            return 1;
        }
        char mac[BAUPFADSUP + 1];
        BauVerzDatei(akt->bd, wort.c_str(), "mac", mac, sizeof mac);
        if (hzDateiDa(mac)) {
            BefEinreihenText(C_MAC, wort.c_str());
            return 1;
        }
        return 0;
    }
    if (BefIstText(code)) {
        if (!BaubfAktiv()) PromptSetzen(code);
        if (rest.empty()) return 1;
        BEF b;
        if (TextZuBef(&b, (mnem + " " + rest).c_str()) != 0) return 0;
        if (BefIstText(hzBearbCode)) hzBearbStart(hzBearbCode);
        hzTextEinreihen(&b, false);
        return 1;
    }
    if (rest.empty() && (BefAnzInt(code) > 0 || BefAnzReal(code) > 0 || BefHatText(code))) {
        hzBlank(code);
        return 1;
    }
    BEF b;
    if (TextZuBef(&b, (mnem + " " + rest).c_str()) != 0) return 0;
    switch (code) {
    case C_QVB:
        // Typed as "QVB x y": the number and the first double.
        if ((b.iarg[0] == 0 || b.darg[0] == 0) && !BaubfAktiv()) {
            hzBauenMit(&b);
            EdtBefehlPosten(1203);
            return 1;
        }
        break;
    case C_ZBW:
        if (!BaubfAktiv()) {
            if (b.text[0] == '\0') {
                b.iarg[0] = 0;
                BefTextSetzen(&b, rest.c_str());
            }
            BauHandle h;
            if (std::strlen(b.text) <= BAUNAMSUP && BauOpen(&h, akt->bd, b.text) == 0) {
                BauClose(&h);
                hzBauenMit(&b);
                EdtBefehlPosten(1211);
                return 1;
            }
        }
        break;
    case C_BD: {
        BefTextSetzen(&b, hzGross(b.text).c_str());
        char pfad[BAUPFADSUP + 1];
        if (BauPfad(b.text, pfad, sizeof pfad) != 0 || !hzDateiDa(pfad)) {
            EdtBefehlPosten(1103);
            return 1;
        }
        break;
    }
    case C_TD:
        BefTextSetzen(&b, hzGross(b.text).c_str());
        break;
    case C_ZO: {
        std::string t = b.text;
        if (!hzVerweis(&t)) {
            char m[TEXTLAENGE + BEFTEXTSUP];
            std::snprintf(m, sizeof m, TextLaden(1034), b.text);
            hzFeld = m;
            hzFeldGesetzt = true;
            return 0;
        }
        BefTextSetzen(&b, t.c_str());
        break;
    }
    case C_SUE:
    case C_SUA:
        b.iarg[0] = BefCode(hzGross(rest).c_str());
        break;
    case C_STA:
        b.iarg[0] = EingabeGanz(rest);
        break;
    case C_BW:
    case C_BA:
        b.iarg[0] = 1;
        break;
    default:
        if (BefIstZB(code)) BefTextSetzen(&b, hzGross(b.text).c_str());
        break;
    }
    hzBearbStart(code);
    hzEinreihen(&b);
    return 1;
}

void EingabeRsText(char* text, int groesse)
{
    if (groesse > 0) strkopie(text, static_cast<size_t>(groesse), hzRs.wartet ? hzRs.bef.text : "", groesse - 1);
}

void EingabeRsSetzen(const char* text)
{
    if (!hzRs.wartet || text == nullptr) return;
    BefTextSetzen(&hzRs.bef, text);
    if (hzRs.zeigen) hzFeld = std::string(hzRs.bef.text).substr(0, ZEILNG);
}

void EingabeRsFertig()
{
    if (!hzRs.wartet) return;
    hzRs.wartet = false;
    hzEinreihen(&hzRs.bef);
    hzFeld.clear();
}

int EingabeRsWartet() { return hzRs.wartet ? 1 : 0; }

void EingabeBearbeitenSetzen(const BEF* b, const STT* s)
{
    PromptStandard();
    if (b == nullptr) return;
    hzFeld = BefZuText(b).substr(0, ZEILNG);
    const int o = ObjCursor();
    if (s != nullptr && o >= 0 && TzExistiert(o) && TzIstMarkiert(o)) {
        hzBearbCode = b->code;
        hzBearbX = s->x;
        hzBearbY = s->y;
    }
}

void EingabeBef(BEF* aus)
{
    *aus = hzNeu(hzCode);
    if (hzZustand == 1) BefTextSetzen(aus, hzFeld.c_str());
}

void PromptAntwort(const char* zeile)
{
    const std::string z = zeile != nullptr ? zeile : "";
    BEF b = hzNeu(hzOffen);
    auto ganz = [&](int lo, int hi) { b.iarg[0] = std::clamp(EingabeGanz(z), lo, hi); };
    switch (hzZustand) {
    case 2: BefTextSetzen(&b, z.c_str()); break;
    case 3: {
        const std::string g = hzGross(z);
        if (hzOffen == C_ZBR) {
            b.code = C_ZB;
        } else if (hzOffen == C_ZBO || hzOffen == C_ZBL || hzOffen == C_ZBU) {
            b.code = C_ZBW;
            b.iarg[0] = hzOffen == C_ZBO ? 900 : (hzOffen == C_ZBL ? 1800 : 2700);
        }
        BefTextSetzen(&b, g.c_str());
        break;
    }
    case 4: b.iarg[0] = EingabeGanz(z); break;
    case 5: ganz(1, 7); break;
    case 6: b.darg[0] = EingabeZahl(z); break;
    case 7: ganz(1, 8); break;
    case 8: BefTextSetzen(&b, hzTrim(z).c_str()); break;
    case 9: BefTextSetzen(&b, z.empty() ? ZeiAktName() : z.c_str()); break;
    case 10:
        if (z.empty()) return;
        b.darg[0] = EingabeZahl(z);
        break;
    case 11: ganz(0, 9); break;
    case 12: {
        // Rounded symmetrically and brought into 0..3599 tenths.
        const long t = std::lround(EingabeZahl(z) * 10);
        b.iarg[0] = static_cast<int>(((t % 3600) + 3600) % 3600);
        break;
    }
    case 13: {
        std::string t = z;
        if (!hzVerweis(&t)) return;
        BefTextSetzen(&b, t.c_str());
        break;
    }
    default: return;
    }
    hzEinreihen(&b);
}
