// Tests of the dialogs: creation order and units, the keyboard interface on
// the sample template, modal loops, item functions, classes registered late
// and the golden picture of the sample dialog. Headless backend.
#include <gtest/gtest.h>

#include <cairo.h>

#include <cstdlib>
#include <cmath>
#include <string>
#include <vector>

#include "platform/ctl_button.h"
#include "platform/bildlader.h"
#include "platform/dialog.h"
#include "platform/eingabe.h"
#include "platform/fenster.h"
#include "platform/fensterint.h"
#include "platform/gdi.h"
#include "platform/headless.h"
#include "platform/nachricht.h"
#include "platform/uhr.h"
#include "platform/nachrichtbox.h"
#include "platform/ressource.h"
#include "platform/stil3d.h"
#include "platform/systemwerte.h"
#include "tests/platform/golden_pruef.h"

namespace {

constexpr int IDC_NAME_T = 100, IDC_NAME = 101, IDC_ORT = 103, IDC_ROLLEN = 132, IDC_EIN = 111, IDC_ZWEI = 112, IDC_DREI = 113,
              IDC_GEPRUEFT = 120, IDC_TEILWEISE = 121, IDC_LISTE = 130, IDC_AUSWAHL = 131, IDC_TASTEN = 140, IDC_HILFE = 150;

std::vector<std::string> spur;          // messages the dialog procedure saw, in order
std::vector<int> befehle;               // ids of WM_COMMAND BN_CLICKED
std::vector<UINT> tastenFeldTasten;     // keys the DLGC_WANTALLKEYS control received
LPARAM initParam = 0;
bool okBeendet = false;                 // OK and Cancel end the dialog (modal runs)
bool initSahKnopf = false;

LRESULT CALLBACK tastenFeldProc(HWND h, UINT msg, WPARAM wp, LPARAM lp)
{
    switch (msg) {
    case WM_GETDLGCODE: return DLGC_WANTALLKEYS;
    case WM_KEYDOWN: tastenFeldTasten.push_back(static_cast<UINT>(wp)); return 0;
    case WM_LBUTTONDOWN: SetFocus(h); return 0;
    default: return DefWindowProc(h, msg, wp, lp);
    }
}

void tastenFeldRegistrieren()
{
    WNDCLASS wc{};
    wc.lpfnWndProc = tastenFeldProc;
    wc.lpszClassName = "TastenFeld";
    wc.hbrBackground = GetSysColorBrush(COLOR_WINDOW);
    RegisterClass(&wc);
}

INT_PTR CALLBACK probeProc(HWND h, UINT msg, WPARAM wp, LPARAM lp)
{
    switch (msg) {
    case WM_SETFONT: spur.push_back("SETFONT"); return FALSE;
    case WM_INITDIALOG:
        spur.push_back("INITDIALOG");
        initParam = lp;
        initSahKnopf = GetDlgItem(h, IDOK) != 0;
        return TRUE;
    case WM_COMMAND:
        if (HIWORD(wp) == BN_CLICKED) befehle.push_back(LOWORD(wp));
        if (okBeendet && (LOWORD(wp) == IDOK || LOWORD(wp) == IDCANCEL)) EndDialog(h, LOWORD(wp));
        return TRUE;
    default: return FALSE;
    }
}

class DialogTest : public ::testing::Test {
protected:
    HMODULE modul = 0;

    void SetUp() override
    {
        spur.clear();
        befehle.clear();
        okBeendet = false;
        tastenFeldTasten.clear();
        // A fixed clock: timers, double clicks and delays are exact.
        plUhrFestsetzen(1767254400000);
        plDialogKlassenSichern();
        tastenFeldRegistrieren();
        modul = LoadLibrary("dlgprobe");
        ASSERT_NE(modul, 0u);
    }
    void TearDown() override
    {
        plFensterSystemEnde();
        plUhrFreigeben();
        plDialogSkriptLeeren();
        plNachrichtBoxSkriptLeeren();
        plNachrichtBoxFragenLeeren();
        FreeLibrary(modul);
    }

    HWND probeOffen()
    {
        HWND d = CreateDialogParam(modul, "probe", 0, probeProc, 4711);
        EXPECT_NE(d, 0u);
        ShowWindow(d, SW_SHOW);
        pumpen(d);
        return d;
    }

    // The loop of a program with one modeless dialog.
    static void pumpen(HWND d)
    {
        MSG m;
        while (PeekMessage(&m, 0, 0, 0, PM_REMOVE))
            if (!IsDialogMessage(d, &m)) {
                TranslateMessage(&m);
                DispatchMessage(&m);
            }
    }
};

TEST_F(DialogTest, CreationRunsInWindowsOrderWithOneUnitFactor)
{
    HWND d = CreateDialogParam(modul, "probe", 0, probeProc, 4711);
    ASSERT_NE(d, 0u);
    // The font reaches the dialog before WM_INITDIALOG, which sees the controls
    // and the creation parameter.
    ASSERT_GE(spur.size(), 2u);
    EXPECT_EQ(spur[0], "SETFONT");
    EXPECT_EQ(spur.back(), "INITDIALOG");
    EXPECT_TRUE(initSahKnopf);
    EXPECT_EQ(initParam, 4711);
    EXPECT_FALSE(IsWindowVisible(d));  // no WS_VISIBLE in the template
    // One factor for both axes: HIWORD(GetDialogBaseUnits()) / 8.
    double f = HIWORD(GetDialogBaseUnits()) / 8.0;
    RECT r{10, 10, 100, 100};
    ASSERT_TRUE(MapDialogRect(d, &r));
    EXPECT_EQ(r.left, r.top);
    EXPECT_EQ(r.right, r.bottom);
    EXPECT_EQ(r.right, static_cast<int>(100 * f + 0.5));
    // Controls stand where their units say, in client coordinates.
    RECT c;
    GetWindowRect(GetDlgItem(d, IDC_NAME), &c);
    POINT o{c.left, c.top};
    ScreenToClient(d, &o);
    EXPECT_EQ(o.x, plDialogPixel(50));
    EXPECT_EQ(o.y, plDialogPixel(8));
    EXPECT_EQ(c.right - c.left, plDialogPixel(110));
    RECT k;
    GetClientRect(d, &k);
    EXPECT_EQ(k.right, plDialogPixel(240));
    EXPECT_EQ(k.bottom, plDialogPixel(168));
    // The default push button of the template is the default id.
    EXPECT_EQ(LOWORD(SendMessage(d, DM_GETDEFID, 0, 0)), IDOK);
    EXPECT_EQ(HIWORD(SendMessage(d, DM_GETDEFID, 0, 0)), DC_HASDEFID);
}

// One step of the keyboard interface: where the focus starts, what is
// pressed, where the focus ends and which commands arrive.
struct TastenFall {
    const char* was;
    int start;
    std::vector<UINT> halten;  // modifiers held
    UINT taste;                // virtual key, or 0 with `zeichen`
    char zeichen;
    int fokus;                 // expected focus id
    std::vector<int> befehle;  // expected command ids
};

TEST_F(DialogTest, KeyboardInterfaceOfTheSampleDialog)
{
    const std::vector<TastenFall> faelle = {
        {"Tab skips a disabled and a hidden control", IDC_NAME, {}, VK_TAB, 0, IDC_EIN, {}},
        {"Shift+Tab goes back", IDC_EIN, {VK_SHIFT}, VK_TAB, 0, IDC_NAME, {}},
        {"Tab from the last wraps to the first", IDC_HILFE, {}, VK_TAB, 0, IDC_NAME, {}},
        {"Tab from the list box goes to the combo box", IDC_LISTE, {}, VK_TAB, 0, IDC_AUSWAHL, {}},
        {"Shift+Tab from OK goes to the control keeping all keys", IDOK, {VK_SHIFT}, VK_TAB, 0, IDC_TASTEN, {}},
        {"Down in a radio group checks the next", IDC_EIN, {}, VK_DOWN, 0, IDC_ZWEI, {IDC_ZWEI}},
        {"Down at the group's end wraps inside it", IDC_DREI, {}, VK_DOWN, 0, IDC_EIN, {IDC_EIN}},
        {"Up goes back in the group", IDC_EIN, {}, VK_UP, 0, IDC_DREI, {IDC_DREI}},
        {"Enter in an edit field gives the default button", IDC_NAME, {}, VK_RETURN, 0, IDC_NAME, {IDOK}},
        {"Enter on a focused push button gives that button", IDC_HILFE, {}, VK_RETURN, 0, IDC_HILFE, {IDC_HILFE}},
        {"Escape gives Cancel", IDC_NAME, {}, VK_ESCAPE, 0, IDC_NAME, {IDCANCEL}},
        {"Alt+mnemonic of a radio button", IDC_NAME, {VK_MENU}, 'Z', 0, IDC_ZWEI, {IDC_ZWEI}},
        {"Alt+mnemonic of a label focuses its field", IDC_EIN, {VK_MENU}, 'N', 0, IDC_NAME, {}},
        {"Alt+mnemonic of a push button clicks it", IDC_NAME, {VK_MENU}, 'H', 0, IDC_NAME, {IDC_HILFE}},
        {"a plain letter is a mnemonic where the control takes no characters", IDC_EIN, {}, 'G', 0, IDC_GEPRUEFT,
         {IDC_GEPRUEFT}},
        {"a letter in an edit field is typed, not a mnemonic", IDC_NAME, {}, 'G', 0, IDC_NAME, {}},
        {"Space clicks a check box", IDC_GEPRUEFT, {}, VK_SPACE, 0, IDC_GEPRUEFT, {IDC_GEPRUEFT}},
        {"a DLGC_WANTALLKEYS control keeps Tab", IDC_TASTEN, {}, VK_TAB, 0, IDC_TASTEN, {}},
        {"a DLGC_WANTALLKEYS control keeps Enter", IDC_TASTEN, {}, VK_RETURN, 0, IDC_TASTEN, {}},
    };
    for (const TastenFall& f : faelle) {
        SCOPED_TRACE(f.was);
        HWND d = probeOffen();
        ASSERT_NE(d, 0u);
        SetFocus(GetDlgItem(d, f.start));
        pumpen(d);
        befehle.clear();
        tastenFeldTasten.clear();
        for (UINT m : f.halten) plHeadlessTasteRunter(m);
        plHeadlessTaste(f.taste);
        for (UINT m : f.halten) plHeadlessTasteHoch(m);
        pumpen(d);
        EXPECT_EQ(GetDlgCtrlID(GetFocus()), f.fokus);
        EXPECT_EQ(befehle, f.befehle);
        if (f.start == IDC_TASTEN) {
            EXPECT_EQ(tastenFeldTasten, std::vector<UINT>{f.taste});
        }
        DestroyWindow(d);
    }
}

// Commands per dialog, for several modeless dialogs at once.
std::vector<std::pair<HWND, int>> dialogBefehle;

INT_PTR CALLBACK mehrfachProc(HWND h, UINT msg, WPARAM wp, LPARAM lp)
{
    if (msg == WM_COMMAND && HIWORD(wp) == BN_CLICKED) dialogBefehle.emplace_back(h, LOWORD(wp));
    return probeProc(h, msg, wp, lp);
}

TEST_F(DialogTest, KeysActOnlyInTheDialogHoldingTheFocus)
{
    HWND d[3];
    for (HWND& x : d) {
        x = CreateDialogParam(modul, "probe", 0, mehrfachProc, 0);
        ASSERT_NE(x, 0u);
        ShowWindow(x, SW_SHOW);
    }
    SetActiveWindow(d[1]);
    SetFocus(GetDlgItem(d[1], IDC_NAME));
    dialogBefehle.clear();
    plHeadlessTaste(VK_ESCAPE);
    plHeadlessTaste(VK_RETURN);
    plHeadlessTaste(VK_TAB);
    // The program's loop offers each message to every dialog in turn.
    MSG m;
    while (PeekMessage(&m, 0, 0, 0, PM_REMOVE)) {
        bool genommen = false;
        for (HWND x : d)
            if (!genommen && IsDialogMessage(x, &m)) genommen = true;
        if (!genommen) {
            TranslateMessage(&m);
            DispatchMessage(&m);
        }
    }
    EXPECT_EQ(dialogBefehle, (std::vector<std::pair<HWND, int>>{{d[1], IDCANCEL}, {d[1], IDOK}}));
    EXPECT_EQ(GetFocus(), GetDlgItem(d[1], IDC_EIN));
}

TEST_F(DialogTest, ArrowsCheckAutoRadioButtonsAndUncheckTheRest)
{
    HWND d = probeOffen();
    CheckRadioButton(d, IDC_EIN, IDC_DREI, IDC_EIN);
    SetFocus(GetDlgItem(d, IDC_EIN));
    plHeadlessTaste(VK_DOWN);
    plHeadlessTaste(VK_DOWN);
    pumpen(d);
    EXPECT_EQ(IsDlgButtonChecked(d, IDC_EIN), BST_UNCHECKED);
    EXPECT_EQ(IsDlgButtonChecked(d, IDC_ZWEI), BST_UNCHECKED);
    EXPECT_EQ(IsDlgButtonChecked(d, IDC_DREI), BST_CHECKED);
    // Tab reaches the group at its checked button: the check moved the tab stop.
    SetFocus(GetDlgItem(d, IDC_NAME));
    plHeadlessTaste(VK_TAB);
    pumpen(d);
    EXPECT_EQ(GetDlgCtrlID(GetFocus()), IDC_DREI);
    plHeadlessTasteRunter(VK_SHIFT);
    plHeadlessTaste(VK_TAB);
    plHeadlessTasteHoch(VK_SHIFT);
    plHeadlessTaste(VK_TAB);
    pumpen(d);
    EXPECT_EQ(GetDlgCtrlID(GetFocus()), IDC_DREI);
}

TEST_F(DialogTest, DefaultButtonFollowsFocusAndDmSetDefId)
{
    HWND d = probeOffen();
    HWND ok = GetDlgItem(d, IDOK), hilfe = GetDlgItem(d, IDC_HILFE);
    auto art = [](HWND k) { return GetWindowLong(k, GWL_STYLE) & BS_TYPEMASK; };
    EXPECT_EQ(art(ok), BS_DEFPUSHBUTTON);
    SetFocus(GetDlgItem(d, IDC_GEPRUEFT));
    plHeadlessTaste(VK_TAB);  // Teilweise
    plHeadlessTaste(VK_TAB);  // scroll bar
    pumpen(d);
    SendMessage(d, WM_NEXTDLGCTL, static_cast<WPARAM>(hilfe), TRUE);
    EXPECT_EQ(GetFocus(), hilfe);
    EXPECT_EQ(art(hilfe), BS_DEFPUSHBUTTON);
    EXPECT_EQ(art(ok), BS_PUSHBUTTON);
    // A click into the edit field gives the default look back to OK.
    POINT p = plHeadlessPunkt(GetDlgItem(d, IDC_NAME), 5, 5);
    plHeadlessKlick(p.x, p.y);
    pumpen(d);
    EXPECT_EQ(GetFocus(), GetDlgItem(d, IDC_NAME));
    EXPECT_EQ(art(ok), BS_DEFPUSHBUTTON);
    EXPECT_EQ(art(hilfe), BS_PUSHBUTTON);
    // DM_SETDEFID moves the default: Enter in the edit field now gives Help.
    SendMessage(d, DM_SETDEFID, IDC_HILFE, 0);
    EXPECT_EQ(art(hilfe), BS_DEFPUSHBUTTON);
    EXPECT_EQ(art(ok), BS_PUSHBUTTON);
    befehle.clear();
    plHeadlessTaste(VK_RETURN);
    pumpen(d);
    ASSERT_FALSE(befehle.empty());
    EXPECT_EQ(befehle.back(), IDC_HILFE);
    // A disabled default button beeps instead of answering.
    EnableWindow(hilfe, FALSE);
    int pieps = plNachrichtBoxPieps();
    befehle.clear();
    plHeadlessTaste(VK_RETURN);
    pumpen(d);
    EXPECT_EQ(plNachrichtBoxPieps(), pieps + 1);
    for (int b : befehle) EXPECT_NE(b, IDC_HILFE);
}

TEST_F(DialogTest, ModalDialogDisablesItsOwnerAndAnswersFromTheScript)
{
    WNDCLASS wc{};
    wc.lpfnWndProc = DefWindowProc;
    wc.lpszClassName = "ProbeHaupt";
    RegisterClass(&wc);
    HWND haupt = CreateWindow("ProbeHaupt", "Haupt", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10, 600, 400, 0, 0, 0, 0);
    ASSERT_NE(haupt, 0u);
    okBeendet = true;
    struct Fall {
        const char* was;
        std::vector<int> skript;
        INT_PTR ergebnis;
    };
    const std::vector<Fall> faelle = {
        {"nothing queued: the default button", {}, IDOK},
        {"a queued Cancel", {IDCANCEL}, IDCANCEL},
        {"a queued check box click, then the default button", {IDC_GEPRUEFT}, IDOK},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.was);
        for (int id : f.skript) plDialogSkript(id);
        befehle.clear();
        EXPECT_EQ(DialogBoxParam(modul, "probe", haupt, probeProc, 0), f.ergebnis);
        EXPECT_TRUE(IsWindowEnabled(haupt));
        EXPECT_EQ(GetActiveWindow(), haupt);
        std::vector<int> erwartet = f.skript;
        if (f.ergebnis == IDOK) erwartet.push_back(IDOK);
        EXPECT_EQ(befehle, erwartet);
    }
    // While the dialog is up its owner is disabled.
    static HWND beobachtet;
    static BOOL frei;
    beobachtet = haupt;
    auto proc = [](HWND h, UINT msg, WPARAM wp, LPARAM lp) -> INT_PTR {
        if (msg == WM_INITDIALOG) frei = IsWindowEnabled(beobachtet);
        return probeProc(h, msg, wp, lp);
    };
    frei = TRUE;
    DialogBoxParam(modul, "probe", haupt, proc, 0);
    EXPECT_FALSE(frei);
    // A missing template: -1 and the owner stays enabled.
    EXPECT_EQ(DialogBoxParam(modul, "gibtsnicht", haupt, probeProc, 0), -1);
    EXPECT_TRUE(IsWindowEnabled(haupt));
}

INT_PTR CALLBACK ergebnisProc(HWND h, UINT msg, WPARAM wp, LPARAM lp)
{
    switch (msg) {
    case WM_APP:
        SetWindowLongPtr(h, DWLP_MSGRESULT, 77);
        return TRUE;
    case WM_APP + 1: return 55;  // TRUE, but the answer is DWLP_MSGRESULT (0)
    case WM_CTLCOLORDLG: return static_cast<INT_PTR>(GetStockObject(WHITE_BRUSH));
    default: return probeProc(h, msg, wp, lp);
    }
}

TEST_F(DialogTest, ResultsOfTheDialogProcedure)
{
    HWND d = CreateDialogParam(modul, "probe", 0, ergebnisProc, 0);
    ASSERT_NE(d, 0u);
    EXPECT_EQ(SendMessage(d, WM_APP, 0, 0), 77);
    EXPECT_EQ(SendMessage(d, WM_APP + 1, 0, 0), 0);
    EXPECT_EQ(SendMessage(d, WM_CTLCOLORDLG, 0, static_cast<LPARAM>(d)),
              static_cast<LRESULT>(GetStockObject(WHITE_BRUSH)));
    // The background comes from WM_CTLCOLORDLG.
    ShowWindow(d, SW_SHOW);
    pumpen(d);
    EXPECT_EQ(plFensterPixel(d, 2, plDialogPixel(120)), RGB(255, 255, 255));
    // WM_CLOSE becomes Cancel.
    befehle.clear();
    SendMessage(d, WM_CLOSE, 0, 0);
    pumpen(d);
    EXPECT_EQ(befehle, std::vector<int>{IDCANCEL});
}

TEST_F(DialogTest, FocusComesBackWhenTheDialogIsActivatedAgain)
{
    HWND a = probeOffen(), b = probeOffen();
    SetActiveWindow(a);
    SendMessage(a, WM_NEXTDLGCTL, static_cast<WPARAM>(GetDlgItem(a, IDC_TEILWEISE)), TRUE);
    EXPECT_EQ(GetFocus(), GetDlgItem(a, IDC_TEILWEISE));
    SetActiveWindow(b);
    EXPECT_TRUE(IsChild(b, GetFocus()));
    SetActiveWindow(a);
    EXPECT_EQ(GetFocus(), GetDlgItem(a, IDC_TEILWEISE));
}

LRESULT CALLBACK spaeteKlasseProc(HWND h, UINT msg, WPARAM wp, LPARAM lp)
{
    return DefWindowProc(h, msg, wp, lp);
}

bool angebotAn = false;

void angebotRegistrieren()
{
    if (!angebotAn) return;
    WNDCLASS wc{};
    wc.lpfnWndProc = spaeteKlasseProc;
    wc.lpszClassName = "GibtEsNicht";
    RegisterClass(&wc);
}

TEST_F(DialogTest, ClassRegisteredLaterIsFound)
{
    angebotAn = false;
    EXPECT_EQ(CreateDialogParam(modul, "fehlklasse", 0, probeProc, 0), 0u);
    WNDCLASS wc{};
    wc.lpfnWndProc = spaeteKlasseProc;
    wc.lpszClassName = "GibtEsNicht";
    RegisterClass(&wc);
    HWND d = CreateDialogParam(modul, "fehlklasse", 0, probeProc, 0);
    ASSERT_NE(d, 0u);
    EXPECT_NE(GetDlgItem(d, 10), 0u);
    // Standard classes come back after the window manager ended.
    plFensterSystemEnde();
    tastenFeldRegistrieren();
    EXPECT_NE(CreateDialogParam(modul, "probe", 0, probeProc, 0), 0u);
    // An offered class is registered again when a dialog needs it.
    plDialogKlasseAnbieten("GibtEsNicht", angebotRegistrieren);
    angebotAn = true;
    EXPECT_NE(CreateDialogParam(modul, "fehlklasse", 0, probeProc, 0), 0u);
    angebotAn = false;
}

// Pictures come from the module's packed files, as the program's start-up
// wires the loader to the resource bundles.
int bildAusModul(HINSTANCE modul, LPCSTR name, int art, std::vector<uint8_t>& bytes)
{
    const RcBild* b = rcBild(modul, name, art == IMAGE_ICON ? RT_ICON : art == IMAGE_CURSOR ? RT_CURSOR : RT_BITMAP);
    if (!b) return -1;
    bytes.assign(b->bytes.begin(), b->bytes.end());
    return 0;
}

TEST_F(DialogTest, CentredDialogWithPicturesNamedInItsStatics)
{
    plBildLaderSetzen(bildAusModul);
    HWND d = CreateDialogParam(modul, "mitte", 0, probeProc, 0);
    ASSERT_NE(d, 0u);
    RECT r, arbeit;
    GetWindowRect(d, &r);
    SystemParametersInfo(SPI_GETWORKAREA, 0, &arbeit, 0);
    EXPECT_LE(std::abs((r.left + r.right) / 2 - (arbeit.left + arbeit.right) / 2), 1);
    EXPECT_LE(std::abs((r.top + r.bottom) / 2 - (arbeit.top + arbeit.bottom) / 2), 1);
    // No FONT line, the same single factor as the template with one.
    RECT k;
    GetClientRect(d, &k);
    EXPECT_EQ(k.right, plDialogPixel(120));
    EXPECT_EQ(k.bottom, plDialogPixel(60));
    EXPECT_NE(SendDlgItemMessage(d, 50, STM_GETICON, 0, 0), 0);
    EXPECT_NE(SendDlgItemMessage(d, 51, STM_GETIMAGE, IMAGE_BITMAP, 0), 0);
    ShowWindow(d, SW_SHOW);
    pumpen(d);
    // Green frame, yellow middle: the pictures are drawn.
    for (int id : {50, 51}) {
        SCOPED_TRACE(id);
        HWND s = GetDlgItem(d, id);
        EXPECT_EQ(plFensterPixel(s, 2, 2), RGB(0, 128, 0));
        EXPECT_EQ(plFensterPixel(s, 16, 16), RGB(255, 255, 0));
    }
    plBildLaderSetzen(nullptr);
}

TEST_F(DialogTest, ItemFunctions)
{
    HWND d = CreateDialogParam(modul, "probe", 0, probeProc, 0);
    ASSERT_NE(d, 0u);
    struct Zahl {
        const char* text;
        BOOL vorzeichen;
        BOOL ok;
        UINT wert;
    };
    const std::vector<Zahl> zahlen = {
        {"  42 ", FALSE, TRUE, 42},
        {"-12", TRUE, TRUE, static_cast<UINT>(-12)},
        {"-12", FALSE, FALSE, 0},
        {"+7", TRUE, TRUE, 7},
        {"12a", TRUE, FALSE, 0},
        {"", TRUE, FALSE, 0},
        {"4294967295", FALSE, TRUE, 4294967295u},
        {"4294967296", FALSE, FALSE, 0},
        {"-2147483648", TRUE, TRUE, 0x80000000u},
        {"2147483648", TRUE, FALSE, 0},
    };
    for (const Zahl& z : zahlen) {
        SCOPED_TRACE(z.text);
        SetDlgItemText(d, IDC_NAME, z.text);
        BOOL ok = 2;
        EXPECT_EQ(GetDlgItemInt(d, IDC_NAME, &ok, z.vorzeichen), z.wert);
        EXPECT_EQ(ok, z.ok);
    }
    SetDlgItemInt(d, IDC_NAME, static_cast<UINT>(-5), TRUE);
    char t[16];
    EXPECT_EQ(GetDlgItemText(d, IDC_NAME, t, sizeof t), 2u);
    EXPECT_STREQ(t, "-5");
    EXPECT_EQ(GetDlgItemText(d, 999, t, sizeof t), 0u);
    EXPECT_STREQ(t, "");

    CheckRadioButton(d, IDC_EIN, IDC_DREI, IDC_ZWEI);
    EXPECT_EQ(IsDlgButtonChecked(d, IDC_EIN), BST_UNCHECKED);
    EXPECT_EQ(IsDlgButtonChecked(d, IDC_ZWEI), BST_CHECKED);
    CheckDlgButton(d, IDC_TEILWEISE, BST_INDETERMINATE);
    EXPECT_EQ(IsDlgButtonChecked(d, IDC_TEILWEISE), BST_INDETERMINATE);
    CheckDlgButton(d, IDC_GEPRUEFT, BST_INDETERMINATE);  // two-state box: checked
    EXPECT_EQ(IsDlgButtonChecked(d, IDC_GEPRUEFT), BST_CHECKED);
    EXPECT_EQ(SendDlgItemMessage(d, IDC_ORT, WM_GETTEXTLENGTH, 0, 0), 8);
    EXPECT_EQ(GetNextDlgGroupItem(d, GetDlgItem(d, IDC_DREI), FALSE), GetDlgItem(d, IDC_EIN));
    EXPECT_EQ(GetNextDlgTabItem(d, 0, FALSE), GetDlgItem(d, IDC_NAME));
    EXPECT_EQ(GetNextDlgTabItem(d, 0, TRUE), GetDlgItem(d, IDC_HILFE));
    EXPECT_EQ(GetNextDlgTabItem(d, GetDlgItem(d, IDC_NAME_T), FALSE), GetDlgItem(d, IDC_NAME));
    // An automatic three-state box cycles through its states when clicked.
    CheckDlgButton(d, IDC_TEILWEISE, BST_UNCHECKED);
    std::vector<UINT> zustaende;
    for (int i = 0; i < 3; ++i) {
        SendDlgItemMessage(d, IDC_TEILWEISE, BM_CLICK, 0, 0);
        zustaende.push_back(IsDlgButtonChecked(d, IDC_TEILWEISE));
    }
    EXPECT_EQ(zustaende, (std::vector<UINT>{BST_CHECKED, BST_INDETERMINATE, BST_UNCHECKED}));
}

// Compares a PNG with its golden copy in tests/data/platform, except inside
// the rectangles `aus` (image coordinates); VELMO_GOLDEN_SCHREIBEN=1 rewrites
// the golden.
::testing::AssertionResult goldenGleich(const std::string& ist, const std::string& name,
                                        const std::vector<RECT>& aus)
{
    std::string soll = std::string(VELMO_TEST_DATA) + "/platform/" + name + ".png";
    cairo_surface_t* a = cairo_image_surface_create_from_png(ist.c_str());
    if (golden::neuSchreiben()) cairo_surface_write_to_png(a, soll.c_str());
    cairo_surface_t* b = cairo_image_surface_create_from_png(soll.c_str());
    auto ende = [&](::testing::AssertionResult r) {
        cairo_surface_destroy(a);
        cairo_surface_destroy(b);
        return r;
    };
    if (cairo_surface_status(b) != CAIRO_STATUS_SUCCESS)
        return ende(::testing::AssertionFailure() << "golden missing: " << soll);
    int w = cairo_image_surface_get_width(a), h = cairo_image_surface_get_height(a);
    if (w != cairo_image_surface_get_width(b) || h != cairo_image_surface_get_height(b))
        return ende(::testing::AssertionFailure() << "size differs from " << soll);
    cairo_surface_flush(a);
    cairo_surface_flush(b);
    int abweichend = 0;
    for (int y = 0; y < h; ++y) {
        const uint32_t* ra = reinterpret_cast<const uint32_t*>(cairo_image_surface_get_data(a) +
                                                                y * cairo_image_surface_get_stride(a));
        const uint32_t* rb = reinterpret_cast<const uint32_t*>(cairo_image_surface_get_data(b) +
                                                                y * cairo_image_surface_get_stride(b));
        for (int x = 0; x < w; ++x) {
            bool ausgenommen = false;
            for (const RECT& r : aus)
                if (x >= r.left && x < r.right && y >= r.top && y < r.bottom) ausgenommen = true;
            if (!ausgenommen && (ra[x] & 0xFFFFFF) != (rb[x] & 0xFFFFFF)) ++abweichend;
        }
    }
    if (abweichend) return ende(::testing::AssertionFailure() << abweichend << " pixels differ; see " << ist);
    return ende(::testing::AssertionSuccess());
}

TEST_F(DialogTest, GoldenPictureOfTheSampleDialog)
{
    HWND d = CreateDialogParam(modul, "probe", 0, probeProc, 0);
    ASSERT_NE(d, 0u);
    CheckRadioButton(d, IDC_EIN, IDC_DREI, IDC_ZWEI);
    CheckDlgButton(d, IDC_GEPRUEFT, BST_CHECKED);
    CheckDlgButton(d, IDC_TEILWEISE, BST_INDETERMINATE);
    for (const char* t : {"Steckdose", "Schalter", "Leuchte", "Verteiler"}) {
        SendDlgItemMessage(d, IDC_LISTE, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(t));
        SendDlgItemMessage(d, IDC_AUSWAHL, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(t));
    }
    SendDlgItemMessage(d, IDC_LISTE, LB_SETCURSEL, 1, 0);
    SendDlgItemMessage(d, IDC_AUSWAHL, CB_SETCURSEL, 2, 0);
    ShowWindow(d, SW_SHOW);
    SetFocus(GetDlgItem(d, IDC_GEPRUEFT));
    pumpen(d);
    std::string ist = std::string(::testing::TempDir()) + "dialog_probe_ist.png";
    ASSERT_EQ(plHeadlessPng(d, ist.c_str()), 0);
    // The edit, list, combo and scroll-bar controls have pictures of their
    // own module; this one holds the dialog, its frame, buttons and texts.
    // Their area is the larger of the template's rectangle and the window's
    // (a list box may round its height; a combo box's template height
    // includes its drop-down list, which is not shown).
    struct Feld {
        int id, x, y, cx, cy;
    };
    const Feld felder[] = {{IDC_NAME, 50, 8, 110, 12},     {IDC_ORT, 50, 24, 110, 12},
                           {IDC_LISTE, 8, 106, 110, 40},   {IDC_AUSWAHL, 126, 106, 100, 0},
                           {IDC_ROLLEN, 126, 74, 100, 10}};
    std::vector<RECT> aus;
    RECT dr;
    GetWindowRect(d, &dr);
    POINT c{0, 0};
    ClientToScreen(d, &c);
    for (const Feld& f : felder) {
        RECT r, t{c.x + plDialogPixel(f.x), c.y + plDialogPixel(f.y), c.x + plDialogPixel(f.x + f.cx),
                  c.y + plDialogPixel(f.y + f.cy)};
        GetWindowRect(GetDlgItem(d, f.id), &r);
        if (f.cy) UnionRect(&r, &r, &t);
        aus.push_back(RECT{r.left - dr.left, r.top - dr.top, r.right - dr.left, r.bottom - dr.top});
    }
    EXPECT_TRUE(goldenGleich(ist, "dialog_probe", aus));
}

}  // namespace
