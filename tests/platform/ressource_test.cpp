// Resource scripts: the parser on small scripts (structs and errors), the
// packer on a broken folder, and the resource calls on the packed modules.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <memory>

#include "platform/rcparser.h"
#include "platform/ressource.h"

namespace {

using Dateien = std::map<std::string, std::string>;

bool parsen(const Dateien& d, RcModul& m, std::string& fehler)
{
    std::vector<std::string> skripte;
    for (const auto& [pfad, inhalt] : d) {
        if (pfad.size() > 3 && pfad.compare(pfad.size() - 3, 3, ".rc") == 0 && pfad.find('/') == std::string::npos) {
            skripte.push_back(pfad);
        }
    }
    RcLeser leser = [&d](const std::string& pfad, std::string& inhalt) {
        auto it = d.find(pfad);
        if (it == d.end()) return false;
        inhalt = it->second;
        return true;
    };
    return rcModulParsen("test", skripte, leser, m, fehler);
}

const RcEintrag* eintrag(const RcModul& m, WORD typ, const char* name)
{
    RcName n = rcNameAus(name);
    for (const auto& e : m.eintraege) {
        if (e.typ == typ && rcNameGleich(e.name, n)) return &e;
    }
    return nullptr;
}

TEST(RcParser, RcdataStringsKeepEscapesAndGetNoTerminator)
{
    RcModul m;
    std::string f;
    ASSERT_TRUE(parsen({{"a.rc", "ANW_CONFIG RCDATA\nBEGIN\n  \"Class Velmo\\0\\0\"\nEND\n"
                                 "Esc RCDATA { \"a\\n\\r\\t\\\\\\\"\\x41\\xFC\", \"\"\"q\"\"\" }\n"
                                 "Roh RCDATA \"sub/roh.bin\"\n"},
                        {"sub/roh.bin", std::string("\x00\xFF\r\n", 4)}},
                       m, f))
        << f;
    EXPECT_EQ(eintrag(m, 10, "anw_config")->bytes, std::string("Class Velmo\0\0", 13));
    EXPECT_EQ(eintrag(m, 10, "ESC")->bytes, std::string("a\n\r\t\\\"A\xFC\"q\""));
    EXPECT_EQ(eintrag(m, 10, "Roh")->bytes, std::string("\x00\xFF\r\n", 4));
}

TEST(RcParser, StringTableSpreadOverTwoFilesWithDefinesAndUmlauts)
{
    RcModul m;
    std::string f;
    ASSERT_TRUE(parsen({{"a.rc", "#include \"ids.h\"\nSTRINGTABLE BEGIN\n TXT_A, \"Größe\"\n 2 \"zwei\"\nEND\n"},
                        {"b.rc", "STRINGTABLE\nBEGIN\n  1000, \"€ und ‚\" /* Kommentar */\nEND\n"},
                        {"ids.h", "// Nummern\n#define TXT_A 1\n"}},
                       m, f))
        << f;
    ASSERT_EQ(m.texte.size(), 3u);
    EXPECT_EQ(m.texte[1], "Gr\xF6\xDF" "e");
    EXPECT_EQ(m.texte[2], "zwei");
    EXPECT_EQ(m.texte[1000], "\x80 und \x82");
}

TEST(RcParser, DialogWithControls)
{
    RcModul m;
    std::string f;
    ASSERT_TRUE(parsen({{"d.rc", "#define IDC_LISTE 3000\n"
                                 "VorListeGB DIALOG 10, 20, 300, 150\n"
                                 "STYLE DS_MODALFRAME | WS_POPUP | WS_SYSMENU\n"
                                 "EXSTYLE WS_EX_TOOLWINDOW\n"
                                 "CAPTION \"Vorgaben wählen\"\nFONT 8, \"MS Sans Serif\"\nMENU HauptMenue\nCLASS \"Klasse\"\n"
                                 "BEGIN\n"
                                 "  CONTROL \"&OK\", IDOK, \"button\", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 5, 130, 40, 14\n"
                                 "  CONTROL \"\", IDC_LISTE, \"ORVAGRBU\", WS_CHILD | WS_TABSTOP, 5, 5, 290, 120, WS_EX_CLIENTEDGE\n"
                                 "  CONTROL \"x\", -1, STATIC, 0x50000000L, 0, 0, 1, 1\n"
                                 "END\n"
                                 "Ohne DIALOG 0, 0, 10, 10\nBEGIN\nEND\n"
                                 "Ex DIALOGEX 0, 0, 10, 10\nFONT 8, \"MS Shell Dlg\", 400, 0, 0x1\n{\n}\n"}},
                       m, f))
        << f;
    const RcDialog* d = eintrag(m, 5, "vorlistegb")->dialog.get();
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(d->x, 10);
    EXPECT_EQ(d->cy, 150);
    EXPECT_EQ(d->stil, static_cast<DWORD>(DS_MODALFRAME | WS_POPUP | WS_SYSMENU | WS_CAPTION | DS_SETFONT));
    EXPECT_EQ(d->exStil, static_cast<DWORD>(WS_EX_TOOLWINDOW));
    EXPECT_EQ(d->titel, "Vorgaben w\xE4hlen");
    EXPECT_EQ(d->schriftGroesse, 8);
    EXPECT_EQ(d->schrift, "MS Sans Serif");
    EXPECT_EQ(d->menue, "HauptMenue");
    EXPECT_EQ(d->klasse, "Klasse");
    ASSERT_EQ(d->elemente.size(), 3u);
    const RcDlgElement& ok = d->elemente[0];
    EXPECT_EQ(ok.text, "&OK");
    EXPECT_EQ(ok.id, IDOK);
    EXPECT_EQ(ok.klasse, "button");
    EXPECT_EQ(ok.stil, 0x50000000u);  // WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON
    EXPECT_EQ(ok.x, 5);
    EXPECT_EQ(ok.y, 130);
    EXPECT_EQ(ok.cx, 40);
    EXPECT_EQ(ok.cy, 14);
    EXPECT_EQ(d->elemente[1].id, 3000);
    EXPECT_EQ(d->elemente[1].exStil, static_cast<DWORD>(WS_EX_CLIENTEDGE));
    EXPECT_EQ(d->elemente[2].id, -1);
    EXPECT_EQ(d->elemente[2].klasse, "STATIC");
    EXPECT_EQ(eintrag(m, 5, "OHNE")->dialog->stil, static_cast<DWORD>(WS_POPUP | WS_BORDER | WS_SYSMENU));
    EXPECT_EQ(eintrag(m, 5, "ex")->dialog->schrift, "MS Shell Dlg");
}

TEST(RcParser, NestedPopupsAndItemFlags)
{
    RcModul m;
    std::string f;
    ASSERT_TRUE(parsen({{"m.rc", "Haupt MENU\nBEGIN\n"
                                 "  POPUP \"&Datei\"\n  BEGIN\n"
                                 "    MENUITEM \"&Neu\\tStrg+N\", 101\n"
                                 "    MENUITEM SEPARATOR\n"
                                 "    POPUP \"Zuletzt\"\n    BEGIN\n      MENUITEM \"1\", 201, GRAYED, CHECKED\n    END\n"
                                 "    MENUITEM \"Ende\", 102, INACTIVE MENUBREAK\n"
                                 "  END\n"
                                 "  MENUITEM \"&Hilfe\", 900, HELP, MENUBARBREAK\n"
                                 "END\n"}},
                       m, f))
        << f;
    const RcMenue* me = eintrag(m, 4, "HAUPT")->menue.get();
    ASSERT_EQ(me->punkte.size(), 2u);
    const RcMenuePunkt& datei = me->punkte[0];
    EXPECT_EQ(datei.flags, static_cast<UINT>(MF_POPUP));
    ASSERT_EQ(datei.unter.size(), 4u);
    EXPECT_EQ(datei.unter[0].text, "&Neu\tStrg+N");
    EXPECT_EQ(datei.unter[0].id, 101);
    EXPECT_EQ(datei.unter[1].flags, static_cast<UINT>(MF_SEPARATOR));
    ASSERT_EQ(datei.unter[2].unter.size(), 1u);
    EXPECT_EQ(datei.unter[2].unter[0].flags, static_cast<UINT>(MF_GRAYED | MF_CHECKED));
    EXPECT_EQ(datei.unter[3].flags, static_cast<UINT>(MF_DISABLED | MF_MENUBREAK));
    EXPECT_EQ(me->punkte[1].flags, static_cast<UINT>(MF_HELP | MF_MENUBARBREAK));
}

TEST(RcParser, AcceleratorsWithDocumentedValues)
{
    RcModul m;
    std::string f;
    ASSERT_TRUE(parsen({{"a.rc", "ANW_ACCEL ACCELERATORS\nBEGIN\n"
                                 "  \"^O\", 1501\n"
                                 "  \"a\", 1502\n"
                                 "  VK_F1, 1991, VIRTKEY\n"
                                 "  \"N\", 1503, VIRTKEY, CONTROL\n"
                                 "  \"n\", 1504, VIRTKEY, SHIFT, ALT, NOINVERT\n"
                                 "  65, 1505, ASCII\n"
                                 "END\n"}},
                       m, f))
        << f;
    const auto& e = eintrag(m, 9, "anw_accel")->accel->eintraege;
    ASSERT_EQ(e.size(), 6u);
    struct Fall { BYTE fVirt; WORD key; WORD cmd; };
    const Fall erwartet[] = {
        {0x00, 15, 1501},    // Ctrl+O as the control character
        {0x00, 'a', 1502},
        {0x01, 0x70, 1991},  // FVIRTKEY, VK_F1
        {0x09, 'N', 1503},   // FVIRTKEY | FCONTROL
        {0x17, 'N', 1504},   // FVIRTKEY | FNOINVERT | FSHIFT | FALT, letter upper-cased
        {0x00, 65, 1505},
    };
    for (size_t i = 0; i < e.size(); ++i) {
        EXPECT_EQ(e[i].fVirt, erwartet[i].fVirt) << i;
        EXPECT_EQ(e[i].key, erwartet[i].key) << i;
        EXPECT_EQ(e[i].cmd, erwartet[i].cmd) << i;
    }
}

TEST(RcParser, ImagesKeepFileBytesAndNamesIgnoreCase)
{
    RcModul m;
    std::string f;
    ASSERT_TRUE(parsen({{"b.rc", "knopf BITMAP \"bilder/knopf.png\"\n1 ICON \"app.bmp\"\n\"Zeiger\" CURSOR \"z.bmp\"\n"},
                        {"bilder/knopf.png", "PNGDATEN"},
                        {"app.bmp", "BM"},
                        {"z.bmp", "BMz"}},
                       m, f))
        << f;
    EXPECT_EQ(eintrag(m, 2, "KNOPF")->bild->bytes, "PNGDATEN");
    EXPECT_EQ(eintrag(m, 2, "KNOPF")->bild->datei, "bilder/knopf.png");
    EXPECT_EQ(eintrag(m, 3, MAKEINTRESOURCE(1))->bytes, "BM");
    EXPECT_EQ(eintrag(m, 3, "#1")->bytes, "BM");
    EXPECT_EQ(eintrag(m, 1, "zeiger")->bytes, "BMz");
    EXPECT_EQ(eintrag(m, 2, "zeiger"), nullptr);  // names count within their type
}

TEST(RcParser, ErrorsCarryFileAndLine)
{
    struct Fall {
        const char* wie;
        Dateien dateien;
        const char* meldung;
    };
    const Fall faelle[] = {
        {"unknown constant", {{"a.rc", "X DIALOG 0,0,1,1\nSTYLE WS_POPUP | WS_NIX\nBEGIN\nEND\n"}}, "a.rc:2: unbekannter Name WS_NIX"},
        {"unterminated string", {{"a.rc", "STRINGTABLE\nBEGIN\n 1, \"offen\nEND\n"}}, "a.rc:3: Text nicht beendet"},
        {"duplicate name", {{"a.rc", "X RCDATA { \"1\" }\n\n"}, {"b.rc", "x RCDATA { \"2\" }\n"}}, "b.rc:1: Name doppelt: x"},
        {"duplicate string id", {{"a.rc", "STRINGTABLE { 5, \"a\" }\n"}, {"b.rc", "\nSTRINGTABLE { 5, \"b\" }\n"}}, "b.rc:2: Text-Nummer doppelt: 5"},
        {"character outside 1252", {{"a.rc", "STRINGTABLE\n{\n 1, \"Ω\"\n}\n"}}, "a.rc:3: Zeichen außerhalb von Codepage 1252 im Text"},
        {"missing file", {{"a.rc", "\n\nB BITMAP \"fehlt.png\"\n"}}, "a.rc:3: Datei fehlt: fehlt.png"},
        {"missing include", {{"a.rc", "#include \"nix.h\"\n"}}, "a.rc:1: Datei fehlt: nix.h"},
        {"unknown type", {{"a.rc", "X TOOLBAR 1\n"}}, "a.rc:1: unbekannter Ressourcentyp 'TOOLBAR'"},
        {"missing END", {{"a.rc", "STRINGTABLE BEGIN 1, \"a\"\n"}}, "a.rc:2: END fehlt"},
        {"error inside an include", {{"a.rc", "#include \"i.h\"\n"}, {"i.h", "\n#define A B\n"}}, "i.h:2: unbekannter Name B"},
        {"bad escape", {{"a.rc", "X RCDATA { \"\\q\" }\n"}}, "a.rc:1: unbekannte Escape-Folge \\q"},
        {"unknown accelerator flag", {{"a.rc", "A ACCELERATORS\nBEGIN\n\"a\", 1, STRG\nEND\n"}}, "a.rc:3: unbekannte Tastenangabe 'STRG'"},
    };
    for (const auto& fall : faelle) {
        RcModul m;
        std::string f;
        EXPECT_FALSE(parsen(fall.dateien, m, f)) << fall.wie;
        EXPECT_EQ(f, fall.meldung) << fall.wie;
    }
}

TEST(RcPacker, BrokenScriptFailsWithFileAndLine)
{
    std::string aus = testing::TempDir() + "/rcpack_kaputt.cpp";
    std::string log = testing::TempDir() + "/rcpack_kaputt.log";
    std::string cmd = std::string("'") + VELMO_RCPACK + "' '" + aus + "' '" + VELMO_TEST_DATA "/platform/rc-kaputt' 2>'" + log + "'";
    int rc = std::system(cmd.c_str());
    EXPECT_NE(rc, 0);
    FILE* f = std::fopen(log.c_str(), "r");
    ASSERT_NE(f, nullptr);
    char zeile[512] = "";
    ASSERT_NE(std::fgets(zeile, sizeof zeile, f), nullptr);
    std::fclose(f);
    EXPECT_NE(std::string(zeile).find("rc-kaputt/kaputt.rc:7: unbekannter Name WS_GIBTSNICHT"), std::string::npos) << zeile;
}

TEST(RcModule, EveryPackedModuleParses)
{
    std::vector<std::string> namen = rcModulNamen();
    EXPECT_NE(std::find(namen.begin(), namen.end(), "velmo"), namen.end());
    EXPECT_NE(std::find(namen.begin(), namen.end(), "eddb00"), namen.end());
    for (const auto& n : namen) {
        std::string f;
        EXPECT_TRUE(rcModulPruefen(n, &f)) << f;
    }
}

// Field by field, so that a field the packer leaves out shows here.
void gleicheMenues(const std::vector<RcMenuePunkt>& a, const std::vector<RcMenuePunkt>& b, const std::string& wo)
{
    ASSERT_EQ(a.size(), b.size()) << wo;
    for (size_t i = 0; i < a.size(); ++i) {
        EXPECT_EQ(a[i].text, b[i].text) << wo;
        EXPECT_EQ(a[i].id, b[i].id) << wo;
        EXPECT_EQ(a[i].flags, b[i].flags) << wo;
        gleicheMenues(a[i].unter, b[i].unter, wo + "/" + a[i].text);
    }
}

void gleicheEintraege(const RcEintrag& a, const RcEintrag& b, const std::string& wo)
{
    EXPECT_EQ(a.typ, b.typ) << wo;
    EXPECT_EQ(a.name.istZahl, b.name.istZahl) << wo;
    EXPECT_EQ(a.name.zahl, b.name.zahl) << wo;
    EXPECT_EQ(a.name.text, b.name.text) << wo;
    EXPECT_EQ(a.name.gross, b.name.gross) << wo;
    EXPECT_EQ(a.bytes, b.bytes) << wo;
    EXPECT_EQ(a.datei, b.datei) << wo;
    ASSERT_EQ(!a.dialog, !b.dialog) << wo;
    if (a.dialog) {
        const RcDialog &x = *a.dialog, &y = *b.dialog;
        EXPECT_EQ(x.name, y.name) << wo;
        EXPECT_EQ(std::vector<int>({x.x, x.y, x.cx, x.cy, x.schriftGroesse}),
                  std::vector<int>({y.x, y.y, y.cx, y.cy, y.schriftGroesse})) << wo;
        EXPECT_EQ(x.stil, y.stil) << wo;
        EXPECT_EQ(x.exStil, y.exStil) << wo;
        EXPECT_EQ(std::vector<std::string>({x.titel, x.schrift, x.menue, x.klasse}),
                  std::vector<std::string>({y.titel, y.schrift, y.menue, y.klasse})) << wo;
        ASSERT_EQ(x.elemente.size(), y.elemente.size()) << wo;
        for (size_t i = 0; i < x.elemente.size(); ++i) {
            const RcDlgElement &u = x.elemente[i], &v = y.elemente[i];
            EXPECT_EQ(u.text, v.text) << wo;
            EXPECT_EQ(u.klasse, v.klasse) << wo;
            EXPECT_EQ(std::vector<long long>({u.id, u.stil, u.exStil, u.x, u.y, u.cx, u.cy, u.zeile}),
                      std::vector<long long>({v.id, v.stil, v.exStil, v.x, v.y, v.cx, v.cy, v.zeile}))
                << wo << " control " << i;
        }
    }
    ASSERT_EQ(!a.menue, !b.menue) << wo;
    if (a.menue) {
        EXPECT_EQ(a.menue->name, b.menue->name) << wo;
        gleicheMenues(a.menue->punkte, b.menue->punkte, wo);
    }
    ASSERT_EQ(!a.accel, !b.accel) << wo;
    if (a.accel) {
        EXPECT_EQ(a.accel->name, b.accel->name) << wo;
        ASSERT_EQ(a.accel->eintraege.size(), b.accel->eintraege.size()) << wo;
        for (size_t i = 0; i < a.accel->eintraege.size(); ++i) {
            const ACCEL &u = a.accel->eintraege[i], &v = b.accel->eintraege[i];
            EXPECT_EQ(std::vector<int>({u.fVirt, u.key, u.cmd}), std::vector<int>({v.fVirt, v.key, v.cmd})) << wo;
        }
    }
    ASSERT_EQ(!a.bild, !b.bild) << wo;
    if (a.bild) {
        EXPECT_EQ(a.bild->name, b.bild->name) << wo;
        EXPECT_EQ(a.bild->datei, b.bild->datei) << wo;
        EXPECT_EQ(a.bild->bytes, b.bild->bytes) << wo;
    }
}

// The modules the build packed as parsed read back, through the resource
// calls, as their scripts parse now: every entry and text, and the handles
// in script order.
TEST(RcModule, PackedModulesReadAsTheirScriptsParse)
{
    for (const std::string& name : rcModulNamen()) {
        RcModul m;
        std::string f;
        ASSERT_TRUE(rcModulSkripteParsen(name, m, f)) << f;
        const bool programm = name == "velmo";
        HMODULE h = programm ? GetModuleHandle(nullptr) : LoadLibrary(name.c_str());
        ASSERT_NE(h, 0u) << name;
        std::vector<std::string> dialoge;
        for (size_t i = 0; i < m.eintraege.size(); ++i) {
            const RcEintrag& e = m.eintraege[i];
            std::string wo = name + ":" + (e.name.istZahl ? std::to_string(e.name.zahl) : e.name.text);
            LPCSTR n = e.name.istZahl ? MAKEINTRESOURCE(e.name.zahl) : e.name.text.c_str();
            HRSRC r = FindResource(h, n, MAKEINTRESOURCE(e.typ));
            ASSERT_NE(r, 0u) << wo;
            EXPECT_EQ(r & 0xFFFF, i + 1) << wo;  // the handle names the entry in script order
            EXPECT_EQ(SizeofResource(h, r), e.bytes.size()) << wo;
            // Rebuilt from what the calls hand out.
            RcEintrag g;
            g.typ = e.typ;
            g.name = rcNameAus(n);
            if (!e.name.istZahl) g.name.text = e.name.text;
            void* daten = LockResource(LoadResource(h, r));
            ASSERT_NE(daten, nullptr) << wo;
            if (e.typ == 5) g.dialog = std::make_shared<RcDialog>(*static_cast<const RcDialog*>(daten));
            if (e.typ == 4) g.menue = std::make_shared<RcMenue>(*static_cast<const RcMenue*>(daten));
            if (e.typ == 9) g.accel = std::make_shared<RcAccel>(*static_cast<const RcAccel*>(daten));
            if (e.typ == 5 || e.typ == 4 || e.typ == 9) {
                g.bytes = e.bytes;  // handed out as a struct, not as bytes
            } else {
                g.bytes.assign(static_cast<const char*>(daten), SizeofResource(h, r));
            }
            if (e.typ >= 1 && e.typ <= 3) {
                const RcBild* b = rcBild(h, n, MAKEINTRESOURCE(e.typ));
                ASSERT_NE(b, nullptr) << wo;
                g.bild = std::make_shared<RcBild>(*b);
                g.datei = b->datei;
            } else {
                g.datei = e.datei;
            }
            gleicheEintraege(e, g, wo);
            if (e.typ == 5 && !e.name.istZahl) dialoge.push_back(e.name.text);
        }
        EXPECT_EQ(rcDialogNamen(h), dialoge) << name;
        for (UINT id = 0; id <= 0xFFFF; ++id) {
            auto it = m.texte.find(static_cast<WORD>(id));
            const std::string* t = rcText(h, id);
            if (it == m.texte.end()) {
                EXPECT_EQ(t, nullptr) << name << " text " << id;
            } else {
                ASSERT_NE(t, nullptr) << name << " text " << id;
                EXPECT_EQ(*t, it->second) << name << " text " << id;
                EXPECT_EQ(rcText(h, id), t);  // the same text stays where it was handed out
            }
        }
        if (!programm) {
            EXPECT_TRUE(FreeLibrary(h));
        }
    }
}

// A module with every field set reads back whole from its packed bytes;
// the bytes cut short are refused, never read beyond (AddressSanitizer
// watches each cut in a buffer of its own).
TEST(RcModule, PackedBytesReadBackWholeAndRefuseEveryCut)
{
    RcModul m;
    std::string f;
    ASSERT_TRUE(parsen({{"a.rc", "STRINGTABLE BEGIN 7, \"sieben\" 65535, \"\" END\n"
                                 "D DIALOG 1, 2, 10, 10 STYLE WS_POPUP EXSTYLE WS_EX_TOOLWINDOW CAPTION \"T\"\n"
                                 "FONT 8, \"Sans\" MENU M CLASS \"K\"\n"
                                 "BEGIN\nCONTROL \"t\", 5, \"button\", WS_CHILD, 1, 2, 3, 4, WS_EX_CLIENTEDGE\nEND\n"
                                 "M MENU BEGIN POPUP \"P\" GRAYED BEGIN MENUITEM \"x\", 3, CHECKED\n"
                                 "MENUITEM SEPARATOR END END\n"
                                 "A ACCELERATORS BEGIN \"^O\", 9\nVK_F1, 10, VIRTKEY, SHIFT\nEND\n"
                                 "B BITMAP \"b.png\"\n12 ICON \"b.png\"\nR RCDATA { \"r\\0\" }\n"},
                        {"b.png", "PNG"}},
                       m, f))
        << f;
    const std::string ganz = rcModulPacken(m);
    RcGepackt g;
    ASSERT_TRUE(g.oeffnen(ganz));
    ASSERT_EQ(g.eintraege(), m.eintraege.size());
    for (size_t i = 0; i < g.eintraege(); ++i) {
        RcEintrag e;
        ASSERT_TRUE(g.kopf(i, e));
        ASSERT_TRUE(g.inhalt(i, e));
        gleicheEintraege(m.eintraege[i], e, "entry " + std::to_string(i));
    }
    std::map<WORD, std::string> texte;
    ASSERT_TRUE(g.alleTexte(texte));
    EXPECT_EQ(texte, m.texte);

    auto allesLesen = [](std::string_view b) {
        RcGepackt g;
        if (!g.oeffnen(b)) return false;
        bool ok = true;
        for (size_t i = 0; i < g.eintraege(); ++i) {
            RcEintrag e;
            ok = g.kopf(i, e) && ok;
            ok = g.inhalt(i, e) && ok;
        }
        std::string t;
        ok = g.text(7, t) && ok;
        std::map<WORD, std::string> alle;
        return g.alleTexte(alle) && ok;
    };
    for (size_t n = 0; n < ganz.size(); ++n) {
        std::unique_ptr<char[]> eigen(new char[n + 1]);
        std::memcpy(eigen.get(), ganz.data(), n);
        EXPECT_FALSE(allesLesen(std::string_view(eigen.get(), n))) << "cut at " << n;
    }
}

TEST(RcModule, LoadStringCutsToTheBuffer)
{
    HINSTANCE prog = GetModuleHandle(nullptr);
    ASSERT_NE(prog, 0u);
    char b[64];
    EXPECT_EQ(LoadString(prog, 161, b, sizeof b), 10);
    EXPECT_STREQ(b, "(Bauteile)");
    EXPECT_EQ(LoadString(prog, 161, b, 5), 4);
    EXPECT_STREQ(b, "(Bau");
    EXPECT_EQ(LoadString(prog, 161, b, 1), 0);
    EXPECT_STREQ(b, "");
    std::snprintf(b, sizeof b, "alt");
    EXPECT_EQ(LoadString(prog, 59999, b, sizeof b), 0);
    EXPECT_STREQ(b, "");
}

TEST(RcModule, LoadLibraryFindsTheTestModuleByFileName)
{
    EXPECT_EQ(GetModuleHandle("eddb00"), 0u);  // not loaded yet
    HMODULE h = LoadLibrary("EDDB00.DLL");
    ASSERT_NE(h, 0u);
    EXPECT_EQ(LoadLibrary("c:\\programme\\eddb00.dll"), h);
    EXPECT_EQ(rcModulName(h), "eddb00");
    EXPECT_EQ(GetModuleHandle("Eddb00.dll"), h);
    EXPECT_EQ(LoadLibrary("eddb99.dll"), 0u);

    char b[40];
    EXPECT_EQ(LoadString(h, 7, b, sizeof b), 17);
    EXPECT_STREQ(b, "Bibliothek eddb00");

    HRSRC r = FindResource(h, "edtest_text", RT_RCDATA);
    ASSERT_NE(r, 0u);
    HGLOBAL g = LoadResource(h, r);
    std::string text(static_cast<const char*>(LockResource(g)), SizeofResource(h, r));
    EXPECT_EQ(text, "Leer Keine Eintr\xE4ge vorhanden.\nZwei Zeile eins\\nZeile zwei\n");
    EXPECT_EQ(FindResource(h, "EdTest_TEXT", RT_DIALOG), 0u);

    HRSRC rd = FindResource(h, "EDTEST", RT_DIALOG);
    ASSERT_NE(rd, 0u);
    const auto* d = static_cast<const RcDialog*>(LockResource(LoadResource(h, rd)));
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(d, rcDialog(h, "EdTest"));
    EXPECT_EQ(d->titel, "Pr\xFC" "fdialog");
    ASSERT_EQ(d->elemente.size(), 2u);
    EXPECT_EQ(d->elemente[1].id, 3000);

    EXPECT_TRUE(FreeLibrary(h));
    EXPECT_TRUE(FreeLibrary(h));
    EXPECT_EQ(GetModuleHandle("eddb00"), 0u);
    EXPECT_EQ(FindResource(h, "EdTest", RT_DIALOG), 0u);  // released
    EXPECT_FALSE(FreeLibrary(h));
    EXPECT_FALSE(FreeLibrary(0));
}

}  // namespace

// A module parsed ahead on a thread of its own reads back as one parsed at
// its first use; a script error comes at the first use, as then.
TEST(RcModule, AParseAheadIsTakenOverAtTheFirstUse)
{
    static const char gut[] = "#define X 5\nSTRINGTABLE BEGIN 7, \"sieben\" END\n"
                              "D DIALOG 0, 0, 10, 10\nBEGIN\nCONTROL \"t\", X, \"button\", WS_CHILD, 1, 2, 3, 4\nEND\n";
    static const char kaputt[] = "\nX DIALOG 0, 0, 1, 1 STYLE WS_NIX\nBEGIN\nEND\n";
    static const char* const skripte[] = {"a.rc"};
    static const RcGepackteDatei gutDateien[] = {{"a.rc", gut, sizeof gut - 1}};
    static const RcGepackteDatei kaputtDateien[] = {{"a.rc", kaputt, sizeof kaputt - 1}};
    rcModulAnmelden("vorausgut", skripte, 1, gutDateien, 1);
    rcModulAnmelden("vorauskaputt", skripte, 1, kaputtDateien, 1);
    rcModulVorausParsen("VorausGut");
    rcModulVorausParsen("vorausgut");  // under way already: nothing
    rcModulVorausParsen("vorauskaputt");
    rcModulVorausParsen("fehlt");

    HMODULE h = LoadLibrary("vorausgut.dll");
    ASSERT_NE(h, 0u);
    char b[20];
    EXPECT_EQ(LoadString(h, 7, b, sizeof b), 6);
    EXPECT_STREQ(b, "sieben");
    const RcDialog* d = rcDialog(h, "d");
    ASSERT_NE(d, nullptr);
    ASSERT_EQ(d->elemente.size(), 1u);
    EXPECT_EQ(d->elemente[0].id, 5);
    EXPECT_EQ(d->elemente[0].stil, static_cast<DWORD>(WS_CHILD));
    rcModulVorausParsen("vorausgut");  // parsed: nothing
    EXPECT_TRUE(FreeLibrary(h));

    EXPECT_EQ(LoadLibrary("vorauskaputt.dll"), 0u);
    std::string f;
    EXPECT_FALSE(rcModulPruefen("vorauskaputt", &f));
    EXPECT_EQ(f, "a.rc:2: unbekannter Name WS_NIX");
    // Packed again whole, so that a run of every test in one process still
    // finds every module parsing.
    rcModulAnmelden("vorauskaputt", skripte, 1, gutDateien, 1);
}
