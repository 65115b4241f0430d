#include "core/EasyConfig.h"
#include "core/KoIni.h"

namespace {

// Stands for "no such key": no text the program writes is this one character.
constexpr char kAbsent[] = "\x1b";

}  // namespace

TEasyConfigIni::TEasyConfigIni(std::string fileName, IPrivateProfile& profile)
    : fileName_(std::move(fileName)), profile_(profile) {}

// By index: a change handler may define further variables while the list is being read.
void TEasyConfigIni::Load() {
    const TProfileLock lock(profile_, fileName_);
    TSnapshotProfile snapshot(profile_);  // the file read once for every setting
    char buffer[kBufferSize];
    for (int i = 0; i < Count(); ++i) {
        TConfigVar& var = *Items(i);
        if (!var.Persistent())
            continue;
        snapshot.GetString(var.Namespace().c_str(), var.Name().c_str(), kAbsent, buffer, kBufferSize,
                           fileName_.c_str());
        const std::string text = buffer;
        if (text == kAbsent)
            var.Reset();
        else
            var.SetAsText(text);
        var.SetModified(false);
    }
}

// Quoted like TKoIni::WriteString, so that a text with blank ends or enclosing quotes reads back unchanged.
void TEasyConfigIni::Save() {
    const TProfileLock lock(profile_, fileName_);
    for (int i = 0; i < Count(); ++i) {
        TConfigVar& var = *Items(i);
        if (!var.Persistent() || !var.Modified())
            continue;
        profile_.WriteString(var.Namespace().c_str(), var.Name().c_str(), TKoIni::QuoteValue(var.GetAsText()).c_str(),
                             fileName_.c_str());
        var.SetModified(false);
    }
}
