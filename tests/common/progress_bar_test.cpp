// A window's progress bar: created by ProgID with its design values, sized by the window, and
// driven only through the control's dispatch interface.

#include "common/progress_bar.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "platform/desktop/desktop.h"
#include "platform/forms/application.h"
#include "platform/forms/form.h"
#include "progressbar/dispids.h"

namespace {

struct BarForm : forms::Form {
    ProgressBarControl Bar{*this, "Bar",
                           com::MemoryPropertyBag{{"MaxValue", std::int32_t{15}},
                                                  {"AllowSeek", false},
                                                  {"BarColour", std::int32_t{0xFFFFFF}}}};
    forms::Label Label10{*this, "Label10"};
    BarForm() : forms::Form("BarForm") {}
};

class ProgressBarOnAWindow : public ::testing::Test {
  protected:
    void SetUp() override {
        desktop::Desktop::instance().reset();
        forms::App().reset();
        forms::App().set_observer([this](forms::Form&, forms::Control* control) {
            if (control == &m_form->Bar) ++m_changes;
        });
        m_form = std::make_unique<BarForm>();
    }
    void TearDown() override {
        m_form.reset();
        forms::App().reset();
    }
    ProgressBarControl& bar() { return m_form->Bar; }
    com::Variant Read(com::DispId id) {
        com::Variant value;
        EXPECT_EQ(bar().host().GetProperty(id, value), com::Status::Ok);
        return value;
    }

    std::unique_ptr<BarForm> m_form;
    int m_changes = 0;
};

TEST_F(ProgressBarOnAWindow, StartsWithItsDesignValues) {
    EXPECT_EQ(bar().MaxValue, 15);
    EXPECT_EQ(bar().Value, 0);
    EXPECT_EQ(Read(orvane::dispid::AllowSeek), com::Variant(false));
    EXPECT_EQ(Read(orvane::dispid::BarColour), com::Variant(std::int32_t{0xFFFFFF}));
    // Keys the design leaves out keep the control's defaults.
    EXPECT_EQ(Read(orvane::dispid::AllowSlider), com::Variant(true));
}

TEST_F(ProgressBarOnAWindow, WritesGoThroughTheControlsOwnConversionsAndRules) {
    ProgressBarControl& b = bar();
    b.Value = 7;
    EXPECT_EQ(b.Value, 7);
    b.Value = b.Value + 1;
    EXPECT_EQ(b.Value(), 8);
    b.Value = 3.7;  // reals round half to even
    EXPECT_EQ(b.Value, 4);
    b.Value = 2.5;
    EXPECT_EQ(b.Value, 2);
    b.Value = std::string("12");
    EXPECT_EQ(b.Value, 12);
    b.Value = "9 seconds";  // a text is read as the number at its start
    EXPECT_EQ(b.Value, 9);
    b.Value = 16;  // above the maximum: refused
    EXPECT_EQ(b.Value, 9);
    b.Value = 40000;  // beyond 16 bits: refused
    EXPECT_EQ(b.Value, 9);
    b.MaxValue = "0";  // a maximum below 1: refused
    EXPECT_EQ(b.MaxValue, 15);
    m_form->Label10.Caption = "20";
    b.MaxValue = m_form->Label10.Caption;
    EXPECT_EQ(b.MaxValue, 20);
    b.Value = 20;
    EXPECT_EQ(b.Value, 20);
    b.Value = b.MaxValue;
    EXPECT_EQ(b.Value.get(), 20);
}

TEST_F(ProgressBarOnAWindow, TellsTheViewAfterEveryWriteAndResize) {
    m_changes = 0;
    bar().Value = 3;
    bar().Value = 99;  // refused, but the bar is redrawn all the same
    EXPECT_EQ(m_changes, 2);
    bar().Move(120, 1200, 1910, 135);
    EXPECT_GE(m_changes, 3);
    com::Surface surface = bar().host().Shapes();
    EXPECT_EQ(surface.width, 1910);
    EXPECT_EQ(surface.height, 135);
}

TEST(ProgressBarMissing, NamesTheProgIdWhenTheControlCannotBeCreated) {
    desktop::Desktop::instance().reset();
    forms::App().reset();
    const auto empty = std::filesystem::temp_directory_path() /
                       ("tavrel-no-components-" + std::to_string(::getpid()));
    std::filesystem::create_directories(empty);
    forms::Form form("BarForm");
    try {
        ProgressBarControl bar(form, "Bar", {}, com::Registry::InFolder(empty));
        FAIL() << "created without a registry";
    } catch (const ComponentMissing& e) {
        EXPECT_NE(std::string(e.what()).find("\"linmar.ProgressBar\""), std::string::npos)
            << e.what();
    }
    std::filesystem::remove_all(empty);
    forms::App().reset();
}

}  // namespace
