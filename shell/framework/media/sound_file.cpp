// Sound files decoded with libsndfile.
#include "shell/framework/core/folder_item.h"
#include "shell/framework/media/sound.h"

#include <filesystem>
#include <sndfile.h>

std::shared_ptr<Sound> DecodeSoundFile(const std::string& path) {
    SF_INFO info{};
    SNDFILE* file = sf_open(path.c_str(), SFM_READ, &info);
    if (!file) return nullptr;
    std::vector<int16_t> samples;
    bool usable = info.frames > 0 && info.channels > 0 && info.samplerate > 0;
    if (usable) {
        samples.resize(static_cast<size_t>(info.frames) * static_cast<size_t>(info.channels));
        usable = sf_readf_short(file, samples.data(), info.frames) == info.frames;
    }
    sf_close(file);
    if (!usable) return nullptr;
    // Named as the alarm menu names it: "Glass" for "Glass.aiff".
    return std::make_shared<Sound>(std::filesystem::path(path).stem().string(), info.samplerate,
                                   info.channels, std::move(samples));
}

std::shared_ptr<Sound> FolderItem::OpenAsSound() const {
    return DecodeSoundFile(native_path_);
}
