#pragma once
// A window's hold on one hosted control: creates it by ProgID, gives it its design properties
// and size, reaches its properties by dispatch id, forwards the mouse, and hands its shapes to
// a view. Every call on a host that failed to create its control returns NotCreated; nothing
// here crashes on a missing or broken library.
//
//     com::ControlHost bar;
//     if (!bar.Create("linmar.ProgressBar")) ShowError(bar.error());
//     bar.ReadProperties(design);
//     bar.Resize(1910, 135);
//     bar.SetProperty(kValueId, 20);

#include <functional>
#include <span>
#include <string>
#include <string_view>

#include "platform/com/control.h"
#include "platform/com/dispatch.h"
#include "platform/com/object_ref.h"
#include "platform/com/property_bag.h"
#include "platform/com/registry.h"
#include "platform/com/shapes.h"
#include "platform/com/type_info.h"
#include "platform/com/variant.h"

namespace com {

class ControlHost final : private ContainerSite {
  public:
    ControlHost() = default;
    ~ControlHost();
    ControlHost(const ControlHost&) = delete;
    ControlHost& operator=(const ControlHost&) = delete;

    // Creates the control (dropping any held before) through `registry`, by default the one
    // beside the program. False with error() naming the ProgID when that fails.
    bool Create(std::string_view prog_id, const Registry& registry = Registry::BesideExecutable());
    bool is_created() const { return m_control != nullptr; }
    const std::string& error() const { return m_error; }
    void Destroy();

    // The control's persistence: design values in, saved values out.
    Status ReadProperties(PropertyBag& bag);
    Status WriteProperties(PropertyBag& bag);

    Status SetProperty(DispId property, const Variant& value);
    Status GetProperty(DispId property, Variant& value);

    // Width and height in twips; the control fits its shapes to them.
    Status Resize(float width, float height);

    // Pointer positions in twips relative to the control.
    Status MouseDown(int button, int shift, float x, float y);
    Status MouseMove(int button, int shift, float x, float y);
    Status MouseUp(int button, int shift, float x, float y);

    // What the control shows; an empty surface when it offers no shapes.
    Surface Shapes() const;

    // The library's description of itself, or nullptr when it gives none.
    const TypeLibraryInfo* type_info() const;

    // Called with the name of every property whose stored value changed.
    std::function<void(std::string_view property_name)> on_property_changed;
    // Called for every event the control raises; writes through by-reference arguments reach
    // the control.
    std::function<void(DispId event, std::span<Variant> args)> on_event;

  private:
    void OnPropertyChanged(std::string_view property_name) override;
    void OnEvent(DispId event, std::span<Variant> args) override;

    ObjectRef m_object;
    Control* m_control = nullptr;
    Dispatch* m_dispatch = nullptr;
    std::string m_error;
};

}  // namespace com
