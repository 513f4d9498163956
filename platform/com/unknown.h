#pragma once
// The base every component object offers. Interfaces are asked for by name. The pointer that
// QueryInterface returns is borrowed: it stays valid while the caller holds a reference to the
// object, and adds none of its own.

#include <string_view>

namespace com {

class Unknown {
  public:
    static constexpr std::string_view kInterfaceName = "com.Unknown";

    // The object seen as the named interface; nullptr when it does not offer it.
    virtual void* QueryInterface(std::string_view interface_name) = 0;
    virtual void AddRef() = 0;
    // Drops one reference; the last one destroys the object.
    virtual void Release() = 0;

  protected:
    ~Unknown() = default;
};

// `object` as `Interface` (which names itself in kInterfaceName), or nullptr.
template <class Interface>
Interface* Query(Unknown* object) {
    if (object == nullptr) return nullptr;
    return static_cast<Interface*>(object->QueryInterface(Interface::kInterfaceName));
}

}  // namespace com
