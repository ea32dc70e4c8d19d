// Owner-drawn list boxes in the list look, by their pixels: the tree
// connectors and a bar of the item markup, the marking colour of a selected
// item and the focus box that only the flat surface style shows; and the
// dialog texts of the "_TEXT" resource.
#include <cstdio>
#include <string>

#include "config/apstil.h"
#include "config/inidatei.h"
#include "controls/elseite.h"
#include "platform/gdi.h"
#include "platform/systemwerte.h"
#include "tests/controls/ctlh1_pruef.h"
#include "tests/controls/ctlh3_pruef.h"

namespace {

constexpr int BOX = 4100;

class Besitzer : public h3::Fixture {
public:
    int cw = 0, lh = 0;
    HWND box = 0;

    void SetUp() override
    {
        h3::Fixture::SetUp();
        h3::weiter = [](UINT m, WPARAM wp, LPARAM lp) { ElsLbZeichnen(BOX, nullptr, m, wp, lp); };
        // Measured here, not taken from the painter, so a wrong measurement shows.
        HDC dc = CreateCompatibleDC(0);
        HFONT f = wiStandardFont(4);
        HGDIOBJ alt = f ? SelectObject(dc, f) : 0;
        TEXTMETRIC tm{};
        GetTextMetrics(dc, &tm);
        if (alt) SelectObject(dc, alt);
        DeleteDC(dc);
        cw = static_cast<int>(tm.tmAveCharWidth);
        lh = static_cast<int>(tm.tmHeight);
        box = item(BOX);
    }

    int hinzu(const std::string& text)
    {
        return static_cast<int>(SendMessage(box, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str())));
    }
    RECT rechteck(int i)
    {
        RECT r{};
        SendMessage(box, LB_GETITEMRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&r));
        return r;
    }
    plBild bild()
    {
        InvalidateRect(box, nullptr, TRUE);
        h3::pumpen();
        return h1::bild(box);
    }
};

bool schwarz(const plBild& b, int x, int y) { return h1::px(b, x, y) == GetSysColor(COLOR_WINDOWTEXT); }

TEST_F(Besitzer, TreeConnectorsThenTheNameThreeCellsOn)
{
    ASSERT_GT(cw, 3);
    hinzu("\x1bSUR;Name");
    RECT r = rechteck(0);
    plBild b = bild();
    const int x = r.left + 2, y = r.top;
    const int mx = x + 3 * cw / 2, my = y + lh / 2 + 1;
    EXPECT_TRUE(schwarz(b, mx, my + lh / 4)) << "U: from the middle down";
    EXPECT_FALSE(schwarz(b, mx, y + 1)) << "no O: nothing above the middle";
    EXPECT_TRUE(schwarz(b, mx + cw / 2, my)) << "R: to the right edge of the cell";
    EXPECT_FALSE(schwarz(b, x + cw / 4, my)) << "no L";
    int erste = -1;
    for (int xx = x + 5 * cw / 2 + cw / 4 + 1; xx < r.right && erste < 0; ++xx)
        for (int yy = r.top; yy < r.bottom; ++yy)
            if (schwarz(b, xx, yy)) {
                erste = xx;
                break;
            }
    EXPECT_GE(erste, x + 3 * cw) << "the name starts three characters further right";
}

TEST_F(Besitzer, BarOverTheFirstQuarterHalfALineThick)
{
    hinzu("\x1b" "B 10 50 0 25 100");
    RECT r = rechteck(0);
    plBild b = bild();
    const int x = r.left + 2, y = r.top;
    const int xe = x + (25 * 10 * cw + 99) / 100;
    EXPECT_TRUE(schwarz(b, x + 1, y + lh / 2));
    EXPECT_TRUE(schwarz(b, xe - 2, y + lh / 2));
    EXPECT_FALSE(schwarz(b, xe + cw / 4 + 2, y + lh / 2)) << "a quarter of 10 characters";
    EXPECT_TRUE(schwarz(b, x + 1, y + lh / 2 - lh / 4 + 1));
    EXPECT_FALSE(schwarz(b, x + 1, y + lh / 2 - lh / 4 - cw / 4 - 1)) << "half a line thick";
}

TEST_F(Besitzer, SelectedItemTakesTheMarkingColourAndFocusBoxFollowsTheStyle)
{
    ElsMarkFarbeSetzen(200, 100, 50);
    for (const char* t : {"eins", "zwei", "drei"}) hinzu(t);
    SendMessage(box, LB_SETCURSEL, 1, 0);
    SetFocus(box);
    RECT r = rechteck(1);
    auto rand = [&](const plBild& b) {
        int anders = 0;
        for (int xx = r.left; xx < r.right; ++xx) anders += h1::px(b, xx, r.top) != RGB(200, 100, 50);
        return anders;
    };
    plBild b = bild();
    EXPECT_EQ(h1::px(b, r.right - 3, (r.top + r.bottom) / 2), RGB(200, 100, 50));
    EXPECT_EQ(rand(b), 0) << "no focus box without the flat surface style";

    const std::string ini = std::string("/tmp/velmo_h3_") + std::to_string(::getpid()) + ".ini";
    IniPfadSetzen(ini.c_str());
    ProfilSchreiben("ArbPlatz", "OFStil", "1");
    ApStileLaden();
    ASSERT_EQ(ApOFStil1(), 1);
    b = bild();
    EXPECT_GT(rand(b), 0) << "the focus box with surface style 1";
    ProfilSchreiben("ArbPlatz", "OFStil", "0");
    ApStileLaden();
    std::remove(ini.c_str());
    ElsMarkFarbeSetzen(215, 232, 255);
}

TEST_F(Besitzer, DialogTextsOfTheCurrentDialog)
{
    EXPECT_STREQ(DlgTextHolen("Titel"), "Sektionen bearbeiten");
    EXPECT_STREQ(DlgTextHolen("Hinweis"), "Erste Zeile\r\nZweite Zeile");
    EXPECT_STREQ(DlgTextHolen("Fehlt"), "");
    EXPECT_STREQ(DlgTextHolenFuer("listprobe", "titel"), "Sektionen bearbeiten");
}

}  // namespace
