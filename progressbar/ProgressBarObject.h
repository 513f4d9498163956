#pragma once
// The ProgressBar as a component object: reference counting, the interfaces a host asks for by
// name, and the dispatch table that turns dispatch ids into the control's property rules.

#include <atomic>
#include <span>
#include <string_view>

#include "platform/com/control.h"
#include "platform/com/dispatch.h"
#include "platform/com/shapes.h"
#include "platform/com/unknown.h"
#include "progressbar/ProgressBar.h"

namespace orvane {

class ProgressBarObject final : public com::Unknown,
                                public com::Dispatch,
                                public com::Control,
                                public com::ShapeSource {
  public:
    // Default interface and event interface of the class, also asked for by these names.
    static constexpr std::string_view kDefaultInterfaceName = "linmar._ProgressBar";
    static constexpr std::string_view kEventInterfaceName = "linmar.__ProgressBar";

    ProgressBarObject();
    ProgressBarObject(const ProgressBarObject&) = delete;
    ProgressBarObject& operator=(const ProgressBarObject&) = delete;

    void* QueryInterface(std::string_view interface_name) override;
    void AddRef() override;
    void Release() override;

    com::Status Invoke(com::DispId member, com::InvokeKind kind, std::span<const com::Variant> args,
                       com::Variant& result) override;

    void SetSite(com::ContainerSite* site) override { m_bar.SetSite(site); }
    void ReadProperties(com::PropertyBag& bag) override { m_bar.UserControl_ReadProperties(bag); }
    void WriteProperties(com::PropertyBag& bag) override { m_bar.UserControl_WriteProperties(bag); }
    void SetExtent(float width, float height) override { m_bar.SetExtent(width, height); }
    void MouseDown(int button, int shift, float x, float y) override {
        m_bar.UserControl_MouseDown(button, shift, x, y);
    }
    void MouseMove(int button, int shift, float x, float y) override {
        m_bar.UserControl_MouseMove(button, shift, x, y);
    }
    void MouseUp(int button, int shift, float x, float y) override {
        m_bar.UserControl_MouseUp(button, shift, x, y);
    }

    com::Surface GetSurface() const override { return m_bar.Surface(); }

  private:
    ~ProgressBarObject();

    std::atomic<long> m_references{1};
    ProgressBar m_bar;
};

}  // namespace orvane
