// Shared inside equipment/ only: the changed marks the store saves around a
// write and restores when the write failed.
#pragma once

struct BmMarken {
    int ges;
    int btl;
    int btlZaehler;
    int gtx;
    int ztx;
    int wse;
};
void GesMarkeSetzen(int geaendert);
void BtlMarkeSetzen(int geaendert, int zaehler);
int GesInitialisiert();
int BtlInitialisiert();
void GtxMarkeSetzen(int geaendert);
void ZtxMarkeSetzen(int geaendert);
void WseMarkeSetzen(int geaendert);

// Opening a project leaves the equipment file to the lists' first use: every
// path into the lists' contents (the sections' list accessors, snapshots,
// the store's stand and write) calls BmNachladen first, so a reader sees the
// file as if it had been read at the open. Set only while the lists exist
// and nothing is loaded; any load, free or re-creation clears it.
extern bool bmLadenFaellig;
void BmFaelligLaden();
inline void BmNachladen()
{
    if (bmLadenFaellig) BmFaelligLaden();
}
