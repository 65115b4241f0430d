#pragma once
#include <cstdint>
#include <string>
#include <vector>

class TKoIni;

// The platform's DOS device table: which drive letters point where.
class IDosDevices {
  public:
    virtual ~IDosDevices() = default;
    // The letter's current target ("\??\C:\Work" for a substitution, "\Device\HarddiskVolume1" for a disk);
    // false when the letter has none.
    virtual bool Query(char letter, std::string& target) = 0;
    // One of the kDefine flags; the platform's error code, 0 on success. Removal takes no target.
    virtual uint32_t Define(uint32_t flags, char letter, const std::string& target) = 0;
};
IDosDevices& SystemDosDevices();

constexpr uint32_t kDefinePlain = 0;  // a directory as the user names it
constexpr uint32_t kDefineRaw = 1;    // a target in the platform's own form
constexpr uint32_t kDefineRemove = 2;

struct TSubstRow {
    char Letter = 'A';
    std::string Target;
    bool Checked = false;  // restored at log-on
};

// Every letter with a target, in letter order, checked when a saved mapping exists, and the free letters.
struct TSubstScan {
    std::vector<TSubstRow> Rows;
    std::vector<char> FreeLetters;
};
TSubstScan ScanDosDevices(IDosDevices& devices, TKoIni& ini, const std::string& section);

// "X: => \??\C:\Work".
std::string SubstRowText(const TSubstRow& row);
// Only substitutions may be removed: removing a disk's own letter would take the drive away until restart.
bool IsSubstitution(const std::string& target);

// Writes the checked substitutions and forgets every other row's letter (a disk's own letter is never restored);
// saved mappings of letters that have no row now (a restore that failed, say) are kept. True when any saved mapping
// remains, so the start-up entry is wanted.
bool SaveSubstitutions(const std::vector<TSubstRow>& rows, TKoIni& ini, const std::string& section);
// Re-creates every saved mapping whose letter is free; failures are left alone, as nobody is there to see them.
void RestoreSubstitutions(IDosDevices& devices, TKoIni& ini, const std::string& section);

// The start-up entry's command: the quoted program, the tool key and "/auto".
std::string SubstStartupCommand(const std::string& programPath, const std::string& toolKey);
