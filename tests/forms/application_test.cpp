// The application's forms by name: one that fails to build leaves nothing behind, and the next
// use builds it afresh.
#include "platform/forms/application.h"

#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>

namespace {

class ApplicationForms : public ::testing::Test {
  protected:
    void TearDown() override { forms::App().reset(); }
};

TEST_F(ApplicationForms, AFormThatFailsToBuildIsNotKept) {
    forms::App().reset();
    int attempts = 0;
    forms::App().register_form("Shaky", [&attempts]() -> std::unique_ptr<forms::Form> {
        if (++attempts == 1) throw std::runtime_error("the component is missing");
        return std::make_unique<forms::Form>("Shaky");
    });

    EXPECT_THROW(forms::App().get("Shaky"), std::runtime_error);
    EXPECT_EQ(forms::App().find("Shaky"), nullptr);
    EXPECT_TRUE(forms::App().forms().empty());

    forms::Form& built = forms::App().get("Shaky");
    EXPECT_EQ(built.name(), "Shaky");
    EXPECT_EQ(forms::App().find("Shaky"), &built);
    EXPECT_EQ(attempts, 2);
}

}  // namespace
