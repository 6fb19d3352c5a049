#pragma once
// User defaults: registered defaults beneath typed values the user has set.
#include <cstdint>
#include <map>
#include <string>
#include <variant>

namespace port {

using DefaultValue = std::variant<bool, int64_t, double, std::string>;

class UserDefaults {
public:
    virtual ~UserDefaults() = default;

    // Values registered here answer for keys the user never set; they are not stored.
    void registerDefaults(const std::map<std::string, DefaultValue>& values);

    bool getBool(const std::string& key) const;
    int64_t getInt(const std::string& key) const;
    double getDouble(const std::string& key) const;
    std::string getString(const std::string& key) const;
    bool has(const std::string& key) const;

    void setBool(const std::string& key, bool v) { store(key, v); }
    void setInt(const std::string& key, int64_t v) { store(key, v); }
    void setDouble(const std::string& key, double v) { store(key, v); }
    void setString(const std::string& key, const std::string& v) { store(key, v); }
    virtual void remove(const std::string& key) = 0;

    // The user's decimal separator for readouts ('.' or ',').
    virtual char decimalSeparator() const = 0;

protected:
    virtual void store(const std::string& key, const DefaultValue& v) = 0;
    virtual bool load(const std::string& key, DefaultValue& out) const = 0;

private:
    bool lookup(const std::string& key, DefaultValue& out) const;
    std::map<std::string, DefaultValue> registered_;
};

// Keeps values in memory; the built-in store and the base of the test double.
class MemoryDefaults : public UserDefaults {
public:
    void remove(const std::string& key) override { values_.erase(key); }
    char decimalSeparator() const override { return separator_; }
    void setDecimalSeparator(char c) { separator_ = c; }

protected:
    void store(const std::string& key, const DefaultValue& v) override { values_[key] = v; }
    bool load(const std::string& key, DefaultValue& out) const override;

private:
    std::map<std::string, DefaultValue> values_;
    char separator_ = '.';
};

UserDefaults& defaults();
void setDefaults(UserDefaults* d);  // nullptr restores a fresh built-in store

} // namespace port
