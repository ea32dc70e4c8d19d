// Component library and standard-text file of the editor (DB1103): two
// lists of the files found, each with the field its choice goes into.
// A double click takes a file at once; confirm takes both fields.
#include <algorithm>
#include <cctype>
#include <cstring>
#include <string>
#include <vector>

#include "config/reaktion.h"
#include "config/verzeich.h"
#include "controls/elzeile.h"
#include "editdlg/dbteile.h"
#include "editdlg/einstell.h"
#include "editdlg/einstint.h"
#include "editor/edtseite.h"
#include "model/beffifo.h"
#include "platform/nachricht.h"
#include "support/dosdatei.h"
#include "support/texte.h"
#include "support/vergleich.h"
#include "winlib/dlgitem.h"

namespace {

constexpr int BTX_BD = 35, BTX_TD = 36;
constexpr int BTXFELDSUP = 80;
constexpr const char* BTXZENTRAL = " (zentral)";

int btxNamen(int verzeichnis, const char* pfad, void* u)
{
    if (verzeichnis) return 1;
    const char* name = std::strrchr(pfad, '/');
    static_cast<std::vector<std::string>*>(u)->push_back(name != nullptr ? name + 1 : pfad);
    return 1;
}

// The "*.txt" files of a directory kind, sorted ignoring case.
std::vector<std::string> btxTextDateien(int art)
{
    std::vector<std::string> v;
    char verz[VERSUP + 1] = "";
    if (!VerHolen(art, verz)) return v;
    verzlesennamen((std::string(verz) + "*.txt").c_str(), btxNamen, &v);
    std::sort(v.begin(), v.end(), [](const std::string& a, const std::string& b) { return strvgl(a.c_str(), b.c_str()) < 0; });
    return v;
}

std::string btxOhneMarke(const std::string& t)
{
    const size_t k = t.find('(', 1);
    if (k == std::string::npos) return t;
    return t.substr(0, k - 1);
}

std::string btxFeld(int id)
{
    char t[BTXFELDSUP + 1] = "";
    wiTextHolen(id, t, BTXFELDSUP);
    strtrim(t);
    return t;
}

std::string btxGross(std::string t)
{
    for (char& c : t) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return t;
}

// The extension of a "BAUTEILE.xxx" name: what follows its first '.'.
std::string btxEndung(const std::string& t)
{
    const size_t p = t.find('.');
    return p == std::string::npos ? "" : t.substr(p + 1);
}

std::string btxEintrag(int id, int n)
{
    char t[256] = "";
    if (n < 0 || SendMessage(wiItem(id), LB_GETTEXTLEN, static_cast<WPARAM>(n), 0) >= 256) return "";
    wiListeText(id, n, t);
    return t;
}

// Selects the first entry that begins with the text (ignoring case).
void btxWaehlenNach(int id, const std::string& text)
{
    const int anzahl = wiListeAnzahl(id);
    for (int i = 0; i < anzahl; ++i)
        if (strnvgl(btxEintrag(id, i).c_str(), text.c_str(), static_cast<int>(text.size())) == 0) {
            wiListeWahlSetzen(id, i);
            return;
        }
}

int btxInit(int, const char* const*)
{
    DbDlgAnfang(DBEINSTELL);
    const STT s = EstZustand();
    DbFuellen f;
    const int n = BtlDateienSammeln();
    wiListeLeeren(3020);
    for (int i = 0; i < n; ++i) {
        std::string name;
        BtlDateiName(i, &name);
        wiListeAnhaengen(3020, name.c_str());
    }
    std::vector<std::string> texte = btxTextDateien(3);
    for (const std::string& z : btxTextDateien(7)) texte.push_back(z + BTXZENTRAL);
    BtxTextListeBereinigen(&texte);
    wiListeLeeren(3120);
    for (const std::string& t : texte) wiListeAnhaengen(3120, t.c_str());
    const std::string bd = std::string("BAUTEILE.") + s.bd;
    wiTextSetzen(3010, bd.c_str());
    wiTextSetzen(3110, s.td);
    btxWaehlenNach(3020, bd);
    btxWaehlenNach(3120, s.td);
    return 0;
}

int btxExit()
{
    DbDlgEnde(DBEINSTELL);
    return 0;
}

void btxBestaetigen()
{
    BefEinreihenText(BTX_BD, btxEndung(btxGross(btxFeld(3010))).c_str());
    BefEinreihenText(BTX_TD, btxGross(btxFeld(3110)).c_str());
    wiDlgSchliessen();
}

int btxBefehl(UINT nachricht, WPARAM wp, LPARAM lp)
{
    if (nachricht == WM_MEASUREITEM || nachricht == WM_DRAWITEM) {
        const int id = static_cast<int>(wp);
        return ElzOwnerDraw(3020, nullptr, nachricht, id, lp) || ElzOwnerDraw(3120, nullptr, nachricht, id, lp);
    }
    if (nachricht != WM_COMMAND) return 0;
    const int id = LOWORD(wp);
    switch (id) {
    case 1:
        if (!DbEnter()) btxBestaetigen();
        return 1;
    case 2500: btxBestaetigen(); return 1;
    case 2:
    case 2501: wiDlgSchliessen(); return 1;
    case 3020:
    case 3120: {
        if (DbFuellt()) return 1;
        std::string t = btxEintrag(id, wiListeWahl(id));
        if (id == 3120) t = btxOhneMarke(t);
        if (HIWORD(wp) == LBN_SELCHANGE) {
            DbFuellen f;
            wiTextSetzen(id == 3020 ? 3010 : 3110, t.c_str());
        } else if (HIWORD(wp) == LBN_DBLCLK && !t.empty()) {
            BefEinreihenText(id == 3020 ? BTX_BD : BTX_TD, id == 3020 ? btxEndung(t).c_str() : t.c_str());
            EdtFokus();
        }
        return 1;
    }
    case 3110:
        if (EstGetippt(wp)) {
            DbFuellen f;
            btxWaehlenNach(3120, btxFeld(3110));
        }
        return 1;
    default: return 0;
    }
}

}  // namespace

void BtxTextListeBereinigen(std::vector<std::string>* liste)
{
    std::vector<std::string>& v = *liste;
    for (size_t i = v.size(); i-- > 1;) {
        const std::string a = btxOhneMarke(v[i - 1]), b = btxOhneMarke(v[i]);
        const int ka = SprTextDateiArt(a.c_str()), kb = SprTextDateiArt(b.c_str());
        if (v[i] == v[i - 1] || (ka != 0 && kb != 0 && kb == ka + 1)) v.erase(v.begin() + static_cast<long>(i));
    }
}

void DB1103Oeffnen() { EdtDialogOeffnen("DB1103", btxInit, btxExit, btxBefehl); }
