// The library as a component: its entry points, its registration and its type information.

#include <gtest/gtest.h>

#include <string>

#include "platform/com/control_host.h"
#include "platform/com/entry_points.h"
#include "platform/com/library.h"
#include "platform/com/registry.h"
#include "progressbar/dispids.h"
#include "tests/com/temp_folder.h"

namespace {

constexpr const char* kLibrary = TAVREL_BINARY_DIR "/bin/liborvane.so";

class OrvaneLibrary : public ::testing::Test {
  protected:
    void SetUp() override {
        library = com::Library::Open(kLibrary, error);
        ASSERT_TRUE(library) << error;
    }

    template <class Function>
    Function Entry(const char* name) {
        const auto entry = library->Find<Function>(name);
        EXPECT_NE(entry, nullptr) << name;
        return entry;
    }

    std::string error;
    std::shared_ptr<com::Library> library;
};

TEST_F(OrvaneLibrary, TheBuildRegistersItBesideThePrograms) {
    const auto registered =
        com::Registry::InFolder(TAVREL_BINARY_DIR "/bin").Lookup(orvane::kProgId);
    ASSERT_TRUE(registered);
    EXPECT_TRUE(std::filesystem::equivalent(*registered, kLibrary));

    // The tests run from the same folder, so the default registry is that one.
    com::ControlHost host;
    EXPECT_TRUE(host.Create(orvane::kProgId)) << host.error();
}

TEST_F(OrvaneLibrary, RegistrationRoundTrip) {
    const com_test::TempFolder folder;
    const com::Registry registry = com::Registry::InFolder(folder.path());
    const std::string registry_file = registry.file().string();
    const auto register_server = Entry<com::entry::RegisterServer>(com::entry::kRegisterServer);
    const auto unregister_server = Entry<com::entry::RegisterServer>(com::entry::kUnregisterServer);
    ASSERT_TRUE(register_server && unregister_server);

    ASSERT_EQ(register_server(registry_file.c_str()), com::Status::Ok);
    ASSERT_TRUE(registry.Lookup("linmar.ProgressBar"));
    {
        com::ControlHost host;
        ASSERT_TRUE(host.Create("linmar.ProgressBar", registry)) << host.error();
        EXPECT_EQ(host.SetProperty(orvane::dispid::MaxValue, 10), com::Status::Ok);
    }

    ASSERT_EQ(unregister_server(registry_file.c_str()), com::Status::Ok);
    EXPECT_FALSE(registry.Lookup("linmar.ProgressBar"));
    com::ControlHost host;
    EXPECT_FALSE(host.Create("linmar.ProgressBar", registry));
    EXPECT_EQ(host.error(),
              "cannot create \"linmar.ProgressBar\": not registered in " + registry_file);
}

TEST_F(OrvaneLibrary, ServesOnlyItsOwnClassAndTellsWhenItCanUnload) {
    const auto get_class_object = Entry<com::entry::GetClassObject>(com::entry::kGetClassObject);
    const auto can_unload = Entry<com::entry::CanUnloadNow>(com::entry::kCanUnloadNow);
    ASSERT_TRUE(get_class_object && can_unload);

    com::ClassFactory* factory = nullptr;
    EXPECT_EQ(get_class_object("linmar.Other", &factory), com::Status::ClassNotAvailable);
    EXPECT_EQ(factory, nullptr);
    EXPECT_EQ(can_unload(), com::Status::Ok);

    ASSERT_EQ(get_class_object("linmar.ProgressBar", &factory), com::Status::Ok);
    com::Unknown* object = nullptr;
    ASSERT_EQ(factory->CreateInstance(&object), com::Status::Ok);
    factory->Release();
    EXPECT_NE(can_unload(), com::Status::Ok);
    EXPECT_NE(com::Query<com::Dispatch>(object), nullptr);
    EXPECT_EQ(object->QueryInterface("linmar._ProgressBar"), com::Query<com::Dispatch>(object));
    EXPECT_NE(com::Query<com::Control>(object), nullptr);
    EXPECT_NE(com::Query<com::ShapeSource>(object), nullptr);
    EXPECT_EQ(object->QueryInterface("no.Such"), nullptr);
    object->Release();
    EXPECT_EQ(can_unload(), com::Status::Ok);
}

TEST_F(OrvaneLibrary, DescribesItsTypesAndVersion) {
    const auto get_version = Entry<com::entry::GetFileVersion>(com::entry::kGetFileVersion);
    const auto get_type_info = Entry<com::entry::GetTypeInfo>(com::entry::kGetTypeInfo);
    ASSERT_TRUE(get_version && get_type_info);
    EXPECT_EQ(get_version()->major, 4);
    EXPECT_EQ(get_version()->minor, 0);
    EXPECT_TRUE(get_version()->self_registering);

    const com::TypeLibraryInfo& types = *get_type_info();
    EXPECT_STREQ(types.library_name, "linmar");
    EXPECT_EQ(types.major_version, 1);
    EXPECT_EQ(types.minor_version, 0);
    EXPECT_STREQ(types.class_name, "ProgressBar");
    EXPECT_STREQ(types.prog_id, "linmar.ProgressBar");
    EXPECT_STREQ(types.default_interface.name, "_ProgressBar");

    struct Expected {
        const char* name;
        com::DispId id;
        com::ValueType type;
    };
    using T = com::ValueType;
    const Expected expected[] = {
        {"AllowSeek", 0x6803000A, T::Bool},
        {"AllowSlider", 0x68030009, T::Bool},
        {"BarBorderColour", 0x68030008, T::Colour},
        {"BarColour", 0x68030007, T::Colour},
        {"BorderColour", 0x68030006, T::Colour},
        {"FillColour", 0x68030005, T::Colour},
        {"MaxValue", 0x68030004, T::Int16},
        {"SliderBackstyle", 0x68030003, T::Int16},
        {"SliderFillColour", 0x68030002, T::Colour},
        {"SliderBorderColour", 0x68030001, T::Colour},
        {"Value", 0x68030000, T::Int16},
    };
    ASSERT_EQ(types.default_interface.properties.size(), std::size(expected));
    for (std::size_t i = 0; i < std::size(expected); ++i) {
        const com::PropertyInfo& property = types.default_interface.properties[i];
        EXPECT_STREQ(property.name, expected[i].name);
        EXPECT_EQ(property.id, expected[i].id) << property.name;
        EXPECT_EQ(property.type, expected[i].type) << property.name;
    }
    EXPECT_EQ(com::FindProperty(types, "Value")->id, 0x68030000);
    EXPECT_EQ(com::FindProperty(types, "value"), nullptr);

    EXPECT_STREQ(types.event_interface.name, "__ProgressBar");
    ASSERT_EQ(types.event_interface.events.size(), 1u);
    const com::EventInfo& update = types.event_interface.events[0];
    EXPECT_STREQ(update.name, "ProgressUpdate");
    EXPECT_EQ(update.id, 1);
    ASSERT_EQ(update.parameters.size(), 1u);
    EXPECT_EQ(update.parameters[0].type, com::ValueType::Int16);
    EXPECT_TRUE(update.parameters[0].by_reference);
}

}  // namespace
