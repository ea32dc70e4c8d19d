// The executor's actions for the construction, pick, mark, search and
// clipboard commands (`_BST`, `SUE`, `SUA`, `ELV`, `ELR`, `BER`, `ELM`,
// `LME`, `_MLE`, `_MLG`, `BEA`, `SUB`, `SUP`, `SUV`, `VRV`, `VRR`, `ATV`,
// `ATR`, `_QTS`, `ZAK`, `ZAE`, `ZAA`, `EXP`, `REC` 2), run after the dispatchers of
// editor/befausf, which claim these codes and leave them to this module;
// after every record the element under construction follows the current
// position. Prefix `BauAusf`. Calls befausf, baubf, objwahl, elclip and
// the editor hooks of model/.
#pragma once

#include "model/befehl.h"

// The actions of one executed record (the dispatchers ran before).
void BauAusfBefehl(const BEF* b);
// Installs the executor with these actions into the editor hooks of model/
// (after BefAusfHakenSetzen).
void BauAusfHakenSetzen();
