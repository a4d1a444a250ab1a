// Loading the appearance-controls module and its entry table.
#include "shell/framework/gui/plugin.h"

#include "shell/appearance/appearance_abi.h"
#include "shell/framework/core/exceptions.h"
#include "shell/framework/core/runtime.h"

#include <cstdio>
#include <cstdlib>
#include <dlfcn.h>
#include <iterator>
#include <vector>

const char* const kPluginEntryNames[70] = {
    "_",
    "BevelButton.AddRow(text As String)",
    "BevelButton.AddSeparator()",
    "BevelButton.ChooseRow(row As Integer)",
    "BevelButton.DeleteAllRows()",
    "BevelButton.InsertRow(index As Integer, text As String)",
    "BevelButton.List(index As Integer) As String",
    "BevelButton.Push()",
    "BevelButton.RemoveRow(index As Integer)",
    "BevelButton.RowCount() As Integer",
    "BevelButton.HasMenu.Get",
    "BevelButton.HasMenu.Set",
    "BevelButton.MenuValue.Get",
    "BevelButton.MenuValue.Set",
    "BevelButton.Value.Get",
    "BevelButton.Value.Set",
    "BevelButton.Caption.Get",
    "BevelButton.Caption.Set",
    "BevelButton.CaptionAlign.Get",
    "BevelButton.CaptionAlign.Set",
    "BevelButton.CaptionPlacement.Get",
    "BevelButton.CaptionPlacement.Set",
    "BevelButton.CaptionDelta.Get",
    "BevelButton.CaptionDelta.Set",
    "BevelButton.Bevel.Get",
    "BevelButton.Bevel.Set",
    "BevelButton.ButtonType.Get",
    "BevelButton.ButtonType.Set",
    "BevelButton.Icon.Get",
    "BevelButton.Icon.Set",
    "BevelButton.IconAlign.Get",
    "BevelButton.IconAlign.Set",
    "BevelButton.IconDX.Get",
    "BevelButton.IconDX.Set",
    "BevelButton.IconDY.Get",
    "BevelButton.IconDY.Set",
    "BevelButton.TextColor.Get",
    "BevelButton.TextColor.Set",
    "BevelButton.HasBackColor.Get",
    "BevelButton.HasBackColor.Set",
    "BevelButton.BackColor.Get",
    "BevelButton.BackColor.Set",
    "BevelButton.TextFont.Get",
    "BevelButton.TextFont.Set",
    "BevelButton.TextSize.Get",
    "BevelButton.TextSize.Set",
    "BevelButton.TextUnit.Get",
    "BevelButton.TextUnit.Set",
    "BevelButton.Bold.Get",
    "BevelButton.Bold.Set",
    "BevelButton.Italic.Get",
    "BevelButton.Italic.Set",
    "BevelButton.Underline.Get",
    "BevelButton.Underline.Set",
    "BevelButton.AcceptFocus.Get",
    "BevelButton.AcceptFocus.Set",
    "UpDownArrows.AcceptFocus.Get",
    "UpDownArrows.AcceptFocus.Set",
    "DisclosureTriangle.Facing.Get",
    "DisclosureTriangle.Facing.Set",
    "DisclosureTriangle.Value.Get",
    "DisclosureTriangle.Value.Set",
    "PopupArrow.Facing.Get",
    "PopupArrow.Facing.Set",
    "Placard.Caption.Get",
    "Placard.Caption.Set",
    "Placard.Value.Get",
    "Placard.Value.Set",
    "ImageWell.Image.Get",
    "ImageWell.Image.Set",
};

namespace {
struct Plugin {
    std::string file_name;
    AppearanceLookup lookup = nullptr;
    std::vector<void*> table;
};

Plugin& State() {
    static Plugin plugin;
    return plugin;
}

[[noreturn]] void StartupFailure(const std::string& line) {
    std::fprintf(stderr, "Dorvane2: %s\n", line.c_str());
    std::exit(1);
}

// The folder holding the framework library: the package's Frameworks/ (test binaries
// link the same library, so they find the module there too).
std::string FrameworkFolder() {
    Dl_info info{};
    if (dladdr(reinterpret_cast<void*>(&RuntimeLoadPlugin), &info) == 0 || !info.dli_fname)
        return ".";
    const std::string library = info.dli_fname;
    const auto slash = library.rfind('/');
    return slash == std::string::npos ? "." : library.substr(0, slash);
}
} // namespace

void RuntimeLoadPlugin(const std::string& file_name) {
    auto& plugin = State();
    const std::string path = FrameworkFolder() + "/" + file_name;
    void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle) StartupFailure("cannot load " + file_name + ": " + dlerror());
    void* lookup = dlsym(handle, APPEARANCE_CONTROLS_LOOKUP);
    if (!lookup)
        StartupFailure(file_name + " is not the appearance-controls plug-in: " + dlerror());
    // The module stays loaded for the rest of the run: its widgets live until exit.
    plugin.file_name = file_name;
    plugin.lookup = reinterpret_cast<AppearanceLookup>(lookup);
}

void RuntimeForgetPluginForTesting() {
    State() = Plugin{};
}

void** RuntimeAllocatePluginEntrypointsTable(std::size_t count) {
    State().table.assign(count, nullptr);
    return State().table.data();
}

void* RuntimeLookupPluginEntrypoint(const std::string& name) {
    const auto lookup = State().lookup;
    return lookup ? lookup(name.c_str()) : nullptr;
}

void** PluginEntrypoints() {
    return State().table.data();
}

std::size_t PluginEntrypointCount() {
    return State().table.size();
}

void ResolvePluginClasses() {
    const auto& plugin = State();
    const std::string module = plugin.file_name.empty() ? "the plug-in" : plugin.file_name;
    for (std::size_t i = 0; i < std::size(kPluginEntryNames); ++i)
        if (i >= plugin.table.size() || !plugin.table[i])
            StartupFailure(module + " has no member \"" + kPluginEntryNames[i] + "\"");
}

void* PluginEntry(std::string_view name) {
    const auto& table = State().table;
    for (std::size_t i = 0; i < std::size(kPluginEntryNames); ++i) {
        if (name != kPluginEntryNames[i]) continue;
        if (i >= table.size() || !table[i]) throw NilObjectException(std::string(name));
        return table[i];
    }
    throw RuntimeException("no plug-in member " + std::string(name));
}
