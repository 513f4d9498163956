#pragma once
// The rectangles a control draws on its surface, so a view can paint it without knowing the
// control. Lengths are twips relative to the control; colours are 0x00BBGGRR.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace com {

struct Shape {
    std::string name;
    float left = 0;
    float top = 0;
    float width = 0;
    float height = 0;
    bool visible = false;
    std::int32_t fill_colour = 0;
    std::int32_t border_colour = 0;
    int border_width = 1;
    int back_style = 1;  // 0 transparent (border only), 1 filled with fill_colour
};

// Later shapes are drawn over earlier ones.
struct Surface {
    float width = 0;
    float height = 0;
    std::vector<Shape> shapes;
};

class ShapeSource {
  public:
    static constexpr std::string_view kInterfaceName = "orvane.Shapes";

    virtual Surface GetSurface() const = 0;

  protected:
    ~ShapeSource() = default;
};

}  // namespace com
