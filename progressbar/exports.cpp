// The library's exported entry points: unload test, class factory, self-registration in the
// component registry, type information and file version. Only these leave the library.

#include <dlfcn.h>

#include <atomic>
#include <filesystem>
#include <string>
#include <type_traits>

#include "platform/com/entry_points.h"
#include "platform/com/registry.h"
#include "platform/text/text.h"
#include "progressbar/ProgressBarObject.h"
#include "progressbar/dispids.h"
#include "progressbar/live_objects.h"
#include "progressbar/type_library.h"

#define ORVANE_EXPORT extern "C" __attribute__((visibility("default")))

namespace orvane {
namespace {

class ProgressBarFactory final : public com::ClassFactory {
  public:
    ProgressBarFactory() { ObjectCreated(); }
    ProgressBarFactory(const ProgressBarFactory&) = delete;
    ProgressBarFactory& operator=(const ProgressBarFactory&) = delete;

    void* QueryInterface(std::string_view interface_name) override {
        if (interface_name == com::Unknown::kInterfaceName ||
            interface_name == com::ClassFactory::kInterfaceName)
            return static_cast<com::ClassFactory*>(this);
        return nullptr;
    }
    void AddRef() override { ++m_references; }
    void Release() override {
        if (--m_references == 0) delete this;
    }

    com::Status CreateInstance(com::Unknown** object) override {
        if (object == nullptr) return com::Status::Failed;
        *object = new ProgressBarObject();
        return com::Status::Ok;
    }

  private:
    ~ProgressBarFactory() { ObjectDestroyed(); }

    std::atomic<long> m_references{1};
};

// This library's own file, as it was loaded.
std::filesystem::path OwnPath() {
    Dl_info info{};
    if (dladdr(reinterpret_cast<void*>(&TypeLibrary), &info) == 0 || info.dli_fname == nullptr)
        return {};
    std::error_code failure;
    return std::filesystem::absolute(info.dli_fname, failure);
}

com::Registry RegistryFor(const char* registry_file) {
    if (registry_file != nullptr) return com::Registry(registry_file);
    return com::Registry::InFolder(OwnPath().parent_path());
}

constexpr com::FileVersion kFileVersion = {4, 0, true};

}  // namespace
}  // namespace orvane

ORVANE_EXPORT com::Status DllCanUnloadNow() {
    return orvane::AnyObjectAlive() ? com::Status::Failed : com::Status::Ok;
}

ORVANE_EXPORT com::Status DllGetClassObject(const char* class_name, com::ClassFactory** factory) {
    if (factory == nullptr) return com::Status::Failed;
    *factory = nullptr;
    if (class_name == nullptr || !text::EqualsIgnoreCase(class_name, orvane::kProgId))
        return com::Status::ClassNotAvailable;
    *factory = new orvane::ProgressBarFactory();
    return com::Status::Ok;
}

ORVANE_EXPORT com::Status DllRegisterServer(const char* registry_file) {
    const std::filesystem::path library = orvane::OwnPath();
    if (library.empty()) return com::Status::Failed;
    std::string error;
    return orvane::RegistryFor(registry_file).Register(orvane::kProgId, library, error)
               ? com::Status::Ok
               : com::Status::Failed;
}

ORVANE_EXPORT com::Status DllUnregisterServer(const char* registry_file) {
    std::string error;
    return orvane::RegistryFor(registry_file).Unregister(orvane::kProgId, error)
               ? com::Status::Ok
               : com::Status::Failed;
}

ORVANE_EXPORT const com::TypeLibraryInfo* DllGetTypeInfo() {
    return &orvane::TypeLibrary();
}

ORVANE_EXPORT const com::FileVersion* DllGetFileVersion() {
    return &orvane::kFileVersion;
}

// The host calls through the pointer types of entry_points.h; keep the two in step.
static_assert(std::is_same_v<decltype(&DllCanUnloadNow), com::entry::CanUnloadNow>);
static_assert(std::is_same_v<decltype(&DllGetClassObject), com::entry::GetClassObject>);
static_assert(std::is_same_v<decltype(&DllRegisterServer), com::entry::RegisterServer>);
static_assert(std::is_same_v<decltype(&DllUnregisterServer), com::entry::RegisterServer>);
static_assert(std::is_same_v<decltype(&DllGetTypeInfo), com::entry::GetTypeInfo>);
static_assert(std::is_same_v<decltype(&DllGetFileVersion), com::entry::GetFileVersion>);
