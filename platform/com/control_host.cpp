#include "platform/com/control_host.h"

#include "platform/com/create_object.h"
#include "platform/com/entry_points.h"

namespace com {

ControlHost::~ControlHost() {
    Destroy();
}

bool ControlHost::Create(std::string_view prog_id, const Registry& registry) {
    Destroy();
    ObjectRef object = CreateObject(prog_id, registry, m_error);
    if (!object) return false;
    Control* control = object.as<Control>();
    Dispatch* dispatch = object.as<Dispatch>();
    if (control == nullptr || dispatch == nullptr) {
        m_error = "cannot create \"" + std::string(prog_id) + "\": it is not a control";
        return false;
    }
    m_object = std::move(object);
    m_control = control;
    m_dispatch = dispatch;
    m_control->SetSite(this);
    return true;
}

void ControlHost::Destroy() {
    if (m_control != nullptr) m_control->SetSite(nullptr);
    m_control = nullptr;
    m_dispatch = nullptr;
    m_object.reset();
}

Status ControlHost::ReadProperties(PropertyBag& bag) {
    if (m_control == nullptr) return Status::NotCreated;
    m_control->ReadProperties(bag);
    return Status::Ok;
}

Status ControlHost::WriteProperties(PropertyBag& bag) {
    if (m_control == nullptr) return Status::NotCreated;
    m_control->WriteProperties(bag);
    return Status::Ok;
}

Status ControlHost::SetProperty(DispId property, const Variant& value) {
    if (m_dispatch == nullptr) return Status::NotCreated;
    Variant unused;
    return m_dispatch->Invoke(property, InvokeKind::PropertyPut, std::span(&value, 1), unused);
}

Status ControlHost::GetProperty(DispId property, Variant& value) {
    if (m_dispatch == nullptr) return Status::NotCreated;
    return m_dispatch->Invoke(property, InvokeKind::PropertyGet, {}, value);
}

Status ControlHost::Resize(float width, float height) {
    if (m_control == nullptr) return Status::NotCreated;
    m_control->SetExtent(width, height);
    return Status::Ok;
}

Status ControlHost::MouseDown(int button, int shift, float x, float y) {
    if (m_control == nullptr) return Status::NotCreated;
    m_control->MouseDown(button, shift, x, y);
    return Status::Ok;
}

Status ControlHost::MouseMove(int button, int shift, float x, float y) {
    if (m_control == nullptr) return Status::NotCreated;
    m_control->MouseMove(button, shift, x, y);
    return Status::Ok;
}

Status ControlHost::MouseUp(int button, int shift, float x, float y) {
    if (m_control == nullptr) return Status::NotCreated;
    m_control->MouseUp(button, shift, x, y);
    return Status::Ok;
}

Surface ControlHost::Shapes() const {
    const ShapeSource* source = m_object.as<ShapeSource>();
    return source != nullptr ? source->GetSurface() : Surface{};
}

const TypeLibraryInfo* ControlHost::type_info() const {
    if (!m_object.library()) return nullptr;
    const auto get_type_info = m_object.library()->Find<entry::GetTypeInfo>(entry::kGetTypeInfo);
    return get_type_info != nullptr ? get_type_info() : nullptr;
}

void ControlHost::OnPropertyChanged(std::string_view property_name) {
    if (on_property_changed) on_property_changed(property_name);
}

void ControlHost::OnEvent(DispId event, std::span<Variant> args) {
    if (on_event) on_event(event, args);
}

}  // namespace com
