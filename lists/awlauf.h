// The run of an evaluation: the run without dialog from the page or from
// "Alle Listen aktualisieren", and the driver that hands the options of a
// run to the generator of its type. Prefix `Aw`. Calls the catalogue and
// its options (lists), the generators (lists), editor (changed drawing,
// drawing context), project (project list), equipment (lists, external
// texts), model (current drawing) and winlib (messages, shell).
//
// A run reads every option from the run-options record (AwOptionen); the
// dialog fills that record before it starts, so every type runs headless.
#pragma once

// Runs catalogue entry `index` without a dialog; nurMarkiert 0 or 1, else
// the `AWNurMark` rule. Nothing runs while the editor's drawing is changed
// and unsaved, for an empty entry or an empty result name. 1 when a
// follow-up program was started, else 0.
int AwLaufen(int index, int nurMarkiert);
// Steps 8-10 of a run on the options in AwOptionen (loaded or set by the
// dialog) with the entry's follow-up program; 1 when it was started.
int AwAusfuehren(const char* programm);
// Runs the generator of the record's type; 0, or -1 when the result could
// not be written or the run was refused (with its message).
int AwTreiber();
// The only-marked choice of a run started from the page (`AWNurMark`).
int AwNurMarkVorgabe();
