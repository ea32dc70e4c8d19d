// The progress dialog "anw_long": nested starts only count, Cancel makes
// the pump answer 0, and the last end enables the main window and the
// dialog that was current again.
#include <gtest/gtest.h>

#include <algorithm>

#include "dlgpruef.h"
#include "winlib/langdlg.h"

using namespace dlgpruef;

namespace {

class LangTest : public Fixture {
protected:
    void SetUp() override
    {
        Fixture::SetUp();
        // The progress box lives in the program's own module.
        anwDaten()->instanz = GetModuleHandle(nullptr);
    }
};

TEST_F(LangTest, NestedStartsCountAndTheLastEndEnablesEverything)
{
    HWND d = neu("probe");
    ASSERT_EQ(d, 0u);  // "probe" is not in the program's module
    anwDaten()->instanz = LoadLibrary("wdlgprobe");
    d = neu("probe");
    anwDaten()->instanz = GetModuleHandle(nullptr);
    ASSERT_NE(d, 0u);
    plNachrichtBoxFragenLeeren();
    wiDlgBetreten(d);
    wiLangStart("Export der Zeichnungen");
    wiDlgVerlassen();
    HWND l = wiLangFenster();
    ASSERT_NE(l, 0u);
    char t[100];
    GetWindowText(l, t, sizeof t);
    EXPECT_STREQ(t, "Velmo Test");
    GetDlgItemText(l, 4000, t, sizeof t);
    EXPECT_STREQ(t, "Export der Zeichnungen");
    EXPECT_FALSE(IsWindowEnabled(haupt));
    EXPECT_FALSE(IsWindowEnabled(d));
    wiLangStart("Zweiter");
    EXPECT_EQ(wiLangFenster(), l);
    EXPECT_EQ(wiLangTiefe(), 2);
    GetDlgItemText(l, 4000, t, sizeof t);
    EXPECT_STREQ(t, "Export der Zeichnungen");
    wiLangText("Blatt 3");
    GetDlgItemText(l, 4001, t, sizeof t);
    EXPECT_STREQ(t, "Blatt 3");
    EXPECT_EQ(wiLangPumpe(), 1);
    wiLangEnde();
    EXPECT_TRUE(IsWindow(l));
    EXPECT_FALSE(IsWindowEnabled(haupt));
    wiLangEnde();
    EXPECT_FALSE(IsWindow(l));
    EXPECT_EQ(wiLangFenster(), 0u);
    EXPECT_TRUE(IsWindowEnabled(haupt));
    EXPECT_TRUE(IsWindowEnabled(d));
    wiLangEnde();  // one too many changes nothing
    EXPECT_EQ(wiLangTiefe(), 0);
}

TEST(LangVorlage, TheTemplateHasItsLinesAndCancel)
{
    const RcDialog* d = rcDialog(GetModuleHandle(nullptr), "anw_long");
    ASSERT_NE(d, nullptr);
    struct Fall { int id; const char* klasse; };
    for (Fall f : {Fall{4000, "static"}, Fall{4001, "static"}, Fall{IDCANCEL, "button"}}) {
        auto it = std::find_if(d->elemente.begin(), d->elemente.end(), [&](const RcDlgElement& e) { return e.id == f.id; });
        ASSERT_NE(it, d->elemente.end()) << f.id;
        EXPECT_EQ(it->klasse, f.klasse);
    }
}

TEST_F(LangTest, CancelMakesThePumpAnswer0)
{
    wiLangStart("Import DXF-Datei");
    HWND l = wiLangFenster();
    ASSERT_NE(l, 0u);
    plHeadlessPumpen();
    HWND knopf = GetDlgItem(l, IDCANCEL);
    ASSERT_NE(knopf, 0u);
    RECT r;
    GetWindowRect(knopf, &r);
    plHeadlessKlick((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    EXPECT_EQ(wiLangPumpe(), 0);
    EXPECT_FALSE(IsWindow(l));
    EXPECT_EQ(wiLangPumpe(), 0);
    wiLangEnde();
    EXPECT_TRUE(IsWindowEnabled(haupt));
    EXPECT_EQ(wiLangTiefe(), 0);
    EXPECT_EQ(wiLangPumpe(), 1) << "the cancel ended with its dialog";
}

}  // namespace
