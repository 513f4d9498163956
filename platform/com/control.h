#pragma once
// A control placed on a window: what the window (its container) calls on it, and the site
// through which the control reports back.

#include <span>
#include <string_view>

#include "platform/com/dispatch.h"
#include "platform/com/property_bag.h"
#include "platform/com/variant.h"

namespace com {

class ContainerSite {
  public:
    // A property changed its stored value.
    virtual void OnPropertyChanged(std::string_view property_name) = 0;
    // The control raised an event; a handler may write through by-reference arguments.
    virtual void OnEvent(DispId event, std::span<Variant> args) = 0;

  protected:
    ~ContainerSite() = default;
};

class Control {
  public:
    static constexpr std::string_view kInterfaceName = "com.Control";

    // The site must outlive the control or be replaced; nullptr detaches it.
    virtual void SetSite(ContainerSite* site) = 0;
    virtual void ReadProperties(PropertyBag& bag) = 0;
    virtual void WriteProperties(PropertyBag& bag) = 0;
    // The container gives the control a new size in twips; the control fits itself to it.
    virtual void SetExtent(float width, float height) = 0;
    // Pointer positions are twips in the control's own coordinates.
    virtual void MouseDown(int button, int shift, float x, float y) = 0;
    virtual void MouseMove(int button, int shift, float x, float y) = 0;
    virtual void MouseUp(int button, int shift, float x, float y) = 0;

  protected:
    ~Control() = default;
};

}  // namespace com
