#pragma once
// A progress bar created the way a window creates one: by ProgID through the build's component
// registry, driven only through the host's dispatch and container calls.

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "platform/com/control_host.h"
#include "platform/com/memory_property_bag.h"
#include "platform/com/registry.h"
#include "progressbar/dispids.h"

namespace orvane_test {

inline constexpr const char* kBinFolder = TAVREL_BINARY_DIR "/bin";

class HostedBar : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(bar.Create(orvane::kProgId, com::Registry::InFolder(kBinFolder)))
            << bar.error();
        bar.on_property_changed = [this](std::string_view name) { changes.emplace_back(name); };
        bar.on_event = [this](com::DispId event, std::span<com::Variant> args) {
            ASSERT_EQ(event, orvane::dispid::ProgressUpdate);
            ASSERT_EQ(args.size(), 1u);
            ASSERT_EQ(args[0].kind(), com::Variant::Kind::Int16Ref);
            progress_updates.push_back(*args[0].int16_ref());
            if (assign_in_handler) *args[0].int16_ref() = *assign_in_handler;
        };
    }

    void Set(com::DispId property, const com::Variant& value) {
        ASSERT_EQ(bar.SetProperty(property, value), com::Status::Ok);
    }

    std::int32_t Get(com::DispId property) {
        com::Variant value;
        EXPECT_EQ(bar.GetProperty(property, value), com::Status::Ok);
        if (value.kind() == com::Variant::Kind::Bool) return value.bool_value() ? -1 : 0;
        return value.kind() == com::Variant::Kind::Int32 ? value.int32_value() : INT32_MIN;
    }

    // Shapes in drawing order: the track, the bar, the slider.
    com::Shape Track() const { return ShapeNamed("ProgressBG"); }
    com::Shape Bar() const { return ShapeNamed("ProgressBar"); }
    com::Shape Slider() const { return ShapeNamed("ProgressSlider"); }

    com::Shape ShapeNamed(const std::string& name) const {
        for (const com::Shape& shape : bar.Shapes().shapes)
            if (shape.name == name) return shape;
        ADD_FAILURE() << "no shape " << name;
        return {};
    }

    // The main window's sizes: 1910 x 135 twips with the bag's defaults (MaxValue 100).
    void DesignBar(float width = 1910, float height = 135) {
        com::MemoryPropertyBag empty;
        ASSERT_EQ(bar.ReadProperties(empty), com::Status::Ok);
        ASSERT_EQ(bar.Resize(width, height), com::Status::Ok);
        changes.clear();
    }

    com::ControlHost bar;
    std::vector<std::string> changes;
    std::vector<std::int16_t> progress_updates;
    std::optional<std::int16_t> assign_in_handler;
};

}  // namespace orvane_test
