// Shared pieces of the editor dialogs; see dbteile.h.
#include "editdlg/dbteile.h"

#include <algorithm>
#include <charconv>
#include <cstring>
#include <vector>

#include "config/verzeich.h"
#include "model/einstell.h"
#include "support/dosdatei.h"
#include "support/vergleich.h"
#include "winlib/dlgitem.h"

namespace {

std::vector<std::string> btlDateien;

int btlDateiNehmen(int verzeichnis, const char* pfad, void*)
{
    if (verzeichnis) return 1;
    if (static_cast<int>(btlDateien.size()) >= BTLDATEISUP) return 0;
    const char* name = std::strrchr(pfad, '/');
    std::string n = name != nullptr ? name + 1 : pfad;
    if (n.find('.') == std::string::npos) n += '.';
    if (n.size() > static_cast<size_t>(BTLDATEINAMESUP)) n.resize(BTLDATEINAMESUP);
    btlDateien.push_back(n);
    return 1;
}

void btlDateienIn(const char* verz, void*)
{
    if (verz == nullptr || verz[0] == '\0') return;
    // "BAUTEILE." of the old systems names the file without extension.
    for (const char* muster : {"BAUTEILE.*", "BAUTEILE"}) {
        std::string m = std::string(verz) + muster;
        verzlesennamen(m.c_str(), btlDateiNehmen, nullptr);
    }
}

}  // namespace

std::string DlgZahlText(double wert, int dezimalen)
{
    char b[64];
    auto r = std::to_chars(b, b + sizeof b - 1, wert, std::chars_format::fixed, dezimalen);
    *r.ptr = '\0';
    if (std::strcmp(b, "-0") == 0 || (b[0] == '-' && std::strspn(b + 1, "0.") == std::strlen(b + 1)))
        return b + 1;  // no "-0.00"
    return b;
}

void DlgZahlSetzen(int id, double wert)
{
    const int nk = std::clamp(static_cast<int>(EdEinst()->nk), 0, 4);
    wiTextSetzen(id, DlgZahlText(wert, nk).c_str());
}

BtlQuadrat BtlQuadratVon(double x1, double y1, double x2, double y2)
{
    const double w = x2 - x1, h = y2 - y1;
    BtlQuadrat q{x1, y1, std::max(w, h)};
    if (w < h)
        q.x -= (h - w) / 2;
    else
        q.y -= (w - h) / 2;
    if (q.seite > 4.0) {
        q.seite *= 1.04;
        q.x -= 0.02 * q.seite;
        q.y -= 0.02 * q.seite;
    } else {
        const double rest = 4.0 - q.seite;
        q.seite = 4.0;
        q.x -= rest / 2;
        q.y -= rest / 2;
    }
    return q;
}

int BtlDateienSammeln()
{
    btlDateien.clear();
    PfadeAufwaerts(btlDateienIn, nullptr);  // only when kind 2 searches upward
    btlDateienIn(VerZeiger(2), nullptr);
    std::stable_sort(btlDateien.begin(), btlDateien.end(),
                     [](const std::string& a, const std::string& b) { return strvgl(a.c_str(), b.c_str()) < 0; });
    btlDateien.erase(std::unique(btlDateien.begin(), btlDateien.end(),
                                 [](const std::string& a, const std::string& b) {
                                     return strvgl(a.c_str(), b.c_str()) == 0;
                                 }),
                     btlDateien.end());
    return static_cast<int>(btlDateien.size());
}

int BtlDateiName(int n, std::string* aus)
{
    if (n < 0 || n >= static_cast<int>(btlDateien.size())) {
        aus->clear();
        return 0;
    }
    *aus = btlDateien[static_cast<size_t>(n)];
    return 1;
}
