#include "shell/app.h"
#include "shell/framework/core/exceptions.h"
#include "shell/framework/core/runtime.h"
#include "shell/resources_folder.h"
#include "shell/sounds.h"
#include "shell/zk_module.h"
#include "tests/shell/temp_package.h"
#include "tests/support/recording_script_runner.h"

#include <gtest/gtest.h>

namespace {
struct Getter {
    const char* name;
    std::shared_ptr<Sound> (*get)();
    SoundStatics* statics;
};
const Getter kGetters[] = {{"Glass", Glass, &GlassStatics},
                           {"Sosumi", Sosumi, &SosumiStatics},
                           {"Submarine", Submarine, &SubmarineStatics},
                           {"ChuToy", ChuToy, &ChuToyStatics},
                           {"Temple", Temple, &TempleStatics},
                           {"Purr", Purr, &PurrStatics}};

std::string FileOf(const Getter& getter) {
    return std::string(getter.name) + ".aiff";
}

// A child lookup that gives nil for one name, as FolderItem::Child itself never does.
ChildLookup NilFor(std::string nil_name) {
    return [nil_name](const FolderItem& folder, const std::string& name) {
        return name == nil_name ? nullptr : folder.Child(name);
    };
}

class SoundsTest : public testing::Test {
  protected:
    void SetUp() override { RuntimeRegisterAppObject(std::make_shared<class App>()); }
    void TearDown() override { SetPackageChildLookupForTesting({}); }
    void AddAllSounds() const {
        for (const Getter& getter : kGetters)
            package.AddResource(FileOf(getter));
    }
    TempPackage package;
};

TEST_F(SoundsTest, StartsNotTriedAndEachGetterLoadsItsOwnFile) {
    AddAllSounds();
    for (const Getter& getter : kGetters) {
        EXPECT_FALSE(getter.statics->loaded) << getter.name;
        EXPECT_EQ(getter.statics->permaSound, nullptr) << getter.name;
    }
    for (const Getter& getter : kGetters) {
        const std::shared_ptr<Sound> sound = getter.get();
        ASSERT_NE(sound, nullptr) << getter.name;
        EXPECT_EQ(sound->Name(), getter.name);
        EXPECT_TRUE(getter.statics->loaded);
        EXPECT_EQ(getter.statics->permaSound, sound);
    }
}

TEST_F(SoundsTest, TwoCallsOpenTheFileOnceAndHandOutTheSameObject) {
    AddAllSounds();
    const std::shared_ptr<Sound> first = Glass();
    ASSERT_NE(first, nullptr);
    first->SetVolume(20);
    // A second open would now fail.
    package.WriteResource("Glass.aiff", "not a sound");
    const std::shared_ptr<Sound> second = Glass();
    EXPECT_EQ(second, first);
    EXPECT_EQ(second->Volume(), 20);
    // Sounds that are never asked for are never opened.
    for (const Getter& getter : kGetters)
        if (getter.statics != &GlassStatics) {
            EXPECT_FALSE(getter.statics->loaded) << getter.name;
        }
}

TEST_F(SoundsTest, MissingFileGivesNilNowAndLaterEvenOnceItAppears) {
    for (const Getter& getter : kGetters)
        if (getter.statics != &TempleStatics) package.AddResource(FileOf(getter));
    EXPECT_EQ(Temple(), nullptr);
    EXPECT_TRUE(TempleStatics.loaded);
    package.AddResource("Temple.aiff");
    EXPECT_EQ(Temple(), nullptr);
}

TEST_F(SoundsTest, FailedLoadsLeaveTheOtherSoundsAlone) {
    AddAllSounds();
    // Each kind of file that does not open as a sound.
    package.WriteResource("Temple.aiff", "FORM garbage");
    package.WriteResource("Sosumi.aiff", "");
    std::filesystem::remove(package.resources / "Purr.aiff");
    std::filesystem::create_directory(package.resources / "Purr.aiff");
    for (const Getter& getter : kGetters) {
        const bool broken = getter.statics == &TempleStatics || getter.statics == &SosumiStatics ||
                            getter.statics == &PurrStatics;
        const std::shared_ptr<Sound> sound = getter.get();
        EXPECT_EQ(sound == nullptr, broken) << getter.name;
        if (sound) {
            EXPECT_EQ(sound->Name(), getter.name);
        }
    }
}

TEST_F(SoundsTest, NilResourcesItemGivesNilWithoutExceptionWhileBringingToFrontRaises) {
    AddAllSounds();
    SetPackageChildLookupForTesting(NilFor("Resources"));
    InstallRecordingScriptRunner();
    for (int call = 0; call < 2; ++call)
        for (const Getter& getter : kGetters) {
            std::shared_ptr<Sound> sound;
            EXPECT_NO_THROW(sound = getter.get()) << getter.name;
            EXPECT_EQ(sound, nullptr) << getter.name;
        }
    EXPECT_THROW(zkModule::SetApplicationToFront(), NilObjectException);
}

TEST_F(SoundsTest, NilSoundItemRaisesOnFirstCallOnlyThenGivesNil) {
    AddAllSounds();
    SetPackageChildLookupForTesting(NilFor("Submarine.aiff"));
    EXPECT_THROW(Submarine(), NilObjectException);
    EXPECT_EQ(Submarine(), nullptr);
    EXPECT_NE(Glass(), nullptr);
}

TEST_F(SoundsTest, ExecutableInTheRootFolderRaisesOnFirstCallOnlyThenGivesNil) {
    // "/" has no parent: the second of the three steps meets nil.
    SetExecutablePathForTesting("/Dorvane2");
    EXPECT_THROW(Purr(), NilObjectException);
    EXPECT_EQ(Purr(), nullptr);
    EXPECT_TRUE(PurrStatics.loaded);
}

TEST(SoundsWithoutApplication, RaiseOnFirstCallOnlyThenGiveNil) {
    TempPackage package;
    package.AddResource("Glass.aiff");
    EXPECT_THROW(Glass(), NilObjectException);
    EXPECT_EQ(Glass(), nullptr);
}
} // namespace
