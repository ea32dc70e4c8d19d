// Drawing files: byte-exact fixtures, reading and appending, refusals,
// the temporary file of a new drawing, header records, dump and text forms.
#include "model/zeichnun.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "config/verzeich.h"
#include "model/befehl.h"
#include "platform/fehlersim.h"
#include "support/basistest.h"
#include "tests/model/modelltest.h"

namespace {

BEF rec(int code, std::vector<int> ints, std::vector<double> reals, const char* text = nullptr, int sub = 0)
{
    BEF b;
    std::memset(&b, 0, sizeof b);
    b.code = static_cast<uint8_t>(code);
    b.sub = static_cast<uint8_t>(sub);
    for (size_t i = 0; i < ints.size(); ++i) b.iarg[i] = ints[i];
    for (size_t i = 0; i < reals.size(); ++i) b.darg[i] = reals[i];
    if (text) BefTextSetzen(&b, text);
    return b;
}

BEF zl10() { return rec(40, {}, {10, 0}); }

struct FixtureFall {
    const char* datei;
    int version;
    std::vector<BEF> schreiben;  // what the writer is given
    std::vector<BEF> lesen;      // what reading gives back
};

std::vector<FixtureFall> fixtureFaelle()
{
    BEF zml = rec(96, {1, 1, 1, 0, 1, 1, 1, 1}, {10, 0, 0, 0, 0, 0, 0, 0}, "AB");
    BEF kre = rec(67, {0, 450}, {10, 5});
    BEF kreGleich = rec(67, {0, 450}, {10, 10});
    BEF kreGelesen = rec(67, {0, 0}, {10, 10});
    BEF w = rec(119, {}, {}, "T0\x1CK\x1CT1");
    BEF z = rec(122, {2}, {}, "T2");
    return {
        {"LEER.001", 10, {}, {}},
        {"ZL.001", 7, {zl10()}, {zl10()}},
        {"KRE450.001", 9, {kre}, {kre}},
        {"KREGLEICH.001", 7, {kreGleich}, {kreGelesen}},
        {"ZTX.001", 8, {rec(122, {10}, {}, "Text")}, {rec(122, {10}, {}, "Text")}},
        {"ZML.001", 10, {zml}, {zml}},
        {"TFA.001", 7, {rec(50, {}, {}, "AB")}, {rec(50, {}, {}, "AB")}},
        {"KOPF.001", 8, {w, z, zl10()}, {w, z, zl10()}},
    };
}

TEST(ZeiDatei, WriterMatchesTheFixturesAndReadingGivesTheRecords)
{
    for (const FixtureFall& f : fixtureFaelle()) {
        SCOPED_TRACE(f.datei);
        MtOrdner o;
        ZeiDatei z;
        ASSERT_EQ(ZeiDateiAnlegen(&z, (o / f.datei).c_str()), 0);
        for (const BEF& b : f.schreiben) ASSERT_EQ(ZeiBefSchreiben(&z, &b), 0);
        ASSERT_EQ(ZeiDateiSchliessen(&z), 0);
        EXPECT_EQ(mtLesen(o / f.datei), mtLesen(mtFixture(f.datei)));
        EXPECT_EQ(o.anzahl(), 1);  // no temporary file left behind

        // Made in memory: the same bytes, and nothing on disk.
        std::vector<char> block(11 + 400 * (f.schreiben.size() + 1));
        ASSERT_EQ(ZeiDateiImSpeicher(&z, (o / "IMSPEICH.001").c_str(), block.data(), static_cast<int32_t>(block.size())), 0);
        EXPECT_EQ(std::string(z.pfad), o / "IMSPEICH.001");
        for (const BEF& b : f.schreiben) ASSERT_EQ(ZeiBefSchreiben(&z, &b), 0);
        ASSERT_EQ(ZeiDateiSchliessen(&z), 0);
        EXPECT_EQ(std::string(block.data(), static_cast<size_t>(ZeiDateiGroesse(&z))), mtLesen(mtFixture(f.datei)));
        EXPECT_EQ(o.anzahl(), 1);

        ASSERT_EQ(ZeiDateiLesend(&z, mtFixture(f.datei).c_str()), 0);
        EXPECT_EQ(ZeiVersion(&z), f.version);
        EXPECT_EQ(ZeiFormat(&z), 't');
        BEF b;
        for (const BEF& erwartet : f.lesen) {
            ASSERT_EQ(ZeiBefLesen(&z, &b), 0);
            EXPECT_EQ(BefGleich(&b, &erwartet), 1) << BefZuText(&b);
        }
        EXPECT_EQ(ZeiBefLesen(&z, &b), -1);
        EXPECT_EQ(b.code, 0);
        EXPECT_EQ(ZeiDateiSchliessen(&z), 0);
    }
    EXPECT_EQ(mtLesen(mtFixture("LEER.001")), std::string("zvkZ\x0A\0\0\0\0\0t", 11));
    // A block too small for a record refuses it; one too small for the
    // header is refused at once.
    char klein[16];
    ZeiDatei z;
    EXPECT_EQ(ZeiDateiImSpeicher(&z, "X.001", klein, 10), -1);
    ASSERT_EQ(ZeiDateiImSpeicher(&z, "X.001", klein, sizeof klein), 0);
    const BEF lang = rec(50, {}, {}, "ein Text, der nicht passt");
    EXPECT_NE(ZeiBefSchreiben(&z, &lang), 0);
}

TEST(ZeiDatei, AppendingInPlaceRaisesVersionAndFormat)
{
    MtOrdner o;
    std::string pfad = o / "PLAN.001";
    mtSchreiben(pfad, mtLesen(mtFixture("ZL.001")));
    ZeiDatei z;
    ASSERT_EQ(ZeiDateiOeffnen(&z, pfad.c_str()), 0);
    BEF b;
    while (ZeiBefLesen(&z, &b) == 0) {
    }
    BEF kre = rec(67, {1, 900}, {4, 2});
    ASSERT_EQ(ZeiBefSchreiben(&z, &kre), 0);
    BEF za4 = rec(117, {}, {});
    ASSERT_EQ(ZeiBefSchreiben(&z, &za4), 0);  // format only, no record
    EXPECT_EQ(ZeiFormat(&z), 'u');
    ASSERT_EQ(ZeiDateiSchliessen(&z), 0);

    std::string inhalt = mtLesen(pfad);
    ASSERT_EQ(inhalt.size(), 29u + 22u);
    EXPECT_EQ(inhalt[4], 9);                      // version raised by the KRE
    EXPECT_EQ(static_cast<unsigned char>(inhalt[6]), 18 + 22);
    EXPECT_EQ(inhalt[10 + 18], 67);               // written after the ZL
    EXPECT_EQ(inhalt.back(), 'u');

    // Appending without reading first still appends.
    mtSchreiben(pfad, mtLesen(mtFixture("ZL.001")));
    ASSERT_EQ(ZeiDateiOeffnen(&z, pfad.c_str()), 0);
    BEF tfa = rec(50, {}, {}, "AB");
    ASSERT_EQ(ZeiBefSchreiben(&z, &tfa), 0);
    ASSERT_EQ(ZeiDateiSchliessen(&z), 0);
    ASSERT_EQ(ZeiDateiLesend(&z, pfad.c_str()), 0);
    BEF zl = zl10();
    ASSERT_EQ(ZeiBefLesen(&z, &b), 0);
    EXPECT_EQ(BefGleich(&b, &zl), 1);
    ASSERT_EQ(ZeiBefLesen(&z, &b), 0);
    EXPECT_EQ(BefGleich(&b, &tfa), 1);
    EXPECT_EQ(ZeiBefLesen(&z, &b), -1);
    ZeiDateiSchliessen(&z);

    // A drawing whose only change is its format is rewritten too.
    mtSchreiben(pfad, mtLesen(mtFixture("LEER.001")));
    ASSERT_EQ(ZeiDateiOeffnen(&z, pfad.c_str()), 0);
    ASSERT_EQ(ZeiBefSchreiben(&z, &za4), 0);
    ASSERT_EQ(ZeiDateiSchliessen(&z), 0);
    EXPECT_EQ(mtLesen(pfad).back(), 'u');

    // A handle that was only read leaves the file as it was.
    std::string vorher = mtLesen(pfad);
    ASSERT_EQ(ZeiDateiOeffnen(&z, pfad.c_str()), 0);
    ASSERT_EQ(ZeiDateiSchliessen(&z), 0);
    EXPECT_EQ(mtLesen(pfad), vorher);
}

TEST(ZeiDatei, BadFilesAreRefusedWithoutWritingOrLeavingHandles)
{
    std::string zl = mtLesen(mtFixture("ZL.001"));
    std::string falscheMagie = zl, falschesFormat = zl, zuLang = zl, version6 = zl;
    falscheMagie[0] = 'Z';
    falschesFormat.back() = 'x';
    zuLang[6] = 19;  // D one beyond: the format byte would lie past the end
    version6[4] = 6;
    struct Fall {
        const char* name;
        std::string inhalt;
    } faelle[] = {
        {"falsche Magie", falscheMagie},
        {"kuerzer als 4 Bytes", "zvk"},
        {"Formatbyte nicht t/u", falschesFormat},
        {"Laenge ueber das Ende", zuLang},
        {"D weit ueber das Ende", std::string("zvkZ\x07\0\xFF\xFF\xFF\x7F", 10) + "t"},
    };
    int offen = mtOffeneDateien();
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.name);
        MtOrdner o;
        std::string pfad = o / "PLAN.001";
        mtSchreiben(pfad, f.inhalt);
        ZeiDatei z;
        EXPECT_EQ(ZeiDateiOeffnen(&z, pfad.c_str()), -1);
        EXPECT_EQ(ZeiDateiLesend(&z, pfad.c_str()), -1);
        EXPECT_EQ(ZeiDateiPruefen(pfad.c_str()), -1);
        ZeiKopf k;
        EXPECT_EQ(ZeiKopfLesen(pfad.c_str(), &k), -1);
        EXPECT_EQ(mtLesen(pfad), f.inhalt);
        EXPECT_EQ(mtOffeneDateien(), offen);
    }
    EXPECT_EQ(ZeiIstDatei(mtFixture("ZL.001").c_str()), 1);

    MtOrdner o;
    std::string pfad = o / "ALT.001";
    mtSchreiben(pfad, version6);
    ZeiDatei z;
    ASSERT_EQ(ZeiDateiOeffnen(&z, pfad.c_str()), 0);
    BEF b;
    while (ZeiBefLesen(&z, &b) == 0) {
    }
    BEF neu = zl10();
    EXPECT_EQ(ZeiBefSchreiben(&z, &neu), -1);
    EXPECT_EQ(ZeiDateiSchliessen(&z), 0);
    EXPECT_EQ(mtLesen(pfad), version6);
    EXPECT_EQ(mtOffeneDateien(), offen);
}

TEST(ZeiDatei, FormatMustBeA3OrA4)
{
    AssertWirft wirft;
    MtOrdner o;
    ZeiDatei z;
    ASSERT_EQ(ZeiDateiAnlegen(&z, (o / "F.001").c_str()), 0);
    try {
        ZeiFormatSetzen(&z, 'x');
        ADD_FAILURE() << "no assertion";
    } catch (const AssertAusnahme& a) {
        EXPECT_EQ(a.ausdruck, "BefFormat( z->format )");
    }
    EXPECT_EQ(ZeiFormat(&z), 't');
    ZeiDateiVerwerfen(&z);
    EXPECT_EQ(o.anzahl(), 0);
}

TEST(ZeiDatei, ANewDrawingReplacesTheOldOneOnlyWhenClosed)
{
    MtOrdner o;
    std::string pfad = o / "PLAN.001";
    std::string alt = mtLesen(mtFixture("KOPF.001"));
    mtSchreiben(pfad, alt);

    ZeiDatei z;
    ASSERT_EQ(ZeiDateiAnlegen(&z, pfad.c_str()), 0);
    BEF b = zl10();
    ASSERT_EQ(ZeiBefSchreiben(&z, &b), 0);
    EXPECT_EQ(mtLesen(pfad), alt);  // still the old drawing
    ZeiDateiVerwerfen(&z);
    EXPECT_EQ(mtLesen(pfad), alt);
    EXPECT_EQ(o.anzahl(), 1);

    for (PlFehlerArt art : {PlFehlerArt::Schreiben, PlFehlerArt::Umbenennen}) {
        PlFehlerScope scope;
        ASSERT_EQ(ZeiDateiAnlegen(&z, pfad.c_str()), 0);
        ASSERT_EQ(ZeiBefSchreiben(&z, &b), 0);
        plFehlerSetzen(art, 1);
        EXPECT_EQ(ZeiDateiSchliessen(&z), -1);
        EXPECT_EQ(plFehlerAusgeloest(art), 1);
        EXPECT_EQ(mtLesen(pfad), alt);
        EXPECT_EQ(o.anzahl(), 1);
    }
}

TEST(ZeiDatei, BareNamesLieInTheProjectFolderFoundIgnoringCase)
{
    MtOrdner o;
    VerSetzen(1, o.pfad.c_str());
    ZeiDatei z;
    ASSERT_EQ(ZeiDateiAnlegen(&z, "Plan.001"), 0);
    BEF b = zl10();
    ASSERT_EQ(ZeiBefSchreiben(&z, &b), 0);
    ASSERT_EQ(ZeiDateiSchliessen(&z), 0);
    EXPECT_EQ(mtLesen(o / "Plan.001"), mtLesen(mtFixture("ZL.001")));
    EXPECT_EQ(ZeiDateiPruefen("PLAN.001"), 0);
    std::string rueck = o.pfad.string() + "\\plan.001";
    EXPECT_EQ(ZeiIstDatei(rueck.c_str()), 1);
    ZeiKopf k;
    EXPECT_EQ(ZeiKopfLesen("plan.001", &k), 0);
    EXPECT_EQ(k.version, 7);
    VerSetzen(1, "");
}

// ---- header records ---------------------------------------------------------

ZeiKopf kopf(std::vector<const char*> titel, const char* kurz, const char* t10, const char* t11,
             int format = 't')
{
    ZeiKopf k;
    std::memset(&k, 0, sizeof k);
    k.format = format;
    for (size_t i = 0; i < titel.size(); ++i) std::strcpy(k.titel[i], titel[i]);
    std::strcpy(k.kurz, kurz);
    std::strcpy(k.text10, t10);
    std::strcpy(k.text11, t11);
    return k;
}

TEST(ZeiKopf, ReadsTheHeaderRecords)
{
    ZeiKopf k;
    ASSERT_EQ(ZeiKopfLesen(mtFixture("KOPF.001").c_str(), &k), 0);
    EXPECT_EQ(k.format, 't');
    EXPECT_EQ(k.version, 8);
    EXPECT_STREQ(k.titel[0], "T0");
    EXPECT_STREQ(k.kurz, "K");
    EXPECT_STREQ(k.titel[1], "T1");
    EXPECT_STREQ(k.titel[2], "T2");
    EXPECT_STREQ(k.titel[3], "");

    char t0[ZEITITELSUP + 1], kz[ZEIKURZSUP + 1], t1[ZEITITELSUP + 1];
    ZatTeilen("nur", t0, kz, t1);
    EXPECT_STREQ(t0, "nur");
    EXPECT_STREQ(kz, "");
    EXPECT_STREQ(t1, "");
    char w[BEFTEXTSUP + 1];
    ZatBauen(w, "K", "A", "B");
    EXPECT_STREQ(w, "A\x1CK\x1C" "B");
}

TEST(ZeiKopf, TheThreeRewriteCasesGiveTheGoldenFiles)
{
    struct Fall {
        const char* golden;
        ZeiKopf k;
    } faelle[] = {
        {"KOPF1.001", kopf({"Anlage", "Verteilung"}, "UV1", "", "")},
        {"KOPF2.001", kopf({"A", "", "C"}, "K", "Zehn", "", 'u')},
        {"KOPF3.001", kopf({"", "", "", "", "E"}, "", "", "Elf")},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.golden);
        MtOrdner o;
        std::string pfad = o / "PLAN.A.01";
        std::string alt = mtLesen(mtFixture("KOPF.001"));
        mtSchreiben(pfad, alt);
        ASSERT_EQ(ZeiKopfSchreiben(pfad.c_str(), &f.k), 1);
        EXPECT_EQ(mtLesen(pfad), mtLesen(mtFixture(f.golden)));
        EXPECT_EQ(mtLesen(o / "PLAN.BAK"), alt);
        EXPECT_EQ(o.anzahl(), 2);

        ZeiKopf gelesen;
        ASSERT_EQ(ZeiKopfLesen(pfad.c_str(), &gelesen), 0);
        for (int i = 0; i < 5; ++i) EXPECT_STREQ(gelesen.titel[i], f.k.titel[i]);
        EXPECT_STREQ(gelesen.kurz, f.k.kurz);
        EXPECT_STREQ(gelesen.text10, f.k.text10);
        EXPECT_STREQ(gelesen.text11, f.k.text11);
        EXPECT_EQ(gelesen.format, f.k.format);
    }
}

TEST(ZeiKopf, AFailedWriteOrRenameKeepsTheDrawing)
{
    ZeiKopf k = kopf({"Neu"}, "N", "", "");
    struct Fall {
        PlFehlerArt art;
        int n;
    } faelle[] = {
        {PlFehlerArt::Schreiben, 1},   // the temporary file's data
        {PlFehlerArt::Umbenennen, 1},  // the temporary file to its name
        {PlFehlerArt::Umbenennen, 2},  // the copy of the old file to ".BAK"
        {PlFehlerArt::Umbenennen, 3},  // the new file over the drawing
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.n);
        MtOrdner o;
        std::string pfad = o / "PLAN.001";
        std::string alt = mtLesen(mtFixture("KOPF.001"));
        mtSchreiben(pfad, alt);
        {
            PlFehlerScope scope;
            plFehlerSetzen(f.art, f.n);
            EXPECT_EQ(ZeiKopfSchreiben(pfad.c_str(), &k), -1);
            EXPECT_EQ(plFehlerAusgeloest(f.art), 1);
        }
        EXPECT_EQ(mtLesen(pfad), alt);
        EXPECT_TRUE(mtLesen(o / "PLAN.TMP").empty());
        EXPECT_EQ(o.anzahl(), 1);  // no backup of a rewrite that failed
    }
    MtOrdner o;
    mtSchreiben(o / "KEIN.001", "kein Plan");
    EXPECT_EQ(ZeiKopfSchreiben((o / "KEIN.001").c_str(), &k), -1);
}

TEST(ZeiKopf, TheSharedBackupNeverHoldsTheOnlyCopyOfADrawing)
{
    // PLAN.001 and PLAN.002 both back up to PLAN.BAK. Whatever rename fails
    // from some point on, each drawing stays whole under its own name, so
    // the other drawing's rewrite cannot take it away with the backup.
    ZeiKopf k = kopf({"Neu"}, "N", "", "");
    const std::string alt = mtLesen(mtFixture("KOPF.001"));
    for (int n = 1; n <= 4; ++n) {
        SCOPED_TRACE(n);
        MtOrdner o;
        const std::string eins = o / "PLAN.001", zwei = o / "PLAN.002";
        mtSchreiben(eins, alt);
        mtSchreiben(zwei, alt);
        {
            PlFehlerScope scope;
            plFehlerSetzen(PlFehlerArt::Umbenennen, n, true);
            ZeiKopfSchreiben(eins.c_str(), &k);
        }
        ASSERT_EQ(ZeiKopfSchreiben(zwei.c_str(), &k), 1);
        ZeiKopf gelesen;
        EXPECT_EQ(ZeiKopfLesen(eins.c_str(), &gelesen), 0);
        EXPECT_EQ(mtLesen(o / "PLAN.BAK"), alt);  // the old file of PLAN.002
        EXPECT_TRUE(mtLesen(o / "PLAN.TMP").empty());
    }
}

TEST(ZeiKopf, ADrawingReadShortIsNotRewrittenShorter)
{
    // A drawing over more than one block: a read fault anywhere in it
    // leaves it as it was.
    MtOrdner o;
    const std::string pfad = o / "GROSS.001";
    {
        ZeiDatei z;
        ASSERT_EQ(ZeiDateiAnlegen(&z, pfad.c_str()), 0);
        for (int i = 0; i < 300; ++i) {
            BEF b = zl10();
            ASSERT_EQ(ZeiBefSchreiben(&z, &b), 0);
        }
        ASSERT_EQ(ZeiDateiSchliessen(&z), 0);
    }
    const std::string alt = mtLesen(pfad);
    ASSERT_GT(alt.size(), 2 * 2048u);
    ZeiKopf k = kopf({"Neu"}, "N", "", "");
    ASSERT_EQ(ZeiKopfSchreiben(pfad.c_str(), &k), 1);
    const std::string neu = mtLesen(pfad);
    int abgelehnt = 0;
    for (int n = 1;; ++n) {
        SCOPED_TRACE(n);
        mtSchreiben(pfad, alt);
        PlFehlerScope scope;
        plFehlerSetzen(PlFehlerArt::Lesen, n);
        const int r = ZeiKopfSchreiben(pfad.c_str(), &k);
        const bool ausgeloest = plFehlerAusgeloest(PlFehlerArt::Lesen) > 0;
        EXPECT_EQ(mtLesen(pfad), r == 1 ? neu : alt);  // whole, old or new
        if (r != 1) ++abgelehnt;
        if (!ausgeloest) break;
        ASSERT_LT(n, 20);
    }
    EXPECT_GE(abgelehnt, 3);  // the first, a middle and the last block at least
}

// ---- dump and text forms ------------------------------------------------------

TEST(ZeiText, DumpAndExportOfTheOneLineDrawing)
{
    MtOrdner o;
    ASSERT_EQ(ZeiDump(mtFixture("ZL.001").c_str(), (o / "dump.txt").c_str()), 0);
    EXPECT_EQ(mtLesen(o / "dump.txt"),
              "zvkZ V:7 L:18 (29)\r\n\r\n00000A  18  40  ZL 10,0000 0,0000\r\n\r\n00001C   1 116  ZA3\r\n");
    ASSERT_EQ(ZeiAlsText(mtFixture("ZL.001").c_str(), (o / "zl.txt").c_str()), 0);
    EXPECT_EQ(mtLesen(o / "zl.txt"), "VER 10\r\nZL 10,0000 0,0000\r\nZA3\r\n");
    ASSERT_EQ(ZeiAusText((o / "ZL.001").c_str(), (o / "zl.txt").c_str()), 1);
    EXPECT_EQ(mtLesen(o / "ZL.001"), mtLesen(mtFixture("ZL.001")));
    EXPECT_EQ(ZeiDump((o / "FEHLT.001").c_str(), (o / "d2.txt").c_str()), -1);
}

TEST(ZeiText, LongTextsSurviveTheRoundTrip)
{
    MtOrdner o;
    std::string lang(199, 'L');
    lang += '"';
    ZeiDatei z;
    ASSERT_EQ(ZeiDateiAnlegen(&z, (o / "A.001").c_str()), 0);
    std::vector<BEF> recs = {
        rec(50, {}, {}, lang.c_str(), 1),
        rec(96, {1, 2, 3, 2, 1, 0, 1, 1}, {123456.789, -0.5, 3, -4, 5.25, 6, 7, 8}, lang.c_str()),
        rec(67, {0, 450}, {3, 2}),
        rec(119, {}, {}, "Titel\x1CKurz\x1CZweite"),
    };
    for (const BEF& b : recs) ASSERT_EQ(ZeiBefSchreiben(&z, &b), 0);
    ASSERT_EQ(ZeiDateiSchliessen(&z), 0);

    ASSERT_EQ(ZeiAlsText((o / "A.001").c_str(), (o / "a.txt").c_str()), 0);
    ASSERT_EQ(ZeiAusText((o / "B.001").c_str(), (o / "a.txt").c_str()), 1);
    EXPECT_EQ(mtLesen(o / "B.001"), mtLesen(o / "A.001"));
}

TEST(ZeiText, ImportSkipsLinesBeforeTheVersionAndNeedsOne)
{
    MtOrdner o;
    std::string pfad = o / "PLAN.001";
    std::string alt = mtLesen(mtFixture("KOPF.001"));
    mtSchreiben(pfad, alt);
    mtSchreiben(o / "ohne.txt", "ZL 1 2\r\nTFA \"x\"\r\n");
    EXPECT_EQ(ZeiAusText(pfad.c_str(), (o / "ohne.txt").c_str()), 0);
    EXPECT_EQ(mtLesen(pfad), alt);
    EXPECT_EQ(o.anzahl(), 2);

    // Lines before VER, blank lines and unknown words are skipped; without
    // a format line the result is 0 and the drawing is written.
    mtSchreiben(o / "mit.txt", "ZL 5 5\r\n  \r\nver 10\r\n\r\nunbekannt 1\r\nzl 10,0000 0,0000\r\n");
    EXPECT_EQ(ZeiAusText(pfad.c_str(), (o / "mit.txt").c_str()), 0);
    EXPECT_EQ(mtLesen(pfad), mtLesen(mtFixture("ZL.001")));
    EXPECT_EQ(ZeiAusText(pfad.c_str(), (o / "fehlt.txt").c_str()), -1);
}

}  // namespace
