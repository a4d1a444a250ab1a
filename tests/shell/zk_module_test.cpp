#include "shell/app.h"
#include "shell/framework/core/exceptions.h"
#include "shell/framework/core/runtime.h"
#include "shell/framework/media/shell_script_runner.h"
#include "shell/resources_folder.h"
#include "shell/zk_module.h"
#include "tests/shell/temp_package.h"
#include "tests/support/recording_script_runner.h"

#include <gtest/gtest.h>
#include <unistd.h>

namespace {
const char kScript[] = "zkActiveteDorvane2.scpt";

// Package folder names that a command line built from text would break on.
const char* const kPackageNames[] = {
    "pkg",
    "My Alarm Clock",
    "it's \"quoted\"",
    "\"; touch injected; \"",
    "'; touch injected; '",
    "$(touch injected) `touch injected` ${HOME}",
    "two  spaces\tand a tab",
    "a line\nfeed",
};

class ZkModuleTest : public testing::Test {
  protected:
    void SetUp() override { RuntimeRegisterAppObject(std::make_shared<class App>()); }
    void TearDown() override { SetPackageChildLookupForTesting({}); }
};

TEST_F(ZkModuleTest, WindowClosingFlagStartsFalse) {
    EXPECT_FALSE(zkModule::f_windowcloseing);
}

TEST_F(ZkModuleTest, RunsTheScriptWithTheExecutablePathAsItsOneParameter) {
    const auto runner = InstallRecordingScriptRunner();
    for (const char* name : kPackageNames) {
        TempPackage package(name);
        package.AddResource(kScript);
        runner->Clear();
        zkModule::SetApplicationToFront();
        ASSERT_EQ(runner->Runs().size(), 1u) << name;
        EXPECT_EQ(runner->Runs()[0].script_path, (package.resources / kScript).string());
        EXPECT_EQ(runner->Runs()[0].arguments,
                  std::vector<std::string>{package.executable.string()});
    }
}

TEST_F(ZkModuleTest, RealRunnerHandsTheScriptThePathIntactAsDollarOne) {
    InstallScriptRunner(std::make_shared<ShellScriptRunner>());
    for (const char* name : kPackageNames) {
        TempPackage package(name);
        // In place of the activation script: a probe that writes down what it was given.
        package.WriteResource(kScript, "printf '%s\\n' \"$#\" \"$1\" > \"${0%/*}/received\"\n");
        ASSERT_EQ(chdir(package.root.c_str()), 0);
        zkModule::SetApplicationToFront();
        std::ifstream received(package.resources / "received");
        const std::string text((std::istreambuf_iterator<char>(received)), {});
        EXPECT_EQ(text, "1\n" + package.executable.string() + "\n") << name;
        EXPECT_FALSE(std::filesystem::exists(package.root / "injected")) << name;
        EXPECT_FALSE(std::filesystem::exists(package.resources / "injected")) << name;
        ASSERT_EQ(chdir("/"), 0);
    }
}

TEST_F(ZkModuleTest, MissingScriptRunsNothingAndRaisesNothing) {
    const auto runner = InstallRecordingScriptRunner();
    TempPackage package;
    EXPECT_NO_THROW(zkModule::SetApplicationToFront());
    EXPECT_TRUE(runner->Runs().empty());
}

TEST_F(ZkModuleTest, NilScriptItemGoesToTheScriptExecutionWhichRunsNothing) {
    const auto runner = InstallRecordingScriptRunner();
    TempPackage package;
    package.AddResource(kScript);
    SetPackageChildLookupForTesting([](const FolderItem& folder, const std::string& name) {
        return name == kScript ? nullptr : folder.Child(name);
    });
    EXPECT_NO_THROW(zkModule::SetApplicationToFront());
    EXPECT_TRUE(runner->Runs().empty());
}

TEST_F(ZkModuleTest, ExecutableInTheRootFolderRaises) {
    const auto runner = InstallRecordingScriptRunner();
    SetExecutablePathForTesting("/Dorvane2");
    EXPECT_THROW(zkModule::SetApplicationToFront(), NilObjectException);
    EXPECT_THROW(zkActiveteDorvane2({std::string("/Dorvane2")}), NilObjectException);
    EXPECT_TRUE(runner->Runs().empty());
}

TEST(ZkModuleWithoutApplication, Raises) {
    const auto runner = InstallRecordingScriptRunner();
    TempPackage package;
    package.AddResource(kScript);
    EXPECT_THROW(zkModule::SetApplicationToFront(), NilObjectException);
    EXPECT_THROW(zkActiveteDorvane2({package.executable.string()}), NilObjectException);
    EXPECT_TRUE(runner->Runs().empty());
}
} // namespace
