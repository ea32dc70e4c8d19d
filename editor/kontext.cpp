// Command strings and the drawing's context menus; see kontext.h.
#include "editor/kontext.h"

#include <cstdlib>
#include <cstring>

#include "editor/baubf.h"
#include "editor/befausf.h"
#include "editor/edtseite.h"
#include "editor/eingabe.h"
#include "editor/mehrfach.h"
#include "editor/objwahl.h"
#include "model/befehl.h"
#include "model/beffifo.h"
#include "model/tempzeic.h"
#include "output/ansicht.h"
#include "platform/fenster.h"
#include "platform/menue.h"
#include "platform/nachricht.h"
#include "platform/ressource.h"
#include "platform/winconst.h"
#include "support/texte.h"
#include "support/vergleich.h"
#include "winlib/wiwerk.h"

namespace {

constexpr int KT_ZL = 40;
constexpr int KT_CZL = 141;
constexpr int KT_MFL_ENDE = 1341;  // "Mehrfachlinie beenden"

int ktGezeigt = 0;  // the cursor mode the status field shows

std::string ktTrim(const std::string& t)
{
    const size_t a = t.find_first_not_of(" \t\r\n");
    if (a == std::string::npos) return "";
    return t.substr(a, t.find_last_not_of(" \t\r\n") - a + 1);
}

// The argument of a short form: from the third character on.
std::string ktKurz(const std::string& s) { return s.size() > 2 ? ktTrim(s.substr(2)) : ""; }

bool ktLang(const std::string& s, const char* form)
{
    return s.size() >= 6 && strnvgl(s.c_str(), form, 6) == 0;
}

int ktMnemonik(const std::string& t)
{
    std::string w = t.substr(0, t.find(' '));
    for (char& c : w) c = static_cast<char>(zgross(static_cast<unsigned char>(c)));
    return BefCode(w.c_str());
}

void ktMenue(const std::string& zahl)
{
    const int n = std::atoi(zahl.c_str());
    if (n > 0) EdtBefehlPosten(n);
}

void ktAusf(const std::string& zeile)
{
    BEF b;
    if (TextZuBef(&b, zeile.c_str()) == 0) BefEinreihen(&b);
}

void ktSchritt(const std::string& s)
{
    if (s.empty()) return;
    if (ktLang(s, "Menu: ")) return ktMenue(ktTrim(s.substr(6)));
    if (ktLang(s, "Ausf: ")) return ktAusf(ktTrim(s.substr(6)));
    if (ktLang(s, "Bear: ")) return ElementStarten(ktMnemonik(ktTrim(s.substr(6))));
    switch (s[0]) {
    case '#': return ktMenue(ktKurz(s));
    case '>': return ktAusf(ktKurz(s));
    case '*': return ElementStarten(ktMnemonik(ktKurz(s)));
    default: EingabeAusfuehren(s.c_str());
    }
}

}  // namespace

std::vector<std::string> BefehlsTextSchritte(const char* text)
{
    std::vector<std::string> schritte;
    std::string s = text != nullptr ? text : "";
    s = s.substr(0, BEFSTRINGSUP);
    if (ktTrim(s).empty()) return schritte;
    const size_t kommentar = s.find(';', 1);
    if (kommentar != std::string::npos) s.erase(kommentar);
    s += " |";
    for (;;) {
        const size_t strich = s.find('|', 1);
        if (strich == std::string::npos) break;
        const std::string schritt = ktTrim(s.substr(0, strich));
        if (!schritt.empty()) schritte.push_back(schritt);
        s = ktTrim(s.substr(strich + 1));
    }
    return schritte;
}

void BefehlsTextAusfuehren(const char* text)
{
    for (const std::string& s : BefehlsTextSchritte(text)) ktSchritt(s);
}

void ElementStarten(int code)
{
    if (code <= 0 || BaubfAktiv()) return;
    BaubfStarten(code);
}

const char* KontextMenueName()
{
    if (TzMarkAnzahl() == 0) return "RMMENUKEIN";
    const int obj = ObjCursor();
    return obj >= 0 && TzIstMarkiert(obj) ? "RMMENUEINS" : "RMMENUVIELE";
}

void KontextMenueZeigen(int x, int y)
{
    HWND zeichnung = AnsichtFenster();
    HWND seite = EdtFenster();
    if (!zeichnung || !seite) return;
    const char* name = KontextMenueName();
    HMENU m = LoadMenu(GetModuleHandle(nullptr), name);
    if (!m) return;
    HMENU p = GetSubMenu(m, 0);
    if (std::strcmp(name, "RMMENUKEIN") == 0 && MflAnzahl() == 0) DeleteMenu(p, KT_MFL_ENDE, MF_BYCOMMAND);
    wiMenuTexteUmschreiben(p);
    POINT pt{x, y};
    ClientToScreen(zeichnung, &pt);
    AnsichtCaretModus(1);
    TrackPopupMenu(p, TPM_LEFTALIGN | TPM_LEFTBUTTON, pt.x, pt.y, 0, GetParent(zeichnung), nullptr);
    AnsichtCaretModus(BefFlags()->fka != 0);
    DestroyMenu(m);
}

int CursorModus()
{
    if (BaubfAktiv() && BaubfCode() == KT_ZL) return 2;
    return BefFlags()->czl;
}

void CursorModusGezeigt(int modus) { ktGezeigt = modus; }

void CursorModusKlick()
{
    switch (ktGezeigt) {
    case 0: ElementStarten(KT_ZL); break;
    case 1: BefEinreihenCode(KT_CZL); break;
    case 2:
        if (BaubfAktiv() && BaubfCode() == KT_ZL) {
            BaubfEnde();
            BefEinreihenCode(KT_CZL);
        }
        break;
    default: break;
    }
}

void LinieZu(double x, double y) { BefEinreihenXY(KT_ZL, x, y); }
