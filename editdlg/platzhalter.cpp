// Stand-ins for the dialog openers (see platzhalter.h).
#include "editdlg/platzhalter.h"

#include "editdlg/dbdialog.h"

namespace {
std::vector<std::string> phOeffner;
void phOeffnen(const char* vorlage)
{
    phOeffner.push_back(std::string(vorlage) + "Oeffnen");
    DbGrundOeffnen(vorlage);
}
}  // namespace

std::vector<std::string>& PhDbOeffner() { return phOeffner; }

void DB1205Oeffnen() { phOeffnen("DB1205"); }
void DB1240Oeffnen() { phOeffnen("DB1240"); }
void DB1350Oeffnen() { phOeffnen("DB1350"); }
void DB1351Oeffnen() { phOeffnen("DB1351"); }
void DB1352Oeffnen() { phOeffnen("DB1352"); }
void DB1354Oeffnen() { phOeffnen("DB1354"); }
void DB1355Oeffnen() { phOeffnen("DB1355"); }
void DB1356Oeffnen() { phOeffnen("DB1356"); }
void DB1359Oeffnen() { phOeffnen("DB1359"); }
void DB1361Oeffnen() { phOeffnen("DB1361"); }
void DB1362Oeffnen() { phOeffnen("DB1362"); }
