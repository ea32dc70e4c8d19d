// Copy and paste of an equipped component on the running frame, headless,
// over a working copy of the demo: the sheet's first placed main component
// with generated texts, one of which has sub-texts, marked, copied with
// "ZAK" and pasted with "ZAE" at another point; the new item holds the
// generated texts and the sub-texts under the same lines.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "editor/edtseite.h"
#include "equipment/btl.h"
#include "equipment/ges.h"
#include "equipment/ngestext.h"
#include "equipment/nzustext.h"
#include "model/edhaken.h"
#include "model/tempzeic.h"
#include "tests/frame/editor_pruef.h"

namespace {

struct Zeile {
    int nr, zeile;
    std::string text;
};

std::vector<Zeile> ztx(uint32_t id)
{
    std::vector<Zeile> v;
    ZtxDurchlaufen(id, "H", 0, 0, [](const appztext* t, void* u) {
        static_cast<std::vector<Zeile>*>(u)->push_back({t->nr, t->zeile, t->text});
    }, &v);
    return v;
}

std::string gtx(uint32_t id, int nr, int zeile)
{
    char t[GTXTEXTSUP + 1] = "";
    GtxTextRoh(id, "H", nr, zeile, t, sizeof t);
    return t;
}

class ElClipLauf : public DemoLauf {};

TEST_F(ElClipLauf, ACopiedComponentComesBackWithItsSubTexts)
{
    // The first main component of the sheet with generated texts.
    int objekt = -1;
    appbteil haupt{};
    for (int id = TzNaechstes(-1); id < TZENDE && objekt < 0; id = TzNaechstes(id)) {
        BEF b;
        STT s;
        if (TzObjHolen(id, &b, &s) != 0 || b.code < 80 || b.code > 86) continue;
        appbteil bt{};
        if (BtlAnPositionSuchen(b.text, modh::EditorZeiName(), s.x, s.y, &bt) && bt.id != 0 &&
            std::string(bt.cd) == "H" && !ztx(bt.id).empty()) {
            objekt = id;
            haupt = bt;
        }
    }
    ASSERT_GE(objekt, 0) << "an equipped component on the sheet";
    const std::vector<Zeile> texte = ztx(haupt.id);
    const int l = texte.front().zeile;
    GtxTextSetzenBasis(haupt.id, "H", l, 3, "Ader 1");
    GtxTextSetzenBasis(haupt.id, "H", l, 4, "Ader 2");
    const int vorher = GesAnzahl();

    TzMarkSetzen(objekt, 1);
    eingabeZeile("ZAK");
    eingabeZeile("BW 500 300");
    eingabeZeile("ZAE");
    ASSERT_EQ(GesAnzahl(), vorher + 1) << "the placed item is copied as a new one";
    uint32_t neu = 0;
    for (uint32_t id = 1; id < 0x10000 && neu == 0; ++id) {
        appgeraet g;
        if (id != haupt.id && GesHolen(id, &g) == 0 && ztx(id).size() == texte.size() && gtx(id, l, 3) == "Ader 1")
            neu = id;
    }
    ASSERT_NE(neu, 0u) << "the new item has the sub-texts";
    EXPECT_EQ(gtx(neu, l, 4), "Ader 2");
    const std::vector<Zeile> kopie = ztx(neu);
    for (size_t i = 0; i < texte.size(); ++i) {
        EXPECT_EQ(kopie[i].zeile, texte[i].zeile);
        EXPECT_EQ(kopie[i].text, texte[i].text);
    }
}

}  // namespace
