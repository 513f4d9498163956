// Frames, pictures and supplied controls: widgets that draw themselves from the model.
#include <cmath>
#include <filesystem>

// The model's headers come first: the toolkit's image headers bring in X11's macros.
// clang-format off
#include "app/view/control_views.h"
#include "platform/forms/application.h"
#include <FL/Fl.H>
#include <FL/Fl_Shared_Image.H>
#include <FL/fl_draw.H>
// clang-format on

namespace view {

namespace {

Fl_Color Colour(std::int32_t bgr) {
    auto v = static_cast<std::uint32_t>(bgr);
    return fl_rgb_color(static_cast<uchar>(v & 0xFF), static_cast<uchar>((v >> 8) & 0xFF),
                        static_cast<uchar>((v >> 16) & 0xFF));
}

}  // namespace

std::string FindAsset(const std::string& name) {
    namespace fs = std::filesystem;
    if (name.empty()) return "";
    std::error_code ec;
    fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    std::vector<fs::path> folders = {fs::path(forms::App().program_folder)};
    if (!ec) folders.push_back(exe.parent_path() / "assets");
#ifdef TAVREL_SOURCE_DIR
    folders.push_back(fs::path(TAVREL_SOURCE_DIR) / "assets");
#endif
    for (const fs::path& folder : folders)
        if (fs::is_regular_file(folder / name, ec)) return (folder / name).string();
    return "";
}

// --- FrameView ---------------------------------------------------------------------------

FrameView::FrameView(forms::Frame& frame, ViewContext& context)
    : Fl_Widget(0, 0, 1, 1), ControlView(frame, context), m_frame(frame) {}

void FrameView::draw() {
    fl_color(color());
    fl_rectf(x(), y(), w(), h());
    ScreenFont f = m_context.fonts.get(m_frame.font);
    fl_font(f.font, f.size);
    int line = y() + fl_height() / 2;
    fl_draw_box(FL_ENGRAVED_FRAME, x(), line, w(), h() - (line - y()), color());
    std::string caption = ScreenText(m_frame.Caption);
    if (caption.empty()) return;
    int width = static_cast<int>(fl_width(caption.c_str())) + 4;
    fl_color(color());
    fl_rectf(x() + 6, y(), std::min(width, w() - 8), fl_height());
    fl_color(active_r() ? FL_BLACK : fl_inactive(FL_BLACK));
    fl_push_clip(x(), y(), w(), h());
    fl_draw(caption.c_str(), static_cast<int>(caption.size()), x() + 8,
            y() + fl_height() - fl_descent());
    fl_pop_clip();
}

std::optional<CaptionFit> FrameView::caption_fit() {
    std::string caption = ScreenText(m_frame.Caption);
    if (caption.empty()) return std::nullopt;
    // On the frame's top line, from 8 pixels in to as far from the other edge.
    ScreenFont f = m_context.fonts.get(m_frame.font);
    fl_font(f.font, f.size);
    return CaptionFit{static_cast<int>(fl_width(caption.c_str())), fl_height(), w() - 16, h()};
}

// --- PictureView -------------------------------------------------------------------------

PictureView::PictureView(forms::Picture& picture, ViewContext& context)
    : Fl_Widget(0, 0, 1, 1), ControlView(picture, context), m_picture(picture) {}

PictureView::~PictureView() {
    delete m_image;
}

void PictureView::sync_contents() {
    bool resized = m_image && (m_image->w() != w() || m_image->h() != h());
    if (m_picture.Source == m_loaded_source && !resized) return;
    m_loaded_source = m_picture.Source;
    delete m_image;
    m_image = nullptr;
    std::string path = FindAsset(m_loaded_source);
    if (path.empty()) return;
    if (Fl_Shared_Image* shared = Fl_Shared_Image::get(path.c_str())) {
        m_image = shared->copy(w(), h());
        shared->release();
    }
}

void PictureView::draw() {
    if (m_image) {
        m_image->draw(x(), y(), w(), h());
        return;
    }
    // Any picture of the size will do; with none shipped, a plain banner with the title.
    fl_color(fl_rgb_color(0x1d, 0x2b, 0x53));
    fl_rectf(x(), y(), w(), h());
    fl_color(fl_rgb_color(0xff, 0xcc, 0x33));
    fl_font(FL_HELVETICA_BOLD_ITALIC, std::max(8, std::min(h() / 2, 28)));
    std::string title = ScreenText(forms::App().title);
    fl_push_clip(x(), y(), w(), h());
    fl_draw(title.c_str(), x(), y(), w(), h(), FL_ALIGN_CENTER, nullptr, 0);
    fl_pop_clip();
}

// --- ShapesView --------------------------------------------------------------------------

ShapesView::ShapesView(forms::CustomControl& control, ViewContext& context)
    : Fl_Widget(0, 0, 1, 1), ControlView(control, context), m_custom(control) {}

void ShapesView::draw() {
    std::vector<forms::Shape> shapes;
    if (!m_custom.draw_shapes(shapes)) return;
    fl_push_clip(x(), y(), w(), h());
    for (const forms::Shape& s : shapes) {
        if (!s.visible || s.width <= 0 || s.height <= 0) continue;
        int sx = x() + m_context.pixels(s.left), sy = y() + m_context.pixels(s.top);
        int sw = std::max(1, m_context.pixels(s.width)),
            sh = std::max(1, m_context.pixels(s.height));
        if (s.filled) {
            fl_color(Colour(s.fill_colour));
            fl_rectf(sx, sy, sw, sh);
        }
        if (s.border_width > 0) {
            fl_color(Colour(s.border_colour));
            for (int i = 0; i < s.border_width && 2 * i < std::min(sw, sh); ++i)
                fl_rect(sx + i, sy + i, sw - 2 * i, sh - 2 * i);
        }
    }
    fl_pop_clip();
}

int ShapesView::handle(int event) {
    int button = pointer_buttons(), shift = shift_keys();
    float px = pointer_x(), py = pointer_y();
    forms::CustomControl& c = m_custom;
    switch (event) {
        case FL_ENTER:
        case FL_LEAVE:
            return 1;
        case FL_PUSH:
            // The button that went down, as the classic mouse-down reports it.
            button = Fl::event_button() == FL_RIGHT_MOUSE    ? 2
                     : Fl::event_button() == FL_MIDDLE_MOUSE ? 4
                                                             : 1;
            PostInput(c, [&c, button, shift, px, py] { c.mouse_down(button, shift, px, py); });
            return 1;
        case FL_MOVE:
        case FL_DRAG:
            PostInput(c, [&c, button, shift, px, py] { c.mouse_move(button, shift, px, py); });
            return 1;
        case FL_RELEASE:
            button = Fl::event_button() == FL_RIGHT_MOUSE    ? 2
                     : Fl::event_button() == FL_MIDDLE_MOUSE ? 4
                                                             : 1;
            PostInput(c, [&c, button, shift, px, py] { c.mouse_up(button, shift, px, py); });
            return 1;
        default:
            return Fl_Widget::handle(event);
    }
}

}  // namespace view
