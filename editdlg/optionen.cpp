// The switch dialogs of the editor: options (DB1101), display (DB1111) and
// the key table (DB1112). A check box shows one editor flag and queues the
// code that toggles it; a radio of a three-level switch queues its index.
// The refresh rewrites a box only when its flag moved since the last fill.
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>

#include "editdlg/einstell.h"
#include "editdlg/einstint.h"
#include "editor/befausf.h"
#include "editor/edtseite.h"
#include "editor/knopf.h"
#include "controls/elseite.h"
#include "controls/elzeile.h"
#include "model/beffifo.h"
#include "platform/fenster.h"
#include "platform/gdi.h"
#include "platform/nachricht.h"
#include "winlib/dlgitem.h"

namespace {

// One check box: its id, the code it queues (with `arg` as integer when
// not -1) and the flag it shows.
struct OptSchalter {
    int id, code, arg;
    int32_t BEFFLAGS::*flag;
    int bmk;  // index into bmk[] when flag is null
};

constexpr OptSchalter optOptionen[] = {
    {3000, 121, -1, &BEFFLAGS::vrb, 0},    {3001, 120, -1, &BEFFLAGS::el1, 0},
    {3002, 141, -1, &BEFFLAGS::czl, 0},    {3003, 181, -1, &BEFFLAGS::beweg, 0},
    {3004, 134, -1, &BEFFLAGS::bmz, 0},    {3005, 154, -1, &BEFFLAGS::bearb, 0},
    {3006, 123, -1, &BEFFLAGS::sumatx, 0}, {3010, 79, 0, nullptr, 0},
    {3011, 79, 1, nullptr, 1},             {3012, 79, 2, nullptr, 2},
    {3013, 79, 3, nullptr, 3},             {3014, 79, 4, nullptr, 4},
    {3015, 79, 5, nullptr, 5},
};

constexpr OptSchalter optAnzeige[] = {
    {3000, 125, -1, &BEFFLAGS::vrz, 0}, {3001, 126, -1, &BEFFLAGS::qva, 0}, {3002, 127, -1, &BEFFLAGS::ata, 0},
    {3003, 128, -1, &BEFFLAGS::fka, 0}, {3004, 132, -1, &BEFFLAGS::qba, 0}, {3005, 133, -1, &BEFFLAGS::uba, 0},
    {3006, 124, -1, &BEFFLAGS::hza, 0}, {3110, 130, -1, &BEFFLAGS::tda, 0},
};

// The three-level switches of the display: first radio, code, flag.
struct OptStufe {
    int id, code;
    int32_t BEFFLAGS::*flag;
};
constexpr OptStufe optStufen[] = {{3100, 129, &BEFFLAGS::ta}, {3120, 131, &BEFFLAGS::tm}};

int optWert(const OptSchalter& s)
{
    const BEFFLAGS* f = BefFlags();
    return (s.flag != nullptr ? f->*s.flag : f->bmk[s.bmk]) != 0;
}

template <size_t N>
struct OptDialog {
    const OptSchalter (&tafel)[N];
    bool stufen;
    BEFFLAGS gezeigt{};

    void fuellen(bool voll)
    {
        const BEFFLAGS jetzt = *BefFlags();
        DbFuellen f;
        for (const OptSchalter& s : tafel) {
            const int alt = (s.flag != nullptr ? gezeigt.*s.flag : gezeigt.bmk[s.bmk]) != 0;
            if (voll || alt != optWert(s)) wiKnopfSetzen(s.id, optWert(s));
        }
        if (stufen)
            for (const OptStufe& st : optStufen)
                if (voll || gezeigt.*st.flag != jetzt.*st.flag)
                    for (int i = 0; i < 3; ++i) wiKnopfSetzen(st.id + i, jetzt.*st.flag == i);
        gezeigt = jetzt;
    }

    int befehl(UINT nachricht, WPARAM wp)
    {
        if (nachricht != WM_COMMAND) return 0;
        const int id = LOWORD(wp);
        if (EstSchliessen(id)) return 1;
        if (id == 2999) {
            fuellen(false);
            return 1;
        }
        for (const OptSchalter& s : tafel)
            if (s.id == id) {
                if (!EstGeklickt(wp)) return 1;
                if (s.arg >= 0)
                    BefEinreihenInt(s.code, s.arg);
                else
                    BefEinreihenCode(s.code);
                return 1;
            }
        if (stufen)
            for (const OptStufe& st : optStufen)
                if (id >= st.id && id < st.id + 3) {
                    if (EstGeklickt(wp)) BefEinreihenInt(st.code, id - st.id);
                    return 1;
                }
        return 0;
    }
};

OptDialog<sizeof optOptionen / sizeof optOptionen[0]> optOpt{optOptionen, false};
OptDialog<sizeof optAnzeige / sizeof optAnzeige[0]> optAnz{optAnzeige, true};

int optOptInit(int, const char* const*)
{
    DbDlgAnfang(DBEINSTELL);
    optOpt.fuellen(true);
    return 0;
}
int optAnzInit(int, const char* const*)
{
    DbDlgAnfang(DBEINSTELL);
    optAnz.fuellen(true);
    return 0;
}
int optEinstellExit()
{
    DbDlgEnde(DBEINSTELL);
    return 0;
}
int optOptBefehl(UINT n, WPARAM wp, LPARAM) { return optOpt.befehl(n, wp); }
int optAnzBefehl(UINT n, WPARAM wp, LPARAM) { return optAnz.befehl(n, wp); }

// ---- DB1112 key table ------------------------------------------------------------------------------------
// A line holds the key and the command in fields of 12 characters, then the
// hint. The list font is proportional, so each field is drawn from a column
// of its own: as many average character widths as the widest text of the
// field before it needs, plus one. The painter of the record lists places a
// run after a markup sequence at that many character widths, so the line is
// drawn as its fields padded to their column, separated by a colour reset.

int optSpalten[2] = {KNOHILFEFELD, KNOHILFEFELD};  // characters of the key and command columns

std::string optFeld(const std::string& zeile, int k)
{
    const size_t von = static_cast<size_t>(k * KNOHILFEFELD);
    if (von >= zeile.size()) return "";
    std::string t = zeile.substr(von, k < 2 ? static_cast<size_t>(KNOHILFEFELD) : std::string::npos);
    while (!t.empty() && t.back() == ' ') t.pop_back();
    return t;
}

std::string optZeile(int n)
{
    HWND l = wiItem(3000);
    const LRESULT lang = SendMessage(l, LB_GETTEXTLEN, static_cast<WPARAM>(n), 0);
    if (lang <= 0) return "";
    std::string t(static_cast<size_t>(lang) + 1, '\0');
    SendMessage(l, LB_GETTEXT, static_cast<WPARAM>(n), reinterpret_cast<LPARAM>(t.data()));
    t.resize(std::strlen(t.c_str()));
    return t;
}

void optSpaltenMessen()
{
    HWND l = wiItem(3000);
    HDC dc = GetDC(l);
    // The font the list box paints its items in.
    const HGDIOBJ schrift = static_cast<HGDIOBJ>(SendMessage(l, WM_GETFONT, 0, 0));
    HGDIOBJ alt = SelectObject(dc, schrift ? schrift : GetStockObject(SYSTEM_FONT));
    const int cw = ElsMessen().cw;
    int breit[2] = {0, 0};
    const int n = static_cast<int>(SendMessage(l, LB_GETCOUNT, 0, 0));
    for (int i = 0; i < n; ++i) {
        const std::string z = optZeile(i);
        for (int k = 0; k < 2; ++k) {
            const std::string f = optFeld(z, k);
            SIZE g{};
            GetTextExtentPoint32(dc, f.c_str(), static_cast<int>(f.size()), &g);
            breit[k] = std::max(breit[k], static_cast<int>(g.cx));
        }
    }
    if (alt) SelectObject(dc, alt);
    ReleaseDC(l, dc);
    for (int k = 0; k < 2; ++k) optSpalten[k] = (breit[k] + cw - 1) / cw + 1;
}

const char* optTastenText(int n)
{
    static std::string t;
    const std::string z = optZeile(n);
    t.clear();
    for (int k = 0; k < 3; ++k) {
        std::string f = optFeld(z, k);
        if (k < 2) f.resize(static_cast<size_t>(optSpalten[k]), ' ');
        t += f;
        if (k < 2) t += "\x1b" "FN;";
    }
    return t.c_str();
}

int optTastenInit(int, const char* const*)
{
    DbDlgAnfang(nullptr);
    KnopfHilfeFuellen(wiItem(3000));
    optSpaltenMessen();
    InvalidateRect(wiItem(3000), nullptr, TRUE);
    return 0;
}

int optTastenExit()
{
    DbDlgEnde(nullptr);
    return 0;
}

int optTastenBefehl(UINT nachricht, WPARAM wp, LPARAM lp)
{
    if (nachricht == WM_MEASUREITEM || nachricht == WM_DRAWITEM)
        return ElzOwnerDraw(3000, optTastenText, nachricht, static_cast<int>(wp), lp);
    if (nachricht != WM_COMMAND) return 0;
    switch (LOWORD(wp)) {
    case 1:
        if (!DbEnter()) PostMessage(wiDlgFenster(), WM_COMMAND, 2500, 0);
        return 1;
    case 3000:
        if (HIWORD(wp) == LBN_DBLCLK) PostMessage(wiDlgFenster(), WM_COMMAND, 2500, 0);
        return 1;
    case 2500: {
        const int n = wiListeWahl(3000);
        if (n >= 0) {
            char zeile[512] = "";
            if (SendMessage(wiItem(3000), LB_GETTEXTLEN, static_cast<WPARAM>(n), 0) < static_cast<LRESULT>(sizeof zeile)) {
                wiListeText(3000, n, zeile);
                KnopfHilfeAusfuehren(zeile);
            }
        }
        wiDlgSchliessen();
        return 1;
    }
    case 2:
    case 2501: wiDlgSchliessen(); return 1;
    default: return 0;
    }
}

}  // namespace

void DB1101Oeffnen() { EdtDialogOeffnen("DB1101", optOptInit, optEinstellExit, optOptBefehl); }
void DB1111Oeffnen() { EdtDialogOeffnen("DB1111", optAnzInit, optEinstellExit, optAnzBefehl); }
void DB1112Oeffnen() { EdtDialogOeffnen("DB1112", optTastenInit, optTastenExit, optTastenBefehl); }
