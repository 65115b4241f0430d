#pragma once
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "core/KoLib.h"
#include "core/PrivateProfile.h"

// Typed settings: each variable is one INI key (Name) in one section (Namespace), owned by one container per window.

class TConfigVar;

class EConfigError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

class TEasyConfig {
  public:
    using TChangeEvent = std::function<void(TConfigVar&)>;

    TEasyConfig();
    virtual ~TEasyConfig();
    TEasyConfig(const TEasyConfig&) = delete;
    TEasyConfig& operator=(const TEasyConfig&) = delete;

    // Takes ownership; every variable's constructor calls it.
    int Add(TConfigVar* var);
    int Count() const { return static_cast<int>(vars_.size()); }
    TConfigVar* Items(int index) const;
    int IndexOf(const std::string& fullName) const;
    TConfigVar* Find(const std::string& fullName) const;
    void Clear();

    virtual void Load() = 0;
    virtual void Save() = 0;

    // Called after every change of any variable, with that variable.
    TChangeEvent OnChange;

  private:
    friend class TConfigVar;
    void Release(TConfigVar* var);

    std::vector<std::unique_ptr<TConfigVar>> vars_;
};

class TConfigVar {
  public:
    virtual ~TConfigVar();
    TConfigVar(const TConfigVar&) = delete;
    TConfigVar& operator=(const TConfigVar&) = delete;

    const std::string& Namespace() const { return namespace_; }
    const std::string& Name() const { return name_; }
    std::string FullName() const { return MakeFullName(namespace_, name_); }
    TEasyConfig& Owner() const { return *owner_; }
    bool Persistent() const { return persistent_; }
    void SetPersistent(bool persistent) { persistent_ = persistent; }
    bool Modified() const { return modified_; }
    void SetModified(bool modified) { modified_ = modified; }

    virtual void Changed();
    virtual size_t DataSize() const = 0;
    virtual const void* DataPtr() const = 0;
    virtual void SetData(const void* data) = 0;
    virtual std::string GetAsText() const = 0;
    virtual void SetAsText(const std::string& text) = 0;
    virtual std::string TypeName() const = 0;
    virtual void Reset() = 0;

    static std::string MakeFullName(const std::string& ns, const std::string& name);

  protected:
    // Registers with owner; raises EConfigError without an owner or with an empty namespace or name.
    TConfigVar(TEasyConfig* owner, const std::string& ns, const std::string& name);

    // Undoes the registration when a subclass constructor fails after the base one succeeded.
    void Unregister() noexcept;

    // The existing variable of that full name when it is a T, a new T when there is none; any other class clashes.
    template <class T, class... Args>
    static T& DefineAs(TEasyConfig& config, const std::string& ns, const std::string& name, Args&&... args) {
        if (TConfigVar* existing = config.Find(MakeFullName(ns, name))) {
            if (T* same = dynamic_cast<T*>(existing))
                return *same;
            RaiseClash(*existing, T::ClassTypeName());
        }
        return *new T(&config, ns, std::forward<Args>(args)..., name);  // owned by config from construction on
    }

  private:
    [[noreturn]] static void RaiseClash(const TConfigVar& existing, const std::string& askedType);

    std::string namespace_;
    std::string name_;
    bool persistent_ = true;
    bool modified_ = false;
    TEasyConfig* owner_;
};

class TConfigVarBool : public TConfigVar {
  public:
    TConfigVarBool(TEasyConfig* owner, const std::string& ns, bool def, const std::string& name);
    static TConfigVarBool& Define(TEasyConfig& config, const std::string& ns, bool def, const std::string& name) {
        return DefineAs<TConfigVarBool>(config, ns, name, def);
    }
    static std::string ClassTypeName() { return "boolean"; }

    bool Value() const { return value_; }
    void SetValue(bool value);
    void Toggle() { SetValue(!value_); }
    bool Default() const { return default_; }
    void SetDefault(bool def) { default_ = def; }

    size_t DataSize() const override { return 1; }
    const void* DataPtr() const override { return &value_; }
    void SetData(const void* data) override;
    std::string GetAsText() const override;
    void SetAsText(const std::string& text) override;
    std::string TypeName() const override { return ClassTypeName(); }
    void Reset() override { SetValue(default_); }

  private:
    bool value_;
    bool default_;
};

// Values outside Min..Max wrap to the other end, so that stepping past either end cycles.
class TConfigVarInt : public TConfigVar {
  public:
    TConfigVarInt(TEasyConfig* owner, const std::string& ns, int32_t def, const std::string& name);
    static TConfigVarInt& Define(TEasyConfig& config, const std::string& ns, int32_t def, const std::string& name) {
        return DefineAs<TConfigVarInt>(config, ns, name, def);
    }
    static std::string ClassTypeName() { return "integer"; }

    int32_t Value() const { return value_; }
    void SetValue(int32_t value);
    int32_t Default() const { return default_; }
    void SetDefault(int32_t def) { default_ = def; }
    int32_t Min() const { return min_; }
    void SetMin(int32_t min) { min_ = min; }
    int32_t Max() const { return max_; }
    void SetMax(int32_t max) { max_ = max; }

    size_t DataSize() const override { return sizeof(int32_t); }
    const void* DataPtr() const override { return &value_; }
    void SetData(const void* data) override;
    std::string GetAsText() const override;
    void SetAsText(const std::string& text) override;
    std::string TypeName() const override { return ClassTypeName(); }
    void Reset() override { SetValue(default_); }

  private:
    int32_t value_;
    int32_t default_;
    int32_t min_ = INT32_MIN;
    int32_t max_ = INT32_MAX;
};

// An integer whose values 0, 1, 2, ... have display names.
class TConfigVarNamed : public TConfigVarInt {
  public:
    TConfigVarNamed(TEasyConfig* owner, const std::string& ns, int32_t def, const std::string& name);
    static TConfigVarNamed& Define(TEasyConfig& config, const std::string& ns, int32_t def, const std::string& name) {
        return DefineAs<TConfigVarNamed>(config, ns, name, def);
    }

    std::vector<std::string>& Names() { return names_; }
    const std::vector<std::string>& Names() const { return names_; }
    std::string DisplayText() const;

  private:
    std::vector<std::string> names_;
};

// Text form "#RRGGBB"; also reads "rgb(r, g, b)" and plain integers.
class TConfigVarColor : public TConfigVarInt {
  public:
    TConfigVarColor(TEasyConfig* owner, const std::string& ns, TColor def, const std::string& name);
    static TConfigVarColor& Define(TEasyConfig& config, const std::string& ns, TColor def, const std::string& name) {
        return DefineAs<TConfigVarColor>(config, ns, name, def);
    }

    std::string GetAsText() const override;
    void SetAsText(const std::string& text) override;
    virtual bool ParseRgb(const std::string& text, TColor& color) const;
};

class TConfigVarFloat : public TConfigVar {
  public:
    TConfigVarFloat(TEasyConfig* owner, const std::string& ns, long double def, const std::string& name);
    static TConfigVarFloat& Define(TEasyConfig& config,
                                   const std::string& ns,
                                   long double def,
                                   const std::string& name) {
        return DefineAs<TConfigVarFloat>(config, ns, name, def);
    }
    static std::string ClassTypeName() { return "float"; }

    long double Value() const { return value_; }
    void SetValue(long double value);
    long double Default() const { return default_; }
    void SetDefault(long double def) { default_ = def; }

    // The 80-bit value without the padding the compiler adds to long double.
    size_t DataSize() const override { return 10; }
    const void* DataPtr() const override { return &value_; }
    void SetData(const void* data) override;
    std::string GetAsText() const override;
    void SetAsText(const std::string& text) override;
    std::string TypeName() const override { return ClassTypeName(); }
    void Reset() override { SetValue(default_); }

  private:
    long double value_;
    long double default_;
};

class TConfigVarStr : public TConfigVar {
  public:
    TConfigVarStr(TEasyConfig* owner, const std::string& ns, const std::string& def, const std::string& name);
    static TConfigVarStr& Define(TEasyConfig& config,
                                 const std::string& ns,
                                 const std::string& def,
                                 const std::string& name) {
        return DefineAs<TConfigVarStr>(config, ns, name, def);
    }
    static std::string ClassTypeName() { return "string"; }

    const std::string& Value() const { return value_; }
    void SetValue(const std::string& value);
    const std::string& Default() const { return default_; }
    void SetDefault(const std::string& def) { default_ = def; }

    // The characters and their terminating zero.
    size_t DataSize() const override { return value_.size() + 1; }
    const void* DataPtr() const override { return value_.c_str(); }
    void SetData(const void* data) override;
    std::string GetAsText() const override { return value_; }
    void SetAsText(const std::string& text) override { SetValue(text); }
    std::string TypeName() const override { return ClassTypeName(); }
    void Reset() override { SetValue(default_); }

  private:
    std::string value_;
    std::string default_;
};

// A growable list of integers without a default; text form "1 2 3".
class TConfigVarIntArray : public TConfigVar {
  public:
    TConfigVarIntArray(TEasyConfig* owner, const std::string& ns, const std::string& name);
    static TConfigVarIntArray& Define(TEasyConfig& config, const std::string& ns, const std::string& name) {
        return DefineAs<TConfigVarIntArray>(config, ns, name);
    }
    static std::string ClassTypeName() { return "intarray"; }

    int Count() const { return static_cast<int>(items_.size()); }
    int32_t Item(int index) const;
    void SetItem(int index, int32_t value);

    // No raw form: the editor uses the text form.
    size_t DataSize() const override { return sizeof(int32_t) * items_.size(); }
    const void* DataPtr() const override { return nullptr; }
    void SetData(const void*) override {}
    std::string GetAsText() const override;
    void SetAsText(const std::string& text) override;
    std::string TypeName() const override { return ClassTypeName(); }
    void Reset() override;

  private:
    std::vector<int32_t> items_;
};

// Loads every persistent variable from one INI file and saves the modified ones back.
class TEasyConfigIni : public TEasyConfig {
  public:
    static constexpr uint32_t kBufferSize = 256;

    explicit TEasyConfigIni(std::string fileName, IPrivateProfile& profile = SystemProfile());

    const std::string& FileName() const { return fileName_; }
    void SetFileName(const std::string& fileName) { fileName_ = fileName; }

    void Load() override;
    void Save() override;

  private:
    std::string fileName_;
    IPrivateProfile& profile_;
};
