// The application object: the running executable and the high-resolution declaration.
#include "shell/framework/core/folder_item.h"
#include "shell/framework/gui/application.h"

#include <climits>
#include <cstdlib>
#include <gtest/gtest.h>

TEST(ApplicationTest, ExecutableFileIsTheRunningBinaryWithLinksResolved) {
    char expected[PATH_MAX];
    ASSERT_NE(realpath("/proc/self/exe", expected), nullptr);
    Application app;
    auto file = app.ExecutableFile();
    ASSERT_NE(file, nullptr);
    EXPECT_EQ(file->NativePath(), expected);

    SetExecutablePathForTesting("/tmp/package/bin/Dorvane2");
    EXPECT_EQ(app.ExecutableFile()->NativePath(), "/tmp/package/bin/Dorvane2");
    SetExecutablePathForTesting("");
    EXPECT_EQ(app.ExecutableFile()->NativePath(), expected);
}

TEST(ApplicationTest, HighResolutionSupportIsRecorded) {
    EXPECT_FALSE(Application::SupportsHiDPI());
    Application::SetSupportsHiDPI(true);
    EXPECT_TRUE(Application::SupportsHiDPI());
}
