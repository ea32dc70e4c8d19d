// The component list: filled from the graphic state's library, placing by
// queued commands (one, turned, drawn, rows) with its refusals.
#include <gtest/gtest.h>

#include <cctype>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "config/verzeich.h"
#include "editdlg/bauliste.h"
#include "model/bauteil.h"
#include "model/beffifo.h"
#include "model/tempzeic.h"
#include "model/zustand.h"
#include "support/texte.h"
#include "support/vergleich.h"
#include "tests/editdlg/dbpruef.h"

namespace fs = std::filesystem;

namespace {

using dbpruef::pumpen;

class BliTest : public dbpruef::SchlangeTest {
protected:
    fs::path bib = dbpruef::tempName("bli-bib");
    HWND d = 0;
    void SetUp() override
    {
        SchlangeTest::SetUp();
        // A small library: five components of one line each.
        dbpruef::kleineBibliothek(bib, {"MOTOR", "LAMPE", "MOTORSCHUTZ", "PUMPE", "SCHALTER"});
        d = oeffnen(1202);
        ASSERT_NE(d, 0u);
    }
    void TearDown() override
    {
        SchlangeTest::TearDown();
        VerSetzen(2, "");
        fs::remove_all(bib);
    }
    std::string eintrag(int n)
    {
        char t[64] = "";
        SendDlgItemMessage(d, 3100, LB_GETTEXT, static_cast<WPARAM>(n), reinterpret_cast<LPARAM>(t));
        return t;
    }
    void tippen(int id, const char* text)
    {
        SetDlgItemText(d, id, text);
        SendMessage(d, WM_COMMAND, MAKEWPARAM(id, EN_CHANGE), static_cast<LPARAM>(GetDlgItem(d, id)));
        pumpen();
    }
    void klick(int id)
    {
        SendMessage(GetDlgItem(d, id), BM_CLICK, 0, 0);
        pumpen();
    }
    // "name i0 text" per queued record, emptied.
    static std::vector<std::string> schlange()
    {
        std::vector<std::string> v;
        for (const BEF& b : saetze()) {
            v.push_back(std::string(BefName(b.code)) + " " + std::to_string(b.iarg[0]) + " " + b.text);
        }
        return v;
    }
    std::string text(int id)
    {
        char t[64] = "";
        GetDlgItemText(d, id, t, sizeof t);
        return t;
    }
};

TEST_F(BliTest, TheListHoldsTheLibraryAndPlacesTheChoice)
{
    ASSERT_EQ(SendDlgItemMessage(d, 3100, LB_GETCOUNT, 0, 0), 5);
    EXPECT_EQ(SendDlgItemMessage(d, 3100, LB_GETCURSEL, 0, 0), 0);
    const std::string erster = eintrag(0);
    SendMessage(d, WM_COMMAND, 2500, 0);
    EXPECT_EQ(schlange(), std::vector<std::string>{"ZB 0 " + erster});
    // The search selects the first entry beginning with the text, any case.
    const std::string gesucht = "MOTOR";
    int soll = 0;
    while (strnvgl(eintrag(soll).c_str(), gesucht.c_str(), static_cast<int>(gesucht.size())) != 0) ++soll;
    std::string klein = gesucht;
    for (char& c : klein) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    SetDlgItemText(d, 3200, ("  " + klein).c_str());
    SendMessage(d, WM_COMMAND, 2510, 0);
    EXPECT_EQ(SendDlgItemMessage(d, 3100, LB_GETCURSEL, 0, 0), soll);
    const std::string dritter = eintrag(soll);
    tippen(3016, "90");
    EXPECT_EQ(IsDlgButtonChecked(d, 3011), BST_CHECKED);
    SendMessage(d, WM_COMMAND, 2500, 0);
    EXPECT_EQ(schlange(), std::vector<std::string>{"ZBW 900 " + dritter});
    tippen(3016, "45");
    EXPECT_EQ(IsDlgButtonChecked(d, 3014), BST_CHECKED);
    klick(3012);
    EXPECT_EQ(text(3016), "180.0");
    klick(3020);
    EXPECT_EQ(text(3016), "0.0") << "a drawn placement has no direction";
    EXPECT_EQ(IsDlgButtonChecked(d, 3010), BST_CHECKED);
    SendMessage(d, WM_COMMAND, 2500, 0);
    EXPECT_EQ(schlange(), std::vector<std::string>{"ZBZ 0 " + dritter});
    EXPECT_NE(wiDlgSuchen("DB1202"), 0u) << "the dialog stays open";
}

TEST_F(BliTest, RowsNeedAPositiveCountAndPlacingAChoice)
{
    const std::string erster = eintrag(0);
    klick(3030);
    EXPECT_EQ(IsDlgButtonChecked(d, 3020), BST_UNCHECKED);
    struct Fall {
        const char* anzahl;
        const char* meldung;
        std::vector<std::string> schlange;
    } faelle[] = {
        {"3", "", {"RHX 3 " + erster}},
        {"", "Anzahl fehlt.", {}},
        {"0", "Anzahl fehlt.", {}},
        {"-2", "Anzahl fehlt.", {}},
    };
    for (const Fall& f : faelle) {
        SetDlgItemText(d, 3040, f.anzahl);
        StatusHinweis("");
        SendMessage(d, WM_COMMAND, 2500, 0);
        EXPECT_STREQ(StatusLetzterText(), f.meldung) << f.anzahl;
        EXPECT_EQ(schlange(), f.schlange) << f.anzahl;
    }
    klick(3031);
    EXPECT_EQ(IsDlgButtonChecked(d, 3030), BST_UNCHECKED);
    SetDlgItemText(d, 3040, "2");
    SendMessage(d, WM_COMMAND, 2500, 0);
    EXPECT_EQ(schlange(), std::vector<std::string>{"RHY 2 " + erster});
    SendDlgItemMessage(d, 3100, LB_SETCURSEL, static_cast<WPARAM>(-1), 0);
    SendMessage(d, WM_COMMAND, 2500, 0);
    EXPECT_STREQ(StatusLetzterText(), "Kein Bauteil ausgew\xe4hlt.");
    EXPECT_EQ(schlange(), std::vector<std::string>{});
}

TEST_F(BliTest, StatusBitmapsAndAMissingLibrary)
{
    EXPECT_STREQ(BliStatusBild("MOTOR", false), "BM0_K");
    EXPECT_STREQ(BliStatusBild("MOTOR", true), "BM0_G");
    STT s = *modh::EditorZustand();
    strkopie(s.bd, sizeof s.bd, "GIBTS", STTBDSUP);
    modh::EditorZustandSetzen(&s);
    SendMessage(d, WM_COMMAND, 2999, 0);
    EXPECT_EQ(SendDlgItemMessage(d, 3100, LB_GETCOUNT, 0, 0), 0) << "another library name refills";
    SendMessage(d, WM_COMMAND, 2500, 0);
    EXPECT_STREQ(StatusLetzterText(), "Kein Bauteil ausgew\xe4hlt.");
}

}  // namespace
