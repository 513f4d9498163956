#pragma once
// A progress bar on a window: an instance of the control library's "linmar.ProgressBar",
// created by ProgID with its design properties and reached only through its dispatch
// interface, so the control's own rules (range checks, reading texts and rounding reals to
// 16-bit whole numbers) apply to every write.
//
//     ProgressBar1.Value = ProgressBar1.Value + 1;
//     ProgressBar2.MaxValue = Label10.Caption;  // "15" is read by the control as 15

#include <stdexcept>
#include <string>
#include <vector>

#include "platform/com/control_host.h"
#include "platform/com/memory_property_bag.h"
#include "platform/com/registry.h"
#include "platform/forms/controls.h"

// A window was built with a control that cannot be created; the program cannot run without it.
class ComponentMissing : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

class ProgressBarControl;

// One property of the control, read and written by dispatch id at every use.
class DispatchProperty {
  public:
    DispatchProperty(ProgressBarControl& owner, com::DispId id) : m_owner(owner), m_id(id) {}
    DispatchProperty(const DispatchProperty&) = delete;

    DispatchProperty& operator=(const com::Variant& value);
    DispatchProperty& operator=(int value) { return *this = com::Variant(value); }
    DispatchProperty& operator=(double value) { return *this = com::Variant(value); }
    DispatchProperty& operator=(const std::string& value) { return *this = com::Variant(value); }
    DispatchProperty& operator=(const char* value) { return *this = com::Variant(value); }
    DispatchProperty& operator=(const DispatchProperty& other) { return *this = other.get(); }

    // The value the control gives; 0 when it gives none.
    int get() const;
    int operator()() const { return get(); }
    operator int() const { return get(); }

  private:
    ProgressBarControl& m_owner;
    com::DispId m_id;
};

class ProgressBarControl : public forms::CustomControl {
  public:
    // Throws ComponentMissing, naming the ProgID, when the control cannot be created.
    ProgressBarControl(forms::Form& form, std::string name, com::MemoryPropertyBag design,
                       const com::Registry& registry = com::Registry::BesideExecutable());

    DispatchProperty Value;
    DispatchProperty MaxValue;

    // The hosted control itself.
    com::ControlHost& host() { return m_host; }

    // What a view paints and where it sends the pointer: the control's own shapes and mouse.
    bool draw_shapes(std::vector<forms::Shape>& out) const override;
    void mouse_down(int button, int shift, float x, float y) override;
    void mouse_move(int button, int shift, float x, float y) override;
    void mouse_up(int button, int shift, float x, float y) override;

  private:
    friend class DispatchProperty;
    com::ControlHost m_host;
};
