// Equipment-text clipboard block: writer over the equipment store, reader
// over any text (it may come from another program, so every line is
// measured before it is used).
#include "editdlg/bmtcopy.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "equipment/btl.h"
#include "equipment/ges.h"
#include "equipment/ngestext.h"
#include "model/dienste.h"
#include "output/clip.h"
#include "support/basis.h"
#include "support/speicher.h"
#include "support/texte.h"
#include "winlib/meldung.h"

namespace {

// Appends to the block, never past its buffer.
struct BmtPuffer {
    char* p;
    size_t n = 0;
    void zeile(const char* a, const char* b = "", const char* c = "")
    {
        const int r = std::snprintf(p + n, BMTCLIPSUP - n, "%s%s%s\r\n", a, b, c);
        if (r > 0) n += std::min(static_cast<size_t>(r), BMTCLIPSUP - 1 - n);
    }
};

void BmtKopf(BmtPuffer& b, const char* ident)
{
    b.zeile("<zavik><bmtext><ident>", ident, "</ident>");
    b.zeile("<text>");
}

void BmtZeile(BmtPuffer& b, int n, const char* text)
{
    char k[16];
    std::snprintf(k, sizeof k, "%d\t", n);
    b.zeile(k, text);
}

void BmtSchluss(BmtPuffer& b)
{
    b.zeile("</text>");
    b.zeile("</bmtext></zavik>");
}

char* BmtNeu()
{
    // Out of memory the copy is refused; ending the program here would lose
    // the user's unsaved work for a clipboard text.
    char* p = static_cast<char*>(fmalloc(BMTCLIPSUP, 1));
    if (p == nullptr) wiInfo("Nicht genug Speicher, um den Text in die Zwischenablage zu kopieren.");
    return p;
}

int BmtSetzen(char* p)
{
    const int r = ClipTextSetzen(p) ? 0 : ERROR;
    ffree(p);
    return r;
}

}  // namespace

void BmTextBauen(char* puffer, uint32_t id, const char* code, int nr)
{
    std::memset(puffer, 0, BMTCLIPSUP);
    BmtPuffer b{puffer};
    char ident[128];
    modh::BMKennungHolen(ident, 64, id);
    char* e = strende(ident);
    const size_t rest = sizeof ident - static_cast<size_t>(e - ident);
    if (nr != 0)
        std::snprintf(e, rest, " %s%d", code, nr);
    else
        std::snprintf(e, rest, " %s", code);
    BmtKopf(b, ident);
    if (code[0] == 'H') {
        appgeraet g;
        GesHolen(id, &g);
        b.zeile("L\t", g.lt);
        b.zeile("B\t", g.t6);
        b.zeile("O\t", g.t7);
        appbteil t;
        if (BtlSuchen(id, "D", 0, &t)) b.zeile("D\t", t.bl);
        if (BtlSuchen(id, "P", 0, &t)) b.zeile("P\t", t.bl);
    }
    for (int n = 0; n < BMTCLIPZEILEN; ++n) {
        char text[64];
        GtxTextRoh(id, code, nr, n, text, sizeof text);
        BmtZeile(b, n, text);
    }
    BmtSchluss(b);
}

void BmTextTabBauen(char* puffer, const char* a, const char* b, const char (*tab)[41])
{
    std::memset(puffer, 0, BMTCLIPSUP);
    BmtPuffer p{puffer};
    char ident[200];
    std::snprintf(ident, sizeof ident, "%s %s", a, b);
    strtrim(ident);
    BmtKopf(p, ident);
    for (int n = 0; n < BMTCLIPZEILEN; ++n) {
        char text[41];
        strkopie(text, tab[n], 40);
        BmtZeile(p, n, text);
    }
    BmtSchluss(p);
}

int BmTextInClip(uint32_t id, const char* code, int nr)
{
    char* p = BmtNeu();
    if (p == nullptr) return ERROR;
    BmTextBauen(p, id, code, nr);
    return BmtSetzen(p);
}

int BmTextTabInClip(const char* a, const char* b, const char (*tab)[41])
{
    char* p = BmtNeu();
    if (p == nullptr) return ERROR;
    BmTextTabBauen(p, a, b, tab);
    return BmtSetzen(p);
}

void BmTextLesen(const char* text, BMTEXTFN fn, void* benutzer)
{
    const char* cr = std::strchr(text, '\r');
    if (cr == nullptr || cr == text || cr - text > BMTCLIPLANG) return;
    char zeile[BMTCLIPLANG + 1];
    strkopie(zeile, text, static_cast<int>(cr - text));
    if (strposi(zeile, "zavik") < 0 || strposi(zeile, "bmtext") < 0) return;
    // The line and the two characters after it (CR LF) are gone; a block
    // cut after its CR ends there.
    const char* p = cr[1] ? cr + 2 : cr + 1;
    for (;;) {
        cr = std::strchr(p, '\r');
        if (cr == nullptr || cr == p || cr - p > BMTCLIPLANG) return;
        strkopie(zeile, p, static_cast<int>(cr - p));
        p = cr[1] ? cr + 2 : cr + 1;
        const char* tab = std::strchr(zeile, '\t');
        if (tab == nullptr || tab == zeile) continue;
        char schluessel[BMTCLIPLANG + 1], wert[BMTCLIPLANG + 1];
        strkopie(schluessel, zeile, static_cast<int>(tab - zeile));
        strkopie(wert, tab + 1, BMTCLIPLANG);
        strtrim(schluessel);
        strtrim(wert);
        fn(schluessel, wert, benutzer);
    }
}

void BmTextAusClip(BMTEXTFN fn, void* benutzer)
{
    char* p = BmtNeu();
    ClipTextHolen(p, BMTCLIPSUP - 1);
    BmTextLesen(p, fn, benutzer);
    ffree(p);
}

int BmTextZeile(const char* s)
{
    if (s == nullptr || s[0] == 0 || !nurziffern(s) || std::strlen(s) > 2) return -1;
    const int n = std::atoi(s);
    return n < BMTCLIPZEILEN ? n : -1;
}
