#include "platform/com/create_object.h"

#include "platform/com/entry_points.h"

namespace com {

ObjectRef CreateObject(std::string_view prog_id, const Registry& registry, std::string& error) {
    const std::string prefix = "cannot create \"" + std::string(prog_id) + "\": ";

    const auto library_path = registry.Lookup(prog_id);
    if (!library_path) {
        error = prefix + "not registered in " + registry.file().string();
        return {};
    }
    std::string load_error;
    std::shared_ptr<Library> library = Library::Open(*library_path, load_error);
    if (!library) {
        error = prefix + load_error;
        return {};
    }
    const auto get_class_object = library->Find<entry::GetClassObject>(entry::kGetClassObject);
    if (get_class_object == nullptr) {
        error = prefix + library_path->string() + " does not export " + entry::kGetClassObject;
        return {};
    }

    const std::string class_name(prog_id);
    ClassFactory* factory = nullptr;
    Status status = get_class_object(class_name.c_str(), &factory);
    if (status != Status::Ok || factory == nullptr) {
        error = prefix + std::string(StatusText(status == Status::Ok ? Status::Failed : status));
        return {};
    }
    Unknown* object = nullptr;
    status = factory->CreateInstance(&object);
    factory->Release();
    if (status != Status::Ok || object == nullptr) {
        error = prefix + std::string(StatusText(status == Status::Ok ? Status::Failed : status));
        return {};
    }
    error.clear();
    return ObjectRef(object, std::move(library));
}

}  // namespace com
