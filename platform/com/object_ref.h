#pragma once
// Owns one reference to a component object and keeps its library loaded for as long: the
// reference is dropped before the library is let go.

#include <memory>
#include <utility>

#include "platform/com/library.h"
#include "platform/com/unknown.h"

namespace com {

class ObjectRef {
  public:
    ObjectRef() = default;
    // Takes over the one reference `object` holds.
    ObjectRef(Unknown* object, std::shared_ptr<Library> library)
        : m_object(object), m_library(std::move(library)) {}
    ~ObjectRef() { reset(); }

    ObjectRef(ObjectRef&& other) noexcept
        : m_object(std::exchange(other.m_object, nullptr)), m_library(std::move(other.m_library)) {}
    ObjectRef& operator=(ObjectRef&& other) noexcept {
        if (this != &other) {
            reset();
            m_object = std::exchange(other.m_object, nullptr);
            m_library = std::move(other.m_library);
        }
        return *this;
    }
    ObjectRef(const ObjectRef&) = delete;
    ObjectRef& operator=(const ObjectRef&) = delete;

    void reset() {
        if (m_object != nullptr) std::exchange(m_object, nullptr)->Release();
        m_library.reset();
    }

    explicit operator bool() const { return m_object != nullptr; }
    Unknown* get() const { return m_object; }
    const std::shared_ptr<Library>& library() const { return m_library; }

    // The object as `Interface`, borrowed from this reference; nullptr when not offered.
    template <class Interface>
    Interface* as() const {
        return Query<Interface>(m_object);
    }

  private:
    Unknown* m_object = nullptr;
    std::shared_ptr<Library> m_library;
};

}  // namespace com
