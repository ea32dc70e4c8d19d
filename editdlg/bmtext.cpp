// View flag and shown form of equipment texts.
#include "editdlg/bmtext.h"

#include <cstring>

#include "support/texte.h"

BmtAnsicht BmtAnsichtWaehlen(int unterschied)
{
    if (!unterschied) return {0, 0, 0, "BMTSHOW", "BMTGRAU"};
    if (BmtEditAnsicht(-1)) return {1, 1, 0, "BMTEDIT", ""};
    return {1, 0, 1, "BMTSHOW", ""};
}

int BmtAnzeigeText(const char* text, char* aus, size_t kap)
{
    const char* vier = text[0] ? std::strchr(text + 1, '\x04') : nullptr;
    const int n = vier ? static_cast<int>(vier - text) : static_cast<int>(std::strlen(text));
    strkopie(aus, kap, text, n);
    return vier ? 1 : 0;
}
