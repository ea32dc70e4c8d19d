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

#include <map>
#include <string>
#include <utility>
#include <vector>

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

// What a run wrote where, said in one box after it: the folders of the
// results are looked at before the run; afterwards the results with their
// line counts and every other file of those folders that is new or changed
// are listed per folder. Nothing is said when no result exists and nothing
// changed (the run's writer has said why).
class AwBericht {
public:
    // Notes the folder of the result name (relative names: the current
    // folder) before the run; its absolute path.
    std::string vorher(const std::string& datei);
    // A result the run was to write (absolute path).
    void ergebnis(const std::string& pfad);
    // The box text under `kopf`; empty when there is nothing to say.
    std::string text(const std::string& kopf) const;
    // The text in an information box titled `titel`.
    void zeigen(const std::string& titel, const std::string& kopf) const;

private:
    using Stand = std::map<std::string, std::pair<long long, long long>>;
    std::map<std::string, Stand> ordner_;  // folder with '/' -> files before
    std::vector<std::string> ergebnisse_;
};
