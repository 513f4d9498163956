#pragma once
// A control property: a value with a change hook, so that `Timer2.Enabled = true;` both stores
// the value and lets the control act on it (start a timer, tell a view to redraw).
// Assigning the value a property already holds changes nothing and calls no hook.

#include <functional>
#include <string>
#include <utility>

namespace forms {

template <class T>
class Property {
public:
    Property() = default;
    Property(T value) : m_value(std::move(value)) {}
    Property(const Property& other) : m_value(other.m_value) {}

    Property& operator=(const T& value) {
        if (m_value == value) return *this;
        m_value = value;
        if (m_hook) m_hook();
        return *this;
    }
    Property& operator=(const Property& other) { return *this = other.m_value; }

    const T& get() const { return m_value; }
    const T& operator()() const { return m_value; }
    operator const T&() const { return m_value; }

    // The owner's hook, called after every change of the value.
    void on_change(std::function<void()> hook) { m_hook = std::move(hook); }

    friend bool operator==(const Property& a, const T& b) { return a.m_value == b; }
    friend bool operator!=(const Property& a, const T& b) { return !(a.m_value == b); }

private:
    T m_value{};
    std::function<void()> m_hook;
};

// String properties also join with texts, so composed lines read like the steps they follow.
inline std::string operator+(const Property<std::string>& a, const std::string& b) {
    return a.get() + b;
}
inline std::string operator+(const std::string& a, const Property<std::string>& b) {
    return a + b.get();
}
inline std::string operator+(const Property<std::string>& a, const char* b) { return a.get() + b; }
inline std::string operator+(const char* a, const Property<std::string>& b) {
    return a + b.get();
}

}  // namespace forms
