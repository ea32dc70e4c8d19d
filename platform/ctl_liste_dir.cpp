// LB_DIR, DlgDirList and DlgDirSelectEx: list boxes filled with the names of
// a folder. Names are code page 1252 as the file-system boundary gives them;
// patterns compare ignoring case with * and ?. See ctl_liste.h. May call:
// fenster.h, nachricht.h, dateisys.h.
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <string>

#include "platform/ctl_liste_int.h"
#include "platform/dateisys.h"
#include "platform/fenster.h"
#include "platform/nachricht.h"
#include "platform/zeichen.h"

namespace {

bool lbdPasst(const char* muster, const char* name)
{
    if (std::strcmp(muster, "*.*") == 0 || std::strcmp(muster, "*") == 0) return true;
    // Iterative wildcard match: remember the last '*' to back up to.
    const char* sternM = nullptr;
    const char* sternN = nullptr;
    while (*name) {
        if (*muster == '*') {
            sternM = ++muster;
            sternN = name;
            continue;
        }
        if (*muster == '?' ||
            (*muster && plZeichenGross(static_cast<unsigned char>(*muster)) == plZeichenGross(static_cast<unsigned char>(*name)))) {
            ++muster;
            ++name;
            continue;
        }
        if (!sternM) return false;
        muster = sternM;
        name = ++sternN;
    }
    while (*muster == '*') ++muster;
    return *muster == '\0';
}

// Splits "folder/pattern" at the last separator; the pattern is "*.*" when
// the path ends in a separator or names an existing folder.
void lbdTeilen(const char* pfad, std::string* ordner, std::string* muster)
{
    std::string p = pfad ? pfad : "";
    std::replace(p.begin(), p.end(), '\\', '/');
    struct stat st;
    if (!p.empty() && plDsStat(p.c_str(), &st) == 0 && S_ISDIR(st.st_mode)) {
        *ordner = p;
        *muster = "*.*";
        return;
    }
    size_t t = p.find_last_of('/');
    if (t == std::string::npos) {
        ordner->clear();
        *muster = p;
    } else {
        *ordner = t == 0 ? "/" : p.substr(0, t);
        *muster = p.substr(t + 1);
    }
    if (muster->empty()) *muster = "*.*";
}

HWND lbdKind(HWND dlg, int id)
{
    for (HWND k = GetWindow(dlg, GW_CHILD); k; k = GetWindow(k, GW_HWNDNEXT))
        if (GetDlgCtrlID(k) == id) return k;
    return 0;
}

}  // namespace

LRESULT lbVerzeichnis(HWND h, UINT arten, const char* pfad)
{
    std::string ordner, muster;
    lbdTeilen(pfad, &ordner, &muster);
    std::string basis = ordner.empty() ? "." : ordner;
    PlDsVerz* v = plDsVerzOeffnen(basis.c_str());
    if (!v) return LB_ERR;
    LRESULT letzte = LB_ERR;
    bool exklusiv = (arten & DDL_EXCLUSIVE) != 0;
    std::string name;
    while (plDsVerzLesen(v, &name) == 1) {
        if (name == ".") continue;
        std::string voll = basis + "/" + name;
        struct stat st;
        if (plDsStat(voll.c_str(), &st) != 0) continue;
        bool versteckt = name[0] == '.' && name != "..";
        if (versteckt && !(arten & DDL_HIDDEN)) continue;
        std::string eintrag;
        if (S_ISDIR(st.st_mode)) {
            if (!(arten & DDL_DIRECTORY)) continue;
            if (name == ".." && basis == "/") continue;
            eintrag = "[" + name + "]";
        } else {
            if (!lbdPasst(muster.c_str(), name.c_str())) continue;
            bool nurLesen = access(voll.c_str(), W_OK) != 0 && !(st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH));
            if (exklusiv) {
                bool gewollt = (nurLesen && (arten & DDL_READONLY)) || (versteckt && (arten & DDL_HIDDEN)) ||
                               (arten & DDL_ARCHIVE);
                if (!gewollt) continue;
            }
            eintrag = name;
        }
        LRESULT r = SendMessage(h, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(eintrag.c_str()));
        if (r >= 0) letzte = r;
        if (!IsWindow(h)) break;
    }
    plDsVerzSchliessen(v);
    return letzte;
}

int DlgDirList(HWND dlg, LPSTR pfad, int idListe, int idStatisch, UINT arten)
{
    std::string ordner, muster;
    lbdTeilen(pfad, &ordner, &muster);
    if (!ordner.empty() && plDsWechseln(ordner.c_str()) != 0) return 0;
    if (idListe) {
        HWND liste = lbdKind(dlg, idListe);
        if (!liste) return 0;
        SendMessage(liste, LB_RESETCONTENT, 0, 0);
        if (SendMessage(liste, LB_DIR, arten & ~static_cast<UINT>(DDL_POSTMSGS), reinterpret_cast<LPARAM>(muster.c_str())) ==
                LB_ERR &&
            SendMessage(liste, LB_GETCOUNT, 0, 0) == 0) {
            struct stat st;
            if (plDsStat(".", &st) != 0) return 0;
        }
    }
    if (idStatisch) {
        std::string akt;
        if (plDsAktuell(&akt) == 0)
            if (HWND s = lbdKind(dlg, idStatisch)) SetWindowText(s, akt.c_str());
    }
    if (pfad) {
        // The caller's buffer holds at least what it held: the pattern is
        // never longer than the path it came from.
        size_t platz = std::strlen(pfad);
        size_t n = std::min(platz, muster.size());
        std::memcpy(pfad, muster.data(), n);
        pfad[n] = '\0';
    }
    return 1;
}

BOOL DlgDirSelectEx(HWND dlg, LPSTR buf, int n, int idListe)
{
    if (!buf || n <= 0) return FALSE;
    buf[0] = '\0';
    HWND liste = lbdKind(dlg, idListe);
    if (!liste) return FALSE;
    LRESULT i = SendMessage(liste, LB_GETCURSEL, 0, 0);
    if (i < 0) return FALSE;
    LRESULT laenge = SendMessage(liste, LB_GETTEXTLEN, static_cast<WPARAM>(i), 0);
    if (laenge < 0) return FALSE;
    std::string t(static_cast<size_t>(laenge) + 1, '\0');
    SendMessage(liste, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(t.data()));
    t.resize(static_cast<size_t>(laenge));
    bool ordner = t.size() >= 2 && t.front() == '[' && t.back() == ']';
    if (ordner) t = t.substr(1, t.size() - 2) + "/";
    size_t k = std::min(t.size(), static_cast<size_t>(n - 1));
    std::memcpy(buf, t.data(), k);
    buf[k] = '\0';
    return ordner ? TRUE : FALSE;
}
