// The text dialog DB1201; see textdlg.h.
//
// The exchange buffer between the choosers and the text field holds as
// much as the field (180 characters): a text with a variable appended stays
// whole, or the append is refused with a message, never cut silently.
#include "editdlg/textdlg.h"

#include <cstring>
#include <string>
#include <vector>

#include "config/apstil.h"
#include "config/reaktion.h"
#include "config/verzeich.h"
#include "controls/elzeile.h"
#include "editdlg/dbdialog.h"
#include "editdlg/dbteile.h"
#include "editdlg/textdat.h"
#include "editdlg/wahl.h"
#include "editor/edmeld.h"
#include "editor/history.h"
#include "editor/edtseite.h"
#include "editor/baubf.h"
#include "editor/objwahl.h"
#include "model/beffifo.h"
#include "model/edhaken.h"
#include "model/einstell.h"
#include "model/tempzeic.h"
#include "output/ansicht.h"
#include "output/schrift.h"
#include "platform/nachricht.h"
#include "platform/winconst.h"
#include "project/rschreib.h"
#include "support/dosdatei.h"
#include "support/texte.h"
#include "winlib/dlgitem.h"
#include "winlib/winbib.h"
#include "winlib/wiwerk.h"

namespace {

constexpr int TXD_TG = 30, TXD_TR = 31, TXD_TV = 32, TXD_TS = 34, TXD_MEN = 114;
constexpr int TXD_ZULANG = 4992;
constexpr int TXDRING = 'T';  // the text history

int txdLetzterCode = 50;
STT txdGezeigt{};
std::string txdPuffer;
HWND txdFenster = 0;

bool txdIstText(int code) { return code >= 50 && code <= 57; }

void txdStilFuellen(bool voll)
{
    const STT* z = modh::EditorZustand();
    const STT s = z != nullptr ? *z : STT{};
    DbFuellen f;
    if (voll || s.tg != txdGezeigt.tg) DlgZahlSetzen(3200, s.tg);
    if (voll || s.tr != txdGezeigt.tr) wiZehntelSetzen(3210, s.tr);
    if (voll || s.tv != txdGezeigt.tv) wiDezSetzen1(3220, s.tv);
    if (voll || s.ts != txdGezeigt.ts) {
        wiComboWahlSetzen(3230, s.ts);
        char name[64] = "";
        SchriftName(s.ts, name, sizeof name);
        wiTextSetzen(3231, name);
    }
    txdGezeigt = s;
}

int txdCodeAusRadios() { return TxdCode(wiRadio(3010, 2), wiRadio(3020, 4)); }

std::string txdFeldText()
{
    char t[TXDPUFFERSUP + 1] = "";
    wiComboText(3000, t, TXDPUFFERSUP);
    if (t[0] == '\0') wiComboWahlText(3000, t, TXDPUFFERSUP);
    return t;
}

// The element takes the field's text and the code of the radio groups.
void txdElementSetzen()
{
    BEF b;
    b = BaubfHolen();
    b.code = static_cast<uint8_t>(txdCodeAusRadios());
    BefTextSetzen(&b, TxdMitMarke(txdFeldText().c_str(), wiKnopf(3030) != 0).c_str());
    BaubfSetzen(&b);
}

// The record the dialog starts with: the text under construction, else the
// only marked text (re-edited), else an empty one of the last code.
BEF txdSatzWaehlen(int* objekt)
{
    BEF b{};
    *objekt = -1;
    if (BaubfAktiv() && txdIstText(BaubfCode())) {
        b = BaubfHolen();
        return b;
    }
    if (TzMarkAnzahl() == 1) {
        for (int id = TzNaechstes(-1); id < TZENDE; id = TzNaechstes(id)) {
            if (!TzIstMarkiert(id)) continue;
            STT s;
            if (TzObjHolen(id, &b, &s) == 0 && txdIstText(b.code)) {
                modh::EditorZustandSetzen(&s);
                AnsichtMitteSetzen(s.x, s.y);
                *objekt = id;
                return b;
            }
            break;
        }
    }
    b = BEF{};
    b.code = static_cast<uint8_t>(txdLetzterCode);
    return b;
}

int txdInit(int, const char* const*)
{
    DbDlgAnfang(nullptr);
    txdFenster = wiDlgFenster();
    {
        DbFuellen f;
        SchriftCombo(3230);
    }
    if (RsStarten())
        RsFeldAnmelden(3000, "Text", 2);
    else
        wiItemZeigen(2990, 0);
    txdStilFuellen(true);
    int objekt = -1;
    const BEF b = txdSatzWaehlen(&objekt);
    {
        DbFuellen f;
        wiRadioSetzen(3010, (b.code - 50) / 4, 2);
        wiRadioSetzen(3020, (b.code - 50) % 4, 4);
        std::string text;
        wiKnopfSetzen(3030, TxdOhneMarke(b.text, &text));
        wiTextSetzen(3000, text.c_str());
    }
    if (!BaubfAktiv()) BaubfStarten(b.code);
    BaubfSetzen(&b);
    if (objekt >= 0) BaubfObjektSetzen(objekt);
    wiKnopfSetzen(2504, 1);
    wiItemFont(2504, OFSchrift(2));
    BaubfDialogOffen(1);
    return 0;
}

int txdExit()
{
    RsFelderAbmelden();
    DbDlgEnde(nullptr);
    BaubfDialogOffen(0);
    BaubfAbbrechen();
    txdFenster = 0;
    return 0;
}

void txdAnwenden()
{
    BEF b;
    b = BaubfHolen();
    BaubfAbsetzen();
    HistoryMerken(TXDRING, b.text);
    txdLetzterCode = b.code;
    if (wiKnopf(2504)) {
        wiDlgSchliessen();
        return;
    }
    BaubfAbbrechen();
    BaubfStarten(b.code);
    {
        DbFuellen f;
        wiTextSetzen(3000, "");
    }
    EdtFokus();
}

// A chosen line's first word goes into the exchange buffer.
void txdWortNehmen(const char* zeile, int befehl)
{
    std::string z = zeile != nullptr ? zeile : "";
    const size_t a = z.find_first_not_of(' ');
    z = a == std::string::npos ? "" : z.substr(a, z.find(' ', a) - a);
    txdPuffer = z;
    if (txdFenster != 0) PostMessage(txdFenster, WM_COMMAND, static_cast<WPARAM>(befehl), 0);
}
void txdStandardGewaehlt(const char* zeile) { txdWortNehmen(zeile, 2510); }
// An article line goes in whole (the chooser pads the number to its column).
void txdArtikelGewaehlt(const char* zeile)
{
    txdPuffer = zeile != nullptr ? zeile : "";
    if (txdPuffer.size() > static_cast<size_t>(TXDPUFFERSUP)) txdPuffer.resize(TXDPUFFERSUP);
    if (txdFenster != 0) PostMessage(txdFenster, WM_COMMAND, 2510, 0);
}

// The standard-text file of the current language: when it is missing and
// the language-neutral file is there, the neutral one is copied (text 1309).
void txdSprachDatei(const char* td, char* pfad, size_t groesse)
{
    PfadText(pfad, groesse, td);
    char neutral[VERSUP + 64];
    strkopie(neutral, sizeof neutral, td, static_cast<int>(sizeof neutral) - 1);
    if (!SprTextNeutral('$', neutral, sizeof neutral)) return;
    char npfad[VERSUP + 64] = "";
    PfadText(npfad, sizeof npfad, neutral);
    if (std::strcmp(npfad, pfad) == 0 || dosattrib(pfad) != DOSATTR_FEHLT || dosattrib(npfad) == DOSATTR_FEHLT) return;
    if (dateikopieren(npfad, pfad) == 0) MeldungNr(309, 0);
}
void txdVariableGewaehlt(const char* zeile) { txdWortNehmen(zeile, 2520); }

int txdBefehl(UINT nachricht, WPARAM wp, LPARAM lp)
{
    if (RsNachricht(nachricht, wp, lp)) return 1;
    if (nachricht == WM_MEASUREITEM || nachricht == WM_DRAWITEM)
        return ElzOwnerDraw(3230, nullptr, nachricht, static_cast<int>(wp), lp);
    if (nachricht != WM_COMMAND) return 0;
    const int id = LOWORD(wp);
    switch (id) {
    case 1:
        if (DbEnter()) return 1;
        [[fallthrough]];
    case 2500:
        // A check on confirm answers with 2509 when it is done.
        if (RsPruefenAktiv())
            RsPruefen(0, 2509);
        else
            txdAnwenden();
        return 1;
    case 2509: txdAnwenden(); return 1;
    case 2511: DB1210Oeffnen(txdArtikelGewaehlt); return 1;
    case 2: EdtFokus(); return 1;
    case 2501: wiDlgSchliessen(); return 1;
    case 2999:
        txdStilFuellen(false);
        if (!BaubfAktiv() || !txdIstText(BaubfCode())) wiDlgSchliessen();
        return 1;
    case 2512: {
        DbFuellen f;
        wiRadioSetzen(3010, 1, 2);
        const STT* s = modh::EditorZustand();
        char pfad[VERSUP + 64] = "";
        txdSprachDatei(s != nullptr ? s->td : "", pfad, sizeof pfad);
        DB1204Oeffnen("DB1204T", pfad, txdStandardGewaehlt);
        return 1;
    }
    case 2513: {
        DbFuellen f;
        wiRadioSetzen(3010, 0, 2);
        char pfad[VERSUP + 64] = "";
        PfadBilden(0, "Variablen", "txt", pfad, sizeof pfad);
        DB1204Oeffnen("DB1204V", pfad, txdVariableGewaehlt);
        return 1;
    }
    case 2514: {
        std::string muster = EdEinst()->exenote;
        const size_t p = muster.find("%s");
        if (p != std::string::npos) muster.erase(p, 2);
        if (muster.find_first_not_of(' ') != std::string::npos) wiProgrammStarten(muster.c_str());
        return 1;
    }
    case 2520: {
        std::string neu;
        if (!TxdAnhaengen(txdFeldText(), txdPuffer, &neu)) {
            StatusMeldung(TextNr(TXD_ZULANG));
            return 1;
        }
        txdPuffer = neu;
        PostMessage(wiDlgFenster(), WM_COMMAND, 2510, 0);
        return 1;
    }
    case 2510: {
        {
            DbFuellen f;
            wiTextSetzen(3000, txdPuffer.c_str());
        }
        txdElementSetzen();
        return 1;
    }
    default: break;
    }
    if (DbFuellt()) return 1;
    switch (id) {
    case 3000:
        if (HIWORD(wp) == CBN_DROPDOWN) {
            std::vector<std::string> ring;
            HistoryListe(TXDRING, &ring);
            DbFuellen f;
            char t[TXDPUFFERSUP + 1] = "";
            wiComboText(3000, t, TXDPUFFERSUP);
            wiComboLeeren(3000);
            for (const std::string& z : ring) wiComboAnhaengen(3000, z.c_str());
            wiTextSetzen(3000, t);
            return 1;
        }
        if (HIWORD(wp) == CBN_SELCHANGE || HIWORD(wp) == CBN_DBLCLK || HIWORD(wp) == CBN_EDITCHANGE ||
            HIWORD(wp) == CBN_EDITUPDATE)
            txdElementSetzen();
        return 1;
    case 3030:
    case 3010:
    case 3011:
    case 3020:
    case 3021:
    case 3022:
    case 3023:
        if (HIWORD(wp) == BN_CLICKED) txdElementSetzen();
        return 1;
    case 3200:
        if (HIWORD(wp) == EN_CHANGE) BefEinreihenReal(TXD_TG, txdGezeigt.tg = wiDezHolen(3200));
        return 1;
    case 3210:
        if (HIWORD(wp) == EN_CHANGE)
            BefEinreihenInt(TXD_TR, txdGezeigt.tr = static_cast<int>(wiDezHolen(3210) * 10 + 0.5));
        return 1;
    case 3220:
        if (HIWORD(wp) == EN_CHANGE) BefEinreihenReal(TXD_TV, txdGezeigt.tv = wiDezHolen(3220));
        return 1;
    case 3230:
        if (HIWORD(wp) == CBN_SELCHANGE) BefEinreihenInt(TXD_TS, txdGezeigt.ts = wiComboWahl(3230));
        return 1;
    default: return 0;
    }
}

}  // namespace

int TxdCode(int art, int ausrichtung) { return 50 + 4 * art + ausrichtung; }

std::string TxdMitMarke(const char* text, bool verknuepft)
{
    return (verknuepft ? std::string("\x01L") : std::string()) + (text != nullptr ? text : "");
}

bool TxdOhneMarke(const char* text, std::string* aus)
{
    const bool marke = text != nullptr && text[0] == '\x01' && text[1] == 'L';
    *aus = text == nullptr ? "" : marke ? text + 2 : text;
    return marke;
}

bool TxdAnhaengen(const std::string& feld, const std::string& wort, std::string* puffer)
{
    const std::string neu = feld + wort;
    if (neu.size() > static_cast<size_t>(TXDPUFFERSUP)) return false;
    *puffer = neu;
    return true;
}

void DB1201Oeffnen()
{
    if (DbAndererBefehl(50, 57)) return;
    EdtDialogOeffnen("DB1201", txdInit, txdExit, txdBefehl);
}

void TextDialogMitText(int code, int verknuepft, const char* text, double x, double y)
{
    if (BaubfAktiv() && !txdIstText(BaubfCode())) {
        BaubfMeldung();
        return;
    }
    BaubfStartenBei(code, x, y);
    BEF b;
    b = BaubfHolen();
    BefTextSetzen(&b, TxdMitMarke(text, verknuepft != 0).c_str());
    BaubfSetzen(&b);
    BefEinreihenInt(TXD_MEN, 1201);
}
