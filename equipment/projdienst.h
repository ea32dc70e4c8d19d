// The services that the project titles, the texts by language and the
// check lists give the layers below: the entries of model/'s service table
// and the module start and end of the three modules. Prefix `ProjDienst`.
// Calls equipment/utitel, fstx, chk and model/dienste.
//
// The equipment store's start (BMStart) calls ProjDiensteEintragen on the
// table it installs; the module start-up calls ProjModuleStarten/-Beenden.
#pragma once

struct ModDienste;

// Sets the entries UtitelProjektText, UtitelProjektWeiterer,
// UtitelZeichnungText, FstxTitelText, ChkTextHolen and BMCodeWert of `d`.
void ProjDiensteEintragen(ModDienste* d);
// Installs them at once (the other entries stay as they are).
void ProjDiensteSetzen();

// UtitelInit, ZeiKopfInit, FstxInit, ChkInit, ChkAnhangInit / their ends.
void ProjModuleStarten();
void ProjModuleBeenden();
// The project change of these modules, in the frame's order:
// UtitelNeuLaden, ZeiKopfCacheLeeren (FstxNeuLaden is the store's step).
void ProjProjektWechsel();
