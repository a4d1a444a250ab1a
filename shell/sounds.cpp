#include "shell/sounds.h"

#include "shell/framework/core/exceptions.h"
#include "shell/resources_folder.h"

SoundStatics GlassStatics, SosumiStatics, SubmarineStatics, ChuToyStatics, TempleStatics,
    PurrStatics;

namespace {
std::shared_ptr<Sound> CachedSound(SoundStatics& statics, const char* file_name) {
    if (statics.loaded) return statics.permaSound;
    // Before the attempt: a load that fails or raises is never tried again.
    statics.loaded = true;
    const std::shared_ptr<FolderItem> resources = PackageResourcesFolder();
    if (resources) statics.permaSound = NotNil(PackageChild(*resources, file_name)).OpenAsSound();
    return statics.permaSound;
}
} // namespace

std::shared_ptr<Sound> Glass() {
    return CachedSound(GlassStatics, "Glass.aiff");
}
std::shared_ptr<Sound> Sosumi() {
    return CachedSound(SosumiStatics, "Sosumi.aiff");
}
std::shared_ptr<Sound> Submarine() {
    return CachedSound(SubmarineStatics, "Submarine.aiff");
}
std::shared_ptr<Sound> ChuToy() {
    return CachedSound(ChuToyStatics, "ChuToy.aiff");
}
std::shared_ptr<Sound> Temple() {
    return CachedSound(TempleStatics, "Temple.aiff");
}
std::shared_ptr<Sound> Purr() {
    return CachedSound(PurrStatics, "Purr.aiff");
}
