#include "tools/storage/DosDevices.h"

#include "core/KoIni.h"

namespace {
std::string LetterName(char letter) {
    return std::string(1, letter);
}
}  // namespace

TSubstScan ScanDosDevices(IDosDevices& devices, TKoIni& ini, const std::string& section) {
    TSubstScan scan;
    for (char letter = 'A'; letter <= 'Z'; ++letter) {
        std::string target;
        if (devices.Query(letter, target))
            scan.Rows.push_back({letter, target, ini.ValueExists(section, LetterName(letter))});
        else
            scan.FreeLetters.push_back(letter);
    }
    return scan;
}

std::string SubstRowText(const TSubstRow& row) {
    return LetterName(row.Letter) + ": => " + row.Target;
}

bool IsSubstitution(const std::string& target) {
    return target.starts_with("\\??\\");
}

bool SaveSubstitutions(const std::vector<TSubstRow>& rows, TKoIni& ini, const std::string& section) {
    const auto lock = ini.Lock();
    for (const TSubstRow& row : rows) {
        if (row.Checked && IsSubstitution(row.Target))
            ini.WriteString(section, LetterName(row.Letter), row.Target);
        else
            ini.DeleteKey(section, LetterName(row.Letter));
    }
    for (char letter = 'A'; letter <= 'Z'; ++letter)
        if (!ini.ReadString(section, LetterName(letter), "").empty())
            return true;
    return false;
}

void RestoreSubstitutions(IDosDevices& devices, TKoIni& ini, const std::string& section) {
    for (char letter = 'A'; letter <= 'Z'; ++letter) {
        const std::string target = ini.ReadString(section, LetterName(letter), "");
        std::string current;
        // A letter in use keeps its drive: a definition on top of it would hide it.
        if (!target.empty() && !devices.Query(letter, current))
            devices.Define(kDefineRaw, letter, target);
    }
}

std::string SubstStartupCommand(const std::string& programPath, const std::string& toolKey) {
    return "\"" + programPath + "\" " + toolKey + " /auto";
}
