#pragma once
// The value passed to and from a component's properties and events. Texts are Windows-1252
// bytes. A by-reference 16-bit argument lets an event handler write into the component's own
// field, the way a by-reference event parameter does.

#include <cstdint>
#include <string>
#include <variant>

#include "platform/com/status.h"

namespace com {

class Variant {
  public:
    enum class Kind { Empty, Bool, Int32, Double, String, Int16Ref };

    Variant() = default;
    Variant(bool value) : m_value(value) {}
    Variant(std::int32_t value) : m_value(value) {}
    Variant(double value) : m_value(value) {}
    Variant(std::string value) : m_value(std::move(value)) {}
    Variant(const char* value) : m_value(std::string(value)) {}

    // An argument that refers to `target`; `target` must outlive the variant.
    static Variant ReferTo(std::int16_t& target);

    Kind kind() const { return static_cast<Kind>(m_value.index()); }
    bool is_empty() const { return kind() == Kind::Empty; }

    // Each of these requires the matching kind.
    bool bool_value() const { return std::get<bool>(m_value); }
    std::int32_t int32_value() const { return std::get<std::int32_t>(m_value); }
    double double_value() const { return std::get<double>(m_value); }
    const std::string& string_value() const { return std::get<std::string>(m_value); }
    std::int16_t* int16_ref() const { return std::get<std::int16_t*>(m_value); }

    friend bool operator==(const Variant& a, const Variant& b) = default;

  private:
    std::variant<std::monostate, bool, std::int32_t, double, std::string, std::int16_t*> m_value;
};

// Conversions to a property's type. Empty gives 0 or False; True is -1 as a number; reals are
// rounded half to even (3.7 gives 4, 2.5 gives 2); a text is read as the number at its start
// (0 when there is none), and for a Boolean "True" and "False" are also taken, in any case.
// A number outside the target's range gives Overflow and leaves `out` alone.
Status ToInt16(const Variant& value, std::int16_t& out);
Status ToInt32(const Variant& value, std::int32_t& out);
Status ToDouble(const Variant& value, double& out);
Status ToBool(const Variant& value, bool& out);

// Equality as a property bag judges defaults: numbers (Booleans included) by their value,
// whatever their kind; texts by their bytes; Empty only equals Empty.
bool SameValue(const Variant& a, const Variant& b);

}  // namespace com
