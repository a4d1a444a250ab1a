// Start-up and shutdown: the statics, the file type, the application object and the
// finalizers, driven through the real start-up steps.
#include "shell/app.h"
#include "shell/file_types.h"
#include "shell/framework/core/runtime.h"
#include "shell/main_menu_bar.h"
#include "shell/sounds.h"
#include "shell/startup.h"
#include "shell/zk_module.h"
#include "tests/support/recording_message_box.h"

#include <gtest/gtest.h>

namespace {
class StartupTest : public testing::Test {
  protected:
    void SetUp() override {
        messages = InstallRecordingMessageBox();
        RegisterProgram();
        RuntimePerformInitializers();
    }
    std::shared_ptr<RecordingMessageBox> messages;
};

const std::vector<std::string> kFinalizerOrder = {"ChuToy.permaSound.__Exit",
                                                  "Glass.permaSound.__Exit",
                                                  "Purr.permaSound.__Exit",
                                                  "Sosumi.permaSound.__Exit",
                                                  "Submarine.permaSound.__Exit",
                                                  "Temple.permaSound.__Exit",
                                                  "FileTypes.pAllFileTypes.__Exit",
                                                  "FileTypes.pUntitled.__Exit",
                                                  "MainMenuBar._implicitInstance.__Exit"};
} // namespace

TEST_F(StartupTest, StaticsHaveTheirStartValuesBeforeStartUp) {
    ASSERT_NE(FileTypes::pAllFileTypes, nullptr);
    EXPECT_TRUE(FileTypes::pAllFileTypes->empty());
    EXPECT_EQ(FileTypes::pUntitled, nullptr);
    EXPECT_EQ(FileTypes::Untitled(), nullptr);
    EXPECT_EQ(MainMenuBar::_implicitInstance, nullptr);
    for (auto* statics : {&GlassStatics, &SosumiStatics, &SubmarineStatics, &ChuToyStatics,
                          &TempleStatics, &PurrStatics}) {
        EXPECT_EQ(statics->permaSound, nullptr);
        EXPECT_FALSE(statics->loaded);
    }
    EXPECT_FALSE(zkModule::f_windowcloseing);
    EXPECT_EQ(App(), nullptr);
}

TEST_F(StartupTest, EarlyStartupRegistersTheFileTypeOnceAndTheAppWithItsMenuBar) {
    EarlyStartup();

    const auto& types = RuntimeRegisteredFileTypes();
    ASSERT_EQ(types.size(), 1u);
    EXPECT_EQ(types[0].name, "text");
    EXPECT_EQ(types[0].mac_creator, "R*ch");
    EXPECT_EQ(types[0].mac_type, "TEXT");
    EXPECT_EQ(types[0].extensions, "");
    EXPECT_EQ(types[0].uti, "");
    ASSERT_EQ(FileTypes::pAllFileTypes->size(), 1u);
    EXPECT_EQ(FileTypes::pAllFileTypes->front(), FileTypes::pUntitled);
    EXPECT_TRUE(FileTypes::pUntitled->Imported);
    EXPECT_EQ(FileTypes::pUntitled->ToText(), "text");
    EXPECT_EQ(RuntimeRegisteredFileTypes().size(), 1u) << "a second conversion registers again";

    auto app = App();
    ASSERT_NE(app, nullptr);
    EXPECT_EQ(app, getAppObject());
    EXPECT_EQ(App(), app);
    EXPECT_EQ(app->MenuBar(), MainMenuBar());
    EXPECT_EQ(MainMenuBar(), MainMenuBar::_implicitInstance);
    EXPECT_TRUE(messages->texts.empty());
}

TEST_F(StartupTest, FinalizersReleaseTheStaticsInOrderAndDeregisterTheFileType) {
    EarlyStartup();
    std::weak_ptr<FileType> file_type = FileTypes::pUntitled;

    RuntimePerformFinalizers();

    EXPECT_EQ(RuntimeFinalizersRun(), kFinalizerOrder);
    EXPECT_EQ(FileTypes::pAllFileTypes, nullptr);
    EXPECT_EQ(FileTypes::pUntitled, nullptr);
    EXPECT_TRUE(file_type.expired());
    EXPECT_TRUE(RuntimeRegisteredFileTypes().empty());
    EXPECT_EQ(MainMenuBar::_implicitInstance, nullptr);
    EXPECT_EQ(RuntimeExit(), 0);
}

TEST_F(StartupTest, AnExceptionEscapingStartUpIsReportedOnceAndShutdownStillRuns) {
    FileTypes::pAllFileTypes = nullptr; // the list's append then meets nil

    testing::internal::CaptureStderr();
    Main();
    const std::string errors = testing::internal::GetCapturedStderr();

    ASSERT_EQ(messages->texts.size(), 1u);
    EXPECT_NE(messages->texts[0].find("NilObjectException"), std::string::npos);
    EXPECT_NE(errors.find("NilObjectException"), std::string::npos);
    RuntimePerformFinalizers();
    EXPECT_EQ(RuntimeFinalizersRun(), kFinalizerOrder);
    EXPECT_TRUE(RuntimeRegisteredFileTypes().empty());
}

TEST_F(StartupTest, TheExceptionEntryPointReturnsRuntimeExceptionsAndRethrowsOthers) {
    auto returns = [](void*) {};
    auto raises_nil = [](void*) { throw NilObjectException(); };
    auto raises_other = [](void*) { throw std::logic_error("not ours"); };

    EXPECT_EQ(CallFunctionWithExceptionHandling(returns, nullptr), nullptr);
    auto caught = CallFunctionWithExceptionHandling(raises_nil, nullptr);
    ASSERT_NE(caught, nullptr);
    EXPECT_THROW(std::rethrow_exception(caught), NilObjectException);
    EXPECT_THROW(CallFunctionWithExceptionHandling(raises_other, nullptr), std::logic_error);
}
