#include "platform/com/registry.h"

#include <dlfcn.h>
#include <gnu/libc-version.h>
#include <gtest/gtest.h>

#include <fstream>

#include "platform/com/control_host.h"
#include "platform/com/create_object.h"
#include "tests/com/temp_folder.h"

namespace {

class ComRegistry : public ::testing::Test {
  protected:
    com_test::TempFolder folder;
    com::Registry registry = com::Registry::InFolder(folder.path());
    std::string error;
};

TEST_F(ComRegistry, RegistersLooksUpAndUnregisters) {
    EXPECT_FALSE(registry.Lookup("linmar.ProgressBar"));
    ASSERT_TRUE(registry.Register("linmar.ProgressBar", "/opt/a/liborvane.so", error)) << error;
    ASSERT_TRUE(registry.Register("other.Thing", "/opt/b/libother.so", error)) << error;
    ASSERT_TRUE(registry.Register("linmar.ProgressBar", "/opt/c/liborvane.so", error)) << error;

    EXPECT_EQ(registry.Lookup("LINMAR.progressbar"), std::filesystem::path("/opt/c/liborvane.so"));
    EXPECT_EQ(registry.Lookup("other.Thing"), std::filesystem::path("/opt/b/libother.so"));
    EXPECT_EQ(registry.file(), folder.path() / "components.list");

    ASSERT_TRUE(registry.Unregister("linmar.ProgressBar", error)) << error;
    EXPECT_FALSE(registry.Lookup("linmar.ProgressBar"));
    EXPECT_TRUE(registry.Lookup("other.Thing"));
    EXPECT_TRUE(registry.Unregister("never.There", error));
}

TEST_F(ComRegistry, ReadsHandWrittenFilesWithRelativePaths) {
    std::ofstream(registry.file()) << "# hand written\r\n\r\nbroken line\r\n"
                                      " some.Control = lib/libsome.so \r\n";
    EXPECT_EQ(registry.Lookup("some.Control"), folder.path() / "lib/libsome.so");
    EXPECT_FALSE(registry.Lookup("broken line"));
}

TEST_F(ComRegistry, ReportsAFileThatCannotBeWritten) {
    const com::Registry nowhere(folder.path() / "missing-folder" / "components.list");
    EXPECT_FALSE(nowhere.Register("linmar.ProgressBar", "/x.so", error));
    EXPECT_NE(error.find("cannot write"), std::string::npos) << error;
}

TEST_F(ComRegistry, CreationFailuresNameTheProgIdAndNeverCrash) {
    Dl_info libc{};
    ASSERT_NE(dladdr(reinterpret_cast<void*>(&gnu_get_libc_version), &libc), 0);
    ASSERT_TRUE(registry.Register("no.Library", folder.path() / "libmissing.so", error));
    ASSERT_TRUE(registry.Register("no.Export", libc.dli_fname, error));

    struct Case {
        const char* prog_id;
        const char* reason;
    };
    for (const auto& [prog_id, reason] :
         {Case{"not.Registered", "not registered in"}, Case{"no.Library", "libmissing.so"},
          Case{"no.Export", "does not export DllGetClassObject"}}) {
        const std::string prefix = "cannot create \"" + std::string(prog_id) + "\": ";
        com::ObjectRef object = com::CreateObject(prog_id, registry, error);
        EXPECT_FALSE(object);
        EXPECT_EQ(error.rfind(prefix, 0), 0u) << error;
        EXPECT_NE(error.find(reason), std::string::npos) << error;

        com::ControlHost host;
        EXPECT_FALSE(host.Create(prog_id, registry));
        EXPECT_EQ(host.error(), error);
        com::Variant value;
        EXPECT_EQ(host.SetProperty(0x68030000, 5), com::Status::NotCreated);
        EXPECT_EQ(host.GetProperty(0x68030000, value), com::Status::NotCreated);
        EXPECT_EQ(host.Resize(100, 100), com::Status::NotCreated);
        EXPECT_EQ(host.MouseUp(1, 0, 5, 5), com::Status::NotCreated);
        EXPECT_TRUE(host.Shapes().shapes.empty());
        EXPECT_EQ(host.type_info(), nullptr);
    }
}

}  // namespace
