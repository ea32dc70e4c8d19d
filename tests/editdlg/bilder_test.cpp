// What the user sees of three dialogs from the library eddb21, filled by
// their own code from a fixed state, compared with golden pictures in
// tests/data/editdlg (VELMO_GOLDEN_SCHREIBEN=1 rewrites them).
#include <gtest/gtest.h>

#include <cairo.h>

#include <cstdint>
#include <string>

#include "config/vorgaben.h"
#include "model/beffifo.h"
#include "model/masslin.h"
#include "model/tempzeic.h"
#include "model/zustand.h"
#include "tests/editdlg/dbpruef.h"
#include "tests/platform/golden_pruef.h"

namespace {

using dbpruef::pumpen;

::testing::AssertionResult goldenGleich(HWND d, const std::string& name)
{
    const std::string ist = dbpruef::tempName(name) + ".png";
    if (plHeadlessPng(d, ist.c_str()) != 0) return ::testing::AssertionFailure() << "no picture of " << name;
    const std::string soll = std::string(VELMO_TEST_DATA) + "/editdlg/" + name + ".png";
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
    const int w = cairo_image_surface_get_width(a), h = cairo_image_surface_get_height(a);
    if (w != cairo_image_surface_get_width(b) || h != cairo_image_surface_get_height(b))
        return ende(::testing::AssertionFailure() << "size differs from " << soll);
    int abweichend = 0;
    for (int y = 0; y < h; ++y) {
        const auto* ra = reinterpret_cast<const uint32_t*>(cairo_image_surface_get_data(a) +
                                                           y * cairo_image_surface_get_stride(a));
        const auto* rb = reinterpret_cast<const uint32_t*>(cairo_image_surface_get_data(b) +
                                                           y * cairo_image_surface_get_stride(b));
        for (int x = 0; x < w; ++x) abweichend += (ra[x] & 0xFFFFFF) != (rb[x] & 0xFFFFFF);
    }
    if (abweichend) return ende(::testing::AssertionFailure() << abweichend << " pixels differ; see " << ist);
    return ende(::testing::AssertionSuccess());
}

class DbBilder : public dbpruef::SchlangeTest {
protected:
    void SetUp() override
    {
        SchlangeTest::SetUp();
        STT s = *modh::EditorZustand();
        s.st = 3;
        s.sa = 2;
        s.sl = 1.5;
        s.tg = 3.5;
        s.tr = 450;
        s.tv = 0.8;
        s.ts = 1;
        modh::EditorZustandSetzen(&s);
    }
    static HWND zeigen(int n)
    {
        HWND d = oeffnen(n);
        if (d == 0) return 0;
        SetFocus(GetDlgItem(d, 2500));
        UpdateWindow(d);
        pumpen();
        return d;
    }
};

TEST_F(DbBilder, PenAndTextStyle)
{
    HWND d = zeigen(1100);
    ASSERT_NE(d, 0u);
    EXPECT_TRUE(goldenGleich(d, "db1100"));
}

TEST_F(DbBilder, TextWithKindAndAlignment)
{
    BaubfStarten(56);
    BEF b;
    b = BaubfHolen();
    BefTextSetzen(&b, "\x01LMotor M1");
    BaubfSetzen(&b);
    HWND d = zeigen(1201);
    ASSERT_NE(d, 0u);
    EXPECT_TRUE(goldenGleich(d, "db1201"));
}

TEST_F(DbBilder, LineByLengthAndAngle)
{
    BaubfStarten(40);
    BEF b;
    b = BaubfHolen();
    b.darg[0] = 43.30127;
    b.darg[1] = 25;
    BaubfSetzen(&b);
    HWND d = zeigen(1200);
    ASSERT_NE(d, 0u);
    EXPECT_TRUE(goldenGleich(d, "db1200"));
}


TEST_F(DbBilder, DimensionLineFromTheDefaults)
{
    VgbSetSetzen("Masslinien", (std::string(VELMO_TEST_DATA) + "/model/Mass.vgb").c_str());
    MassEinstLesen(nullptr);
    HWND d = zeigen(1209);
    ASSERT_NE(d, 0u);
    tippen(d, 3010, "50");
    tippen(d, 3011, "30");
    tippen(d, 3020, "8");
    SetFocus(GetDlgItem(d, 2500));
    pumpen();
    EXPECT_TRUE(goldenGleich(d, "db1209"));
    MassEinstStandard();
}

}  // namespace
