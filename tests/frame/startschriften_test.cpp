// What the start on the demo's project page costs in fonts: each font loaded
// is a fontconfig match and sort of its own (on two threads of Pango's), so
// the start loads only what its page measures and shows. The ten drawing
// fonts wait for their first drawing; a face's cell ratio comes without a
// load of its own.
#include <gtest/gtest.h>

#include "platform/textbreite.h"
#include "tests/frame/demorahmen_pruef.h"

TEST_F(DemoRahmen, TheProjectPageStartLoadsOnlyTheFontsItShows)
{
    const long geladen = plSchriftenGeladen();
    RecordProperty("geladen", static_cast<int>(geladen));
    EXPECT_GT(geladen, 0);
    // Measuring the drawing fonts at the start came to fourteen more
    // (seven faces at the measuring size and at em 1000).
    EXPECT_LE(geladen, 8);
}
