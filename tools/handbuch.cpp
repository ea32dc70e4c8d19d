// The shipped short manual (see handbuch.h).
#include "tools/handbuch.h"

#include <fstream>
#include <vector>

#include "platform/pdfbib.h"

namespace {

// One page: the topic keys that lead to it, its bookmark and its text
// (code page 1252).
struct HbSeite {
    std::vector<const char*> themen;
    const char* titel;
    std::vector<const char*> zeilen;
};

const std::vector<HbSeite> HB_SEITEN = {
    {{"PROVERW", "Zavik-PVW"},
     "Projektverwaltung",
     {"Die Projektverwaltung zeigt die Zeichnungen des Projektordners.",
      "Neue Zeichnungen entstehen mit Strg+N, bestehende \xF6""ffnet ein Doppelklick.",
      "Titel, Untertitel und Eigenschaften werden \xFC""ber das Kontextmen\xFC"" bearbeitet.",
      "Markierte Zeichnungen lassen sich drucken und exportieren."}},
    {{"Zavik-EDIT"},
     "Zeichnungseditor",
     {"Der Editor bearbeitet eine Zeichnung mit Symbolen, Linien und Texten.",
      "Strg+S speichert die Zeichnung, Escape bricht den laufenden Befehl ab."}},
    {{"Zavik-BML"},
     "Betriebsmittelliste",
     {"Die Betriebsmittelliste f\xFC""hrt alle Bauteile des Projekts auf.",
      "Kennzeichen und Artikeldaten werden in der Liste bearbeitet."}},
    {{"Zavik-AUS"},
     "Auswertungen",
     {"Auswertungen erstellen St\xFC""cklisten, Klemmenpl\xE4""ne und Kabellisten."}},
    {{"Zavik-ANZ"},
     "Zeichnungsanzeige",
     {"Die Anzeige zeigt eine Zeichnung nur zum Lesen.",
      "Die angezeigten Layer w\xE4""hlt der Dialog \"Angezeigte Layer\"."}},
    {{"ZeiEigen", "ZeiAnlegen"},
     "Zeichnungseigenschaften",
     {"Name, Kurztexte, Format und Index einer Zeichnung.",
      "Mit eingeschalteter Rechtschreibpr\xFC""fung werden die Kurztexte gepr\xFC""ft."}},
    {{"RSchreib"},
     "Rechtschreibpr\xFC""fung",
     {"Unbekannte W\xF6""rter werden mit Vorschl\xE4""gen angezeigt.",
      "Ersetzen \xFC""bernimmt den Vorschlag, Lernen nimmt das Wort ins W\xF6""rterbuch auf,",
      "Ignorieren \xFC""bergeht es k\xFC""nftig. Die Vorgaben Spll... schalten die Pr\xFC""fung."}},
    {{"LayerShow"},
     "Angezeigte Layer",
     {"Jeder benannte Layer ist ausgew\xE4""hlt, solange er angezeigt wird."}},
    {{"ZvCopy"},
     "Programminformation",
     {"Version, Jahre und Hersteller des Programms."}},
};

// The viewer shows 170 mm of the page's width from its left edge: lines are
// broken at blanks so that they end well within it (11 points of the fixed
// font are 6.6 points a character; 60 points margin).
constexpr size_t HB_ZEILENBREITE = 58;

std::vector<std::string> hbUmbrechen(const std::string& text)
{
    std::vector<std::string> zeilen;
    std::string rest = text;
    while (rest.size() > HB_ZEILENBREITE) {
        size_t b = rest.rfind(' ', HB_ZEILENBREITE);
        if (b == std::string::npos || b == 0) b = HB_ZEILENBREITE;
        zeilen.push_back(rest.substr(0, b));
        rest = rest.substr(rest[b] == ' ' ? b + 1 : b);
    }
    zeilen.push_back(rest);
    return zeilen;
}

}  // namespace

int HbHandbuchSchreiben(const std::string& pdf, const std::string& index)
{
    int b = DPLCreateLibrary();
    if (b <= 0) return -1;
    int ok = DPLNewDocument(b) > 0 ? 1 : 0;
    int schrift = DPLAddStandardFont(b, 1);
    int fett = DPLAddStandardFont(b, 2);
    std::ofstream idx(index, std::ios::binary);
    for (size_t i = 0; ok && i < HB_SEITEN.size(); ++i) {
        const HbSeite& s = HB_SEITEN[i];
        int seite = i == 0 ? 1 : DPLNewPage(b);
        ok = seite > 0 && DPLSelectPage(b, seite);
        double h = DPLPageHeight(b);
        DPLSelectFont(b, fett);
        DPLSetTextSize(b, 20);
        DPLDrawText(b, 60, h - 70, pdfbibBreit(s.titel).c_str());
        DPLSelectFont(b, schrift);
        DPLSetTextSize(b, 11);
        double y = h - 110;
        for (const char* z : s.zeilen) {
            for (const std::string& teil : hbUmbrechen(z)) {
                DPLDrawText(b, 60, y, pdfbibBreit(teil).c_str());
                y -= 18;
            }
        }
        ok = ok && DPLNewOutline(b, 0, pdfbibBreit(s.titel).c_str(), seite, h) > 0;
        for (const char* t : s.themen) idx << t << " 1 " << s.titel << "\n";
    }
    ok = ok && DPLSaveToFile(b, pdfbibBreit(pdf).c_str());
    DPLReleaseLibrary(b);
    idx.close();
    return ok && idx ? 0 : -1;
}
