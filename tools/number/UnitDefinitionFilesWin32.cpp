#include "core/KoLibWin32.h"
#include "tools/number/UnitInterpretation.h"

std::vector<std::string> DefinitionFiles(const std::string& dataFolder) {
    return FindFiles(dataFolder, "*.ini");
}
