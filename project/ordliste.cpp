// A folder's listing that reports failures (see ordliste.h).
#include "project/ordliste.h"

#include <sys/stat.h>

#include "platform/dateisys.h"
#include "support/basis.h"

int OrdListe(const char* ordner, std::vector<std::string>* dateien, std::vector<std::string>* unterordner)
{
    if (dateien != nullptr) dateien->clear();
    if (unterordner != nullptr) unterordner->clear();
    std::string o = ordner != nullptr ? ordner : "";
    for (char& c : o)
        if (c == '\\') c = '/';
    while (o.size() > 1 && o.back() == '/') o.pop_back();
    PlDsVerz* v = plDsVerzOeffnen(o.c_str());
    if (v == nullptr) return ERROR;
    int r = 0, n;
    std::string name;
    while ((n = plDsVerzLesen(v, &name)) > 0) {
        if (name == "." || name == "..") continue;
        struct stat st;
        if (plDsStat((o == "/" ? "/" + name : o + "/" + name).c_str(), &st) != 0) {
            r = ERROR;
            continue;
        }
        std::vector<std::string>* ziel = S_ISDIR(st.st_mode) ? unterordner : dateien;
        if (ziel != nullptr) ziel->push_back(name);
    }
    if (n < 0) r = ERROR;
    if (plDsVerzSchliessen(v) != 0) r = ERROR;
    return r;
}
