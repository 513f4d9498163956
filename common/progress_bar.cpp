#include "common/progress_bar.h"

#include "progressbar/dispids.h"

DispatchProperty& DispatchProperty::operator=(const com::Variant& value) {
    // A value the control refuses (out of range, too large for 16 bits) leaves the bar as it was.
    (void)m_owner.m_host.SetProperty(m_id, value);
    m_owner.changed();
    return *this;
}

int DispatchProperty::get() const {
    com::Variant value;
    if (m_owner.m_host.GetProperty(m_id, value) != com::Status::Ok) return 0;
    std::int32_t number = 0;
    if (com::ToInt32(value, number) != com::Status::Ok) return 0;
    return number;
}

ProgressBarControl::ProgressBarControl(forms::Form& form, std::string name,
                                       com::MemoryPropertyBag design, const com::Registry& registry)
    : forms::CustomControl(form, std::move(name)),
      Value(*this, orvane::dispid::Value),
      MaxValue(*this, orvane::dispid::MaxValue) {
    if (!m_host.Create(orvane::kProgId, registry)) throw ComponentMissing(m_host.error());
    m_host.ReadProperties(design);
    // The control fits its shapes to the size the window gives it.
    auto resize = [this] {
        m_host.Resize(static_cast<float>(Width.get()), static_cast<float>(Height.get()));
        changed();
    };
    Width.on_change(resize);
    Height.on_change(resize);
}

bool ProgressBarControl::draw_shapes(std::vector<forms::Shape>& out) const {
    com::Surface surface = m_host.Shapes();
    for (const com::Shape& shape : surface.shapes)
        out.push_back({static_cast<float>(shape.left), static_cast<float>(shape.top),
                       static_cast<float>(shape.width), static_cast<float>(shape.height),
                       shape.visible, shape.back_style == 1,
                       static_cast<std::int32_t>(shape.fill_colour),
                       static_cast<std::int32_t>(shape.border_colour), shape.border_width});
    return !surface.shapes.empty();
}

void ProgressBarControl::mouse_down(int button, int shift, float x, float y) {
    m_host.MouseDown(button, shift, x, y);
    changed();
}

void ProgressBarControl::mouse_move(int button, int shift, float x, float y) {
    m_host.MouseMove(button, shift, x, y);
    changed();
}

void ProgressBarControl::mouse_up(int button, int shift, float x, float y) {
    m_host.MouseUp(button, shift, x, y);
    changed();
}
