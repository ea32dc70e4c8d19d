// Tests of the common dialogs on the headless backend: scripted answers,
// what was asked, the flag checks that ask again, multi-select, buffer
// sizes, the folder chooser's preselection and the print dialog.
#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include "platform/dateidialog.h"
#include "platform/dateisys.h"
#include "platform/dialog.h"
#include "platform/drucker.h"
#include "platform/fensterint.h"
#include "platform/globalmem.h"
#include "platform/nachrichtbox.h"
#include "platform/orte.h"
#include "platform/uhr.h"

#include <unistd.h>

namespace {

class DateiDialogTest : public ::testing::Test {
protected:
    std::string ordner;
    std::string altesArbeitsVerz;
    void SetUp() override
    {
        // A fixed clock: timers, double clicks and delays are exact.
        plUhrFestsetzen(1767254400000);
        plDialogKlassenSichern();
        plDsAktuell(&altesArbeitsVerz);
        std::string muster = ::testing::TempDir() + "velmo-dd-XXXXXX";
        ASSERT_NE(mkdtemp(muster.data()), nullptr);
        ordner = muster;
        std::ofstream(ordner + "/plan.ezz") << "x";
        std::ofstream(ordner + "/zwei.ezz") << "x";
        plDateiDialogFragenLeeren();
        plNachrichtBoxFragenLeeren();
    }
    void TearDown() override
    {
        plDsWechseln(altesArbeitsVerz.c_str());
        plDateiDialogSkriptLeeren();
        plDruckDialogSkriptLeeren();
        plNachrichtBoxSkriptLeeren();
        plFensterSystemEnde();
        plUhrFreigeben();
    }
};

const char FILTER[] = "Zeichnungen\0*.ezz\0Alle Dateien\0*.*\0";

struct OfnFall {
    const char* was;
    bool speichern;
    DWORD flags;
    std::vector<std::string> antworten;  // "" cancels
    std::vector<int> boxAntworten;
    BOOL ergebnis;
    std::string pfad;  // relative to the folder
    size_t boxen;      // message boxes shown
};

TEST_F(DateiDialogTest, OpenAndSaveAnswersAndChecks)
{
    const std::vector<OfnFall> faelle = {
        {"nothing queued: cancelled", false, OFN_FILEMUSTEXIST, {}, {}, FALSE, "", 0},
        {"an existing file", false, OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST, {"/plan.ezz"}, {}, TRUE, "/plan.ezz", 0},
        {"a missing file is refused and asked again", false, OFN_FILEMUSTEXIST, {"/fehlt.ezz", "/zwei.ezz"}, {},
         TRUE, "/zwei.ezz", 1},
        {"a missing file may be chosen without the flag", false, 0, {"/fehlt.ezz"}, {}, TRUE, "/fehlt.ezz", 0},
        {"save gets the default extension", true, OFN_OVERWRITEPROMPT, {"/neu"}, {}, TRUE, "/neu.ezz", 0},
        {"save over an existing file: No asks again, then cancelled", true, OFN_OVERWRITEPROMPT, {"/plan.ezz"},
         {IDNO}, FALSE, "", 1},
        {"save over an existing file: Yes", true, OFN_OVERWRITEPROMPT, {"/plan.ezz"}, {IDYES}, TRUE, "/plan.ezz", 1},
        {"a missing folder is refused", true, OFN_PATHMUSTEXIST, {"/nicht/da.ezz", ""}, {}, FALSE, "", 1},
    };
    for (const OfnFall& f : faelle) {
        SCOPED_TRACE(f.was);
        plNachrichtBoxFragenLeeren();
        plDateiDialogFragenLeeren();
        for (const std::string& a : f.antworten) plDateiDialogAntwort(a.empty() ? "" : (ordner + a).c_str());
        for (int b : f.boxAntworten) plNachrichtBoxAntwort(b);
        char datei[260];
        std::snprintf(datei, sizeof datei, "%s\\alt.ezz", ordner.c_str());
        char titel[64] = "";
        OPENFILENAME ofn{};
        ofn.lStructSize = sizeof ofn;
        ofn.lpstrFilter = FILTER;
        ofn.nFilterIndex = 1;
        ofn.lpstrFile = datei;
        ofn.nMaxFile = sizeof datei;
        ofn.lpstrFileTitle = titel;
        ofn.nMaxFileTitle = sizeof titel;
        ofn.lpstrTitle = "Zeichnung w\xE4hlen";
        ofn.lpstrDefExt = "ezz";
        ofn.Flags = f.flags | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
        BOOL r = f.speichern ? GetSaveFileName(&ofn) : GetOpenFileName(&ofn);
        EXPECT_EQ(r, f.ergebnis);
        EXPECT_EQ(plNachrichtBoxFragen().size(), f.boxen);
        if (r) {
            std::string erwartet = ordner + f.pfad;
            EXPECT_EQ(std::string(datei), erwartet);
            EXPECT_EQ(std::string(datei + ofn.nFileOffset), f.pfad.substr(1));
            EXPECT_STREQ(datei + ofn.nFileExtension, "ezz");
            EXPECT_EQ(std::string(titel), f.pfad.substr(1));
        } else {
            EXPECT_EQ(CommDlgExtendedError(), 0u);
        }
        // What the dialog was asked: the filter in "|" form, the folder and
        // name of the given path ('\' read as '/').
        ASSERT_FALSE(plDateiDialogFragen().empty());
        const plDateiDialogFrage& q = plDateiDialogFragen()[0];
        EXPECT_EQ(q.art, f.speichern ? 1 : 0);
        EXPECT_EQ(q.filter, "Zeichnungen|*.ezz|Alle Dateien|*.*|");
        EXPECT_EQ(q.ordner, ordner);
        EXPECT_EQ(q.name, "alt.ezz");
        EXPECT_EQ(q.titel, "Zeichnung w\xE4hlen");
        EXPECT_EQ(q.endung, "ezz");
    }
}

TEST_F(DateiDialogTest, MultipleSelectionAndBufferTooSmall)
{
    char puffer[300] = "";
    OPENFILENAME ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.lpstrFilter = FILTER;
    ofn.lpstrFile = puffer;
    ofn.nMaxFile = sizeof puffer;
    ofn.lpstrInitialDir = ordner.c_str();
    ofn.Flags = OFN_ALLOWMULTISELECT | OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_NOCHANGEDIR;
    plDateiDialogAntwortMehrere(ordner.c_str(), {"plan.ezz", "zwei.ezz"});
    ASSERT_TRUE(GetOpenFileName(&ofn));
    EXPECT_EQ(std::string(puffer), ordner);
    const char* n1 = puffer + ofn.nFileOffset;
    EXPECT_STREQ(n1, "plan.ezz");
    const char* n2 = n1 + std::strlen(n1) + 1;
    EXPECT_STREQ(n2, "zwei.ezz");
    EXPECT_EQ(n2[std::strlen(n2) + 1], '\0');
    EXPECT_EQ(plDateiDialogFragen().back().ordner, ordner);
    EXPECT_TRUE(plDateiDialogFragen().back().mehrere);
    // One name chosen: the full path.
    puffer[0] = '\0';
    plDateiDialogAntwortMehrere(ordner.c_str(), {"plan.ezz"});
    ASSERT_TRUE(GetOpenFileName(&ofn));
    EXPECT_EQ(std::string(puffer), ordner + "/plan.ezz");
    // A buffer too small: FALSE, the error and the size needed.
    char klein[8] = "";
    ofn.lpstrFile = klein;
    ofn.nMaxFile = sizeof klein;
    plDateiDialogAntwort((ordner + "/plan.ezz").c_str());
    EXPECT_FALSE(GetOpenFileName(&ofn));
    EXPECT_EQ(CommDlgExtendedError(), static_cast<DWORD>(FNERR_BUFFERTOOSMALL));
    WORD noetig;
    std::memcpy(&noetig, klein, 2);
    EXPECT_EQ(noetig, ordner.size() + 10 + 1);
}

TEST_F(DateiDialogTest, WithoutNoChangeDirTheWorkingFolderFollowsTheChoice)
{
    char puffer[260] = "";
    OPENFILENAME ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.lpstrFile = puffer;
    ofn.nMaxFile = sizeof puffer;
    plDateiDialogAntwort((ordner + "/plan.ezz").c_str());
    ASSERT_TRUE(GetOpenFileName(&ofn));
    std::string jetzt;
    plDsAktuell(&jetzt);
    EXPECT_EQ(jetzt, ordner);
}

int CALLBACK ordnerRueckruf(HWND h, UINT msg, LPARAM, LPARAM daten)
{
    if (msg == BFFM_INITIALIZED) SendMessage(h, BFFM_SETSELECTION, TRUE, daten);
    return 0;
}

TEST_F(DateiDialogTest, FolderChooserPreselectsAndAnswers)
{
    char name[MAX_PATH];
    BROWSEINFO bi{};
    bi.lpszTitle = "Projektordner";
    bi.ulFlags = BIF_RETURNONLYFSDIRS | BIF_NEWDIALOGSTYLE;
    bi.pszDisplayName = name;
    bi.lpfn = ordnerRueckruf;
    std::string vorher = ordner + "\\";
    bi.lParam = reinterpret_cast<LPARAM>(vorher.c_str());
    plDsVerzAnlegen((ordner + "/projekt").c_str());
    plDateiDialogAntwort((ordner + "/projekt").c_str());
    LPITEMIDLIST id = SHBrowseForFolder(&bi);
    ASSERT_NE(id, nullptr);
    EXPECT_STREQ(name, "projekt");
    char pfad[MAX_PATH];
    ASSERT_TRUE(SHGetPathFromIDList(id, pfad));
    EXPECT_EQ(std::string(pfad), ordner + "/projekt");
    CoTaskMemFree(id);
    ASSERT_FALSE(plDateiDialogFragen().empty());
    EXPECT_EQ(plDateiDialogFragen().back().art, 2);
    EXPECT_EQ(plDateiDialogFragen().back().ordner, ordner + "/");
    // Cancelled: null.
    EXPECT_EQ(SHBrowseForFolder(&bi), nullptr);
}

TEST_F(DateiDialogTest, PrintDialogScriptedDefaultsAndCancel)
{
    PRINTDLG pd{};
    pd.lStructSize = sizeof pd;
    pd.Flags = PD_RETURNDC | PD_NOSELECTION;
    pd.nCopies = 1;
    EXPECT_FALSE(PrintDlg(&pd));  // nothing queued
    EXPECT_EQ(pd.hDC, 0u);

    plDruckEinstellung e;
    e.datei = ordner + "/druck.pdf";
    e.papier = DMPAPER_A3;
    e.ausrichtung = DMORIENT_LANDSCAPE;
    e.kopien = 2;
    e.sortiert = false;
    plDruckDialogAntwort(e);
    ASSERT_TRUE(PrintDlg(&pd));
    ASSERT_NE(pd.hDC, 0u);
    EXPECT_EQ(pd.nCopies, 2);
    EXPECT_FALSE(pd.Flags & PD_COLLATE);
    const plDruckEinstellung* aus = plDruckerEinstellung(pd.hDC);
    ASSERT_NE(aus, nullptr);
    EXPECT_EQ(aus->papier, DMPAPER_A3);
    EXPECT_EQ(aus->ausrichtung, DMORIENT_LANDSCAPE);
    auto* dm = static_cast<DEVMODE*>(GlobalLock(pd.hDevMode));
    ASSERT_NE(dm, nullptr);
    EXPECT_EQ(dm->dmOrientation, DMORIENT_LANDSCAPE);
    EXPECT_EQ(dm->dmPaperSize, DMPAPER_A3);
    GlobalUnlock(pd.hDevMode);
    plDruckerDcLoeschen(pd.hDC);

    // The defaults without asking keep the device mode given.
    PRINTDLG std{};
    std.lStructSize = sizeof std;
    std.Flags = PD_RETURNDEFAULT;
    std.hDevMode = pd.hDevMode;
    ASSERT_TRUE(PrintDlg(&std));
    EXPECT_EQ(std.hDC, 0u);
    EXPECT_EQ(std.nCopies, 2);
    dm = static_cast<DEVMODE*>(GlobalLock(pd.hDevMode));
    EXPECT_EQ(dm->dmPaperSize, DMPAPER_A3);
    GlobalUnlock(pd.hDevMode);
    GlobalFree(pd.hDevMode);
}

}  // namespace
