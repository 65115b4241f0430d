#include <cstring>
#include <limits>

#include "core/EasyConfig.h"
#include "core/Format.h"
#include "core/Locale.h"

static_assert(std::numeric_limits<long double>::digits == 64, "the float raw form is the 80-bit extended real");
static_assert(sizeof(bool) == 1, "the boolean raw form is one byte");

TConfigVar::TConfigVar(TEasyConfig* owner, const std::string& ns, const std::string& name) : owner_(owner) {
    if (!owner)
        throw EConfigError("Config variable must have an owner");
    if (ns.empty() || name.empty())
        throw EConfigError("Config variable must have a valid namespace and name");
    namespace_ = ns;
    name_ = name;
    owner->Add(this);
}

TConfigVar::~TConfigVar() = default;

void TConfigVar::Unregister() noexcept {
    owner_->Release(this);
}

std::string TConfigVar::MakeFullName(const std::string& ns, const std::string& name) {
    return ns.empty() ? name : ns + "." + name;
}

void TConfigVar::Changed() {
    modified_ = true;
    if (owner_->OnChange)
        owner_->OnChange(*this);
}

void TConfigVar::RaiseClash(const TConfigVar& existing, const std::string& askedType) {
    throw EConfigError(Format("Config variable \"%s\", with type %s, already exists as %s",
                              {existing.FullName(), askedType, existing.TypeName()}));
}

// Boolean

TConfigVarBool::TConfigVarBool(TEasyConfig* owner, const std::string& ns, bool def, const std::string& name)
    : TConfigVar(owner, ns, name), value_(def), default_(def) {}

void TConfigVarBool::SetValue(bool value) {
    value_ = value;
    Changed();
}

void TConfigVarBool::SetData(const void* data) {
    SetValue(*static_cast<const unsigned char*>(data) != 0);
}

std::string TConfigVarBool::GetAsText() const {
    return value_ ? "true" : "false";
}

void TConfigVarBool::SetAsText(const std::string& text) {
    SetValue(SameTextAscii(text, "true") || text == "1");
}

// Integer

TConfigVarInt::TConfigVarInt(TEasyConfig* owner, const std::string& ns, int32_t def, const std::string& name)
    : TConfigVar(owner, ns, name), value_(def), default_(def) {}

void TConfigVarInt::SetValue(int32_t value) {
    if (value < min_)
        value = max_;
    else if (value > max_)
        value = min_;
    value_ = value;
    Changed();
}

void TConfigVarInt::SetData(const void* data) {
    int32_t value;
    std::memcpy(&value, data, sizeof value);
    SetValue(value);
}

std::string TConfigVarInt::GetAsText() const {
    return std::to_string(value_);
}

void TConfigVarInt::SetAsText(const std::string& text) {
    SetValue(StrToIntDef(text, value_));
}

// Named integer

TConfigVarNamed::TConfigVarNamed(TEasyConfig* owner, const std::string& ns, int32_t def, const std::string& name)
    : TConfigVarInt(owner, ns, def, name) {}

std::string TConfigVarNamed::DisplayText() const {
    const int32_t value = Value();
    if (value >= 0 && static_cast<size_t>(value) < names_.size())
        return Format("%s (%d)", {names_[static_cast<size_t>(value)], value});
    return GetAsText();
}

// Float

TConfigVarFloat::TConfigVarFloat(TEasyConfig* owner, const std::string& ns, long double def, const std::string& name)
    : TConfigVar(owner, ns, name), value_(def), default_(def) {}

void TConfigVarFloat::SetValue(long double value) {
    value_ = value;
    Changed();
}

void TConfigVarFloat::SetData(const void* data) {
    long double value = 0.0L;
    std::memcpy(&value, data, 10);
    SetValue(value);
}

// The Format routine's "%g": 15 significant digits, locale separator, and its exponent form (E+020), which
// SetAsText reads back.
std::string TConfigVarFloat::GetAsText() const {
    return Format("%g", {value_});
}

void TConfigVarFloat::SetAsText(const std::string& text) {
    long double value = value_;
    if (!TryTextToFloat(text, value, AppLocale().DecimalSeparator()))
        value = value_;
    SetValue(value);
}

// String

TConfigVarStr::TConfigVarStr(TEasyConfig* owner, const std::string& ns, const std::string& def, const std::string& name)
    : TConfigVar(owner, ns, name) {
    try {
        value_ = def;
        default_ = def;
    } catch (...) {
        Unregister();
        throw;
    }
}

void TConfigVarStr::SetValue(const std::string& value) {
    value_ = value;
    Changed();
}

void TConfigVarStr::SetData(const void* data) {
    SetValue(static_cast<const char*>(data));
}
