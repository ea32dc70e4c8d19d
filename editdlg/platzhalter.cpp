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

void DB1010Oeffnen() { phOeffnen("DB1010"); }
void DB1011Oeffnen() { phOeffnen("DB1011"); }
void DB1012Oeffnen() { phOeffnen("DB1012"); }
void DB1101Oeffnen() { phOeffnen("DB1101"); }
void DB1102Oeffnen() { phOeffnen("DB1102"); }
void DB1103Oeffnen() { phOeffnen("DB1103"); }
void DB1104Oeffnen() { phOeffnen("DB1104"); }
void DB1111Oeffnen() { phOeffnen("DB1111"); }
void DB1112Oeffnen() { phOeffnen("DB1112"); }
void DB1203Oeffnen() { phOeffnen("DB1203"); }
void DB1206Oeffnen() { phOeffnen("DB1206"); }
void DB1209Oeffnen() { phOeffnen("DB1209"); }
void DB1211Oeffnen() { phOeffnen("DB1211"); }
void DB1300Oeffnen() { phOeffnen("DB1300"); }
void DB1310Oeffnen() { phOeffnen("DB1310"); }

void DB1210Oeffnen(void (*)(const char*)) { phOeffner.push_back("DB1210Oeffnen"); }
