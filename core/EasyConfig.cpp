#include "core/EasyConfig.h"

TEasyConfig::TEasyConfig() = default;

TEasyConfig::~TEasyConfig() {
    Clear();
}

int TEasyConfig::Add(TConfigVar* var) {
    vars_.reserve(vars_.size() + 1);  // the only step that can fail, before ownership is taken
    vars_.emplace_back(var);
    return Count() - 1;
}

TConfigVar* TEasyConfig::Items(int index) const {
    return index >= 0 && index < Count() ? vars_[static_cast<size_t>(index)].get() : nullptr;
}

int TEasyConfig::IndexOf(const std::string& fullName) const {
    for (int i = 0; i < Count(); ++i)
        if (vars_[static_cast<size_t>(i)]->FullName() == fullName)
            return i;
    return -1;
}

TConfigVar* TEasyConfig::Find(const std::string& fullName) const {
    return Items(IndexOf(fullName));
}

void TEasyConfig::Clear() {
    vars_.clear();
}

void TEasyConfig::Release(TConfigVar* var) {
    for (auto it = vars_.begin(); it != vars_.end(); ++it) {
        if (it->get() == var) {
            (void)it->release();
            vars_.erase(it);
            return;
        }
    }
}
