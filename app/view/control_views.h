#pragma once
// The widgets that show a window's controls. Each widget keeps the control it shows and is
// brought up to the model by sync(); what a person does with it goes to the control's
// handlers through the loop. The window owns the widgets, as the toolkit's groups do.

#include <FL/Fl_Button.H>
#include <FL/Fl_Check_Button.H>
#include <FL/Fl_Hold_Browser.H>
#include <FL/Fl_Input.H>
#include <FL/Fl_Round_Button.H>
#include <FL/Fl_Widget.H>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/view/view_context.h"
#include "platform/forms/controls.h"

class Fl_Image;

namespace view {

// How a control's caption fits it, in pixels: the room its caption is drawn in, and the size the
// caption takes there.
struct CaptionFit {
    int width = 0, height = 0;
    int room_width = 0, room_height = 0;
};

class ControlView {
  public:
    ControlView(forms::Control& control, ViewContext& context)
        : m_control(control), m_context(context) {}
    virtual ~ControlView() = default;
    ControlView(const ControlView&) = delete;
    ControlView& operator=(const ControlView&) = delete;

    forms::Control& control() const { return m_control; }
    virtual Fl_Widget& widget() = 0;

    // Place, visibility and enabled state from the control and its holders, then the contents.
    // `top` is the pixel row where the client area starts (below a menu bar).
    void sync(int top);
    // Nothing for a control without a caption.
    virtual std::optional<CaptionFit> caption_fit() { return std::nullopt; }

  protected:
    virtual void sync_contents() = 0;
    // The pointer relative to the widget, in twips; buttons and shift keys as the classic masks.
    float pointer_x() const;
    float pointer_y() const;
    static int pointer_buttons();
    static int shift_keys();

    forms::Control& m_control;
    ViewContext& m_context;
};

// The widget for a control, added to the current group; nullptr for controls that show no
// widget (timers, menu items).
ControlView* MakeControlView(forms::Control& control, ViewContext& context);

class LabelView : public Fl_Widget, public ControlView {
  public:
    LabelView(forms::Label& label, ViewContext& context);
    Fl_Widget& widget() override { return *this; }
    std::optional<CaptionFit> caption_fit() override;
    void draw() override;
    int handle(int event) override;

  private:
    void sync_contents() override {}
    bool draw_arrow();
    bool draw_arrow_caption() const;
    forms::Label& m_label;
};

class TextBoxView : public Fl_Input, public ControlView {
  public:
    TextBoxView(forms::TextBox& box, ViewContext& context);
    Fl_Widget& widget() override { return *this; }

  private:
    void sync_contents() override;
    void typed();
    forms::TextBox& m_box;
};

class ButtonView : public Fl_Button, public ControlView {
  public:
    ButtonView(forms::CommandButton& button, ViewContext& context);
    Fl_Widget& widget() override { return *this; }
    std::optional<CaptionFit> caption_fit() override;

  private:
    void sync_contents() override;
    forms::CommandButton& m_button;
    std::string m_caption;
};

class CheckBoxView : public Fl_Check_Button, public ControlView {
  public:
    CheckBoxView(forms::CheckBox& box, ViewContext& context);
    Fl_Widget& widget() override { return *this; }
    std::optional<CaptionFit> caption_fit() override;

  private:
    void sync_contents() override;
    forms::CheckBox& m_box;
    std::string m_caption;
};

class OptionView : public Fl_Round_Button, public ControlView {
  public:
    OptionView(forms::OptionButton& option, ViewContext& context);
    Fl_Widget& widget() override { return *this; }
    std::optional<CaptionFit> caption_fit() override;

  private:
    void sync_contents() override;
    forms::OptionButton& m_option;
    std::string m_caption;
};

class FrameView : public Fl_Widget, public ControlView {
  public:
    FrameView(forms::Frame& frame, ViewContext& context);
    Fl_Widget& widget() override { return *this; }
    std::optional<CaptionFit> caption_fit() override;
    void draw() override;

  private:
    void sync_contents() override {}
    forms::Frame& m_frame;
};

class PictureView : public Fl_Widget, public ControlView {
  public:
    PictureView(forms::Picture& picture, ViewContext& context);
    ~PictureView() override;
    Fl_Widget& widget() override { return *this; }
    void draw() override;

  private:
    void sync_contents() override;
    forms::Picture& m_picture;
    std::string m_loaded_source;
    Fl_Image* m_image = nullptr;
};

class ListView : public Fl_Hold_Browser, public ControlView {
  public:
    ListView(forms::ListBox& list, ViewContext& context);
    Fl_Widget& widget() override { return *this; }
    int handle(int event) override;

  private:
    void sync_contents() override;
    void picked();
    void read_back_top();
    forms::ListBox& m_list;
    std::vector<std::string> m_shown;  // the entries the widget holds
    int m_applied_top = -1;
    std::string m_tooltip;
};

class ShapesView : public Fl_Widget, public ControlView {
  public:
    ShapesView(forms::CustomControl& control, ViewContext& context);
    Fl_Widget& widget() override { return *this; }
    void draw() override;
    int handle(int event) override;

  private:
    void sync_contents() override {}
    forms::CustomControl& m_custom;
};

}  // namespace view
