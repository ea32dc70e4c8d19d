// Workstation fonts, styles and dialog positions (see apstil.h).
#include "config/apstil.h"

#include <cstdio>
#include <cstdlib>
#include <string>

#include "config/inidatei.h"
#include "config/konfhaken.h"
#include "config/vorgaben.h"
#include "platform/winconst.h"
#include "support/texte.h"

namespace {

HFONT apSchrift[4] = {0, 0, 0, 0};
int apMenuStil = 0;
int apTbarStil = 0;
int apOFStil = 0;
int apNamenSchalter = 0;

struct ApPlatz {
    bool da = false;
    WINDOWPLACEMENT wp{};
};

std::string apSchluessel(const char* name)
{
    if (apNamenSchalter || !name) return konfHaken().dlgName();
    return name;
}

bool apPlatzLesen(const char* text, WINDOWPLACEMENT& wp)
{
    long v[10];
    int n = std::sscanf(text, "%ld %ld %ld %ld %ld %ld %ld %ld %ld %ld", &v[0], &v[1], &v[2], &v[3], &v[4], &v[5],
                        &v[6], &v[7], &v[8], &v[9]);
    if (n != 10) return false;
    wp.length = sizeof wp;
    wp.flags = static_cast<UINT>(v[0]);
    wp.showCmd = static_cast<UINT>(v[1]);
    wp.ptMinPosition = POINT{static_cast<LONG>(v[2]), static_cast<LONG>(v[3])};
    wp.ptMaxPosition = POINT{static_cast<LONG>(v[4]), static_cast<LONG>(v[5])};
    wp.rcNormalPosition = RECT{static_cast<LONG>(v[6]), static_cast<LONG>(v[7]), static_cast<LONG>(v[8]),
                               static_cast<LONG>(v[9])};
    return true;
}

// The stored placement: the old section "Zavik" first (cleared there when
// found), else "DBPosition".
ApPlatz apPlatzHolen(const std::string& schluessel)
{
    ApPlatz p;
    char text[121];
    ProfilLesen("Zavik", schluessel.c_str(), text, 120);
    if (!strleer(text)) {
        ProfilSchreiben("Zavik", schluessel.c_str(), "");
    } else {
        ProfilLesen("DBPosition", schluessel.c_str(), text, 120);
    }
    p.da = !strleer(text) && apPlatzLesen(text, p.wp);
    return p;
}

}  // namespace

void OFSchriftenLaden()
{
    OFSchriftenFrei();
    VgbOeffnen();
    for (int n = 0; n < 4; ++n) {
        char schluessel[32];
        std::snprintf(schluessel, sizeof schluessel, "AP-OFSchrift%d", n);
        char wert[41];
        VgbText40(schluessel, wert);
        if (strleer(wert)) continue;
        char hoehe[41];
        wortab(hoehe, wert);
        strtrim(wert);
        apSchrift[n] = konfHaken().schriftErzeugen(std::atoi(hoehe), wert);
        konfHaken().schriftEmpfangen(n, apSchrift[n]);
    }
    VgbSchliessen();
}

HFONT OFSchrift(int n)
{
    if (n >= 0 && n < 4 && apSchrift[n] != 0) return apSchrift[n];
    return konfHaken().schriftStandard(n);
}

void OFSchriftenFrei()
{
    for (HFONT& s : apSchrift) {
        if (s != 0) konfHaken().schriftLoeschen(s);
        s = 0;
    }
}

void ApStileLaden()
{
    VgbOeffnen();
    apMenuStil = VgbInt("AP-ZvMenuStil");
    apTbarStil = VgbInt("AP-ZvTbarStil");
    apOFStil = VgbInt("AP-OFStil");
    int zebra = VgbInt("AP-BMLisZebra");
    int pfad = VgbInt("AP-BMLisPfad");
    VgbSchliessen();
    if (apOFStil == 1) {
        konfHaken().listenFarben(RGB(135, 206, 250), RGB(135, 206, 250), RGB(255, 248, 220));
    } else {
        konfHaken().listenFarben(RGB(215, 232, 255), RGB(215, 232, 255), RGB(240, 240, 240));
    }
    if (zebra == 1) {
        konfHaken().zebra(1);
    } else if (zebra == 2) {
        // 1 from the equipment list means no extra text column
        konfHaken().zebra(konfHaken().hulTextSpalten() > 1 ? 1 : 0);
        konfHaken().pfadModus(pfad == 1 || pfad == 2 ? pfad : 0);
    } else {
        konfHaken().zebra(0);
    }
}

int ApOFStilWert() { return apOFStil; }
int ApOFStil1() { return apOFStil == 1 ? 1 : 0; }
int ApOFStilNicht1() { return apOFStil != 1 ? 1 : 0; }
int ApOFStilRand() { return apOFStil == 1 ? 3 : 0; }
int ApOFStilAbstand() { return apOFStil == 1 ? 3 : 1; }
int ApOFStilZeile() { return apOFStil == 1 ? 8 : 0; }
int ApMenuStilNicht1() { return apMenuStil != 1 ? 1 : 0; }
int ApTbarStil1() { return apTbarStil == 1 ? 1 : 0; }

void wiDlgPosSichern(const char* name)
{
    HWND h = konfHaken().dlgFenster();
    WINDOWPLACEMENT wp{};
    wp.length = sizeof wp;
    if (!konfHaken().platzHolen(h, &wp)) return;
    if (wp.showCmd != SW_SHOWNORMAL) return;  // minimised or maximised: keep the previous entry
    char text[160];
    std::snprintf(text, sizeof text, "%d %d %ld %ld %ld %ld %ld %ld %ld %ld", static_cast<int>(wp.flags),
                  static_cast<int>(wp.showCmd), static_cast<long>(wp.ptMinPosition.x),
                  static_cast<long>(wp.ptMinPosition.y), static_cast<long>(wp.ptMaxPosition.x),
                  static_cast<long>(wp.ptMaxPosition.y), static_cast<long>(wp.rcNormalPosition.left),
                  static_cast<long>(wp.rcNormalPosition.top), static_cast<long>(wp.rcNormalPosition.right),
                  static_cast<long>(wp.rcNormalPosition.bottom));
    ProfilSchreiben("DBPosition", apSchluessel(name).c_str(), text);
}

void wiDlgPlatzLaden(const char* name)
{
    ApPlatz p = apPlatzHolen(apSchluessel(name));
    if (p.da) konfHaken().platzSetzen(konfHaken().dlgFenster(), &p.wp);
}

void wiDlgPosLaden(const char* name)
{
    HWND h = konfHaken().dlgFenster();
    ApPlatz p = apPlatzHolen(apSchluessel(name));
    if (p.da) {
        WINDOWPLACEMENT jetzt{};
        jetzt.length = sizeof jetzt;
        bool normal = konfHaken().platzHolen(h, &jetzt) && jetzt.showCmd == SW_SHOWNORMAL;
        if (p.wp.showCmd == SW_SHOWNORMAL && normal) {
            konfHaken().fensterBewegen(h, p.wp.rcNormalPosition.left, p.wp.rcNormalPosition.top);
        }
        return;
    }
    RECT r{};
    if (!konfHaken().fensterRechteck(h, &r)) return;
    RECT d{};
    konfHaken().desktop(&d);
    int b = r.right - r.left;
    int hoehe = r.bottom - r.top;
    konfHaken().fensterBewegen(h, d.left + (d.right - d.left - b) / 2, d.top + (d.bottom - d.top - hoehe) / 3);
}

void wiDlgPosSichernAkt() { wiDlgPosSichern(konfHaken().dlgName()); }
void wiDlgPosLadenAkt() { wiDlgPosLaden(konfHaken().dlgName()); }
void wiDlgPosNachName(int ein) { apNamenSchalter = ein; }
