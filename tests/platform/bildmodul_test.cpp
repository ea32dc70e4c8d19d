// Tests of the pictures of the resource bundles: LoadBitmap, LoadIcon and
// LoadImage find a module's BITMAP and ICON resources once the loader is in.
#include <gtest/gtest.h>

#include "platform/bildlader.h"
#include "platform/bildmodul.h"
#include "platform/fenster.h"
#include "platform/gdi.h"
#include "platform/ressource.h"

namespace {

TEST(BildModul, ModuleResourcesLoadThroughTheLoader)
{
    plFensterSystemEnde();
    HMODULE modul = LoadLibrary("dlgprobe");
    ASSERT_NE(modul, 0u);
    plBildModulLaderAnmelden();
    HBITMAP b = LoadBitmap(modul, "quadratbild");
    ASSERT_NE(b, 0u);
    BITMAP bm{};
    ASSERT_NE(GetObject(b, sizeof bm, &bm), 0);
    EXPECT_GT(bm.bmWidth, 0);
    DeleteObject(b);
    HICON i = LoadIcon(modul, "quadrat");
    EXPECT_NE(i, 0u);
    DestroyIcon(i);
    // Missing names and kinds that do not match give nothing.
    EXPECT_EQ(LoadBitmap(modul, "gibtesnicht"), 0u);
    EXPECT_EQ(LoadBitmap(modul, "quadrat"), 0u);  // an ICON, not a BITMAP
    std::vector<uint8_t> bytes;
    EXPECT_EQ(plBildModulLader(modul, "gibtesnicht", IMAGE_BITMAP, bytes), -1);
    plBildLaderSetzen(nullptr);
    FreeLibrary(modul);
    plFensterSystemEnde();
}

}  // namespace
