#pragma once
// The appearance-controls plug-in: a module in the package's Frameworks folder whose
// members are reached only through the entry table that start-up fills.

#include <cstddef>
#include <string>
#include <string_view>

// Loads the module by file name from the folder of the framework library. A missing
// module ends start-up with one line on stderr and exit status 1.
void RuntimeLoadPlugin(const std::string& file_name);
// Allocates the entry table; returns its address.
void** RuntimeAllocatePluginEntrypointsTable(std::size_t count);
// The module's entry for a member name, nullptr when it has none.
void* RuntimeLookupPluginEntrypoint(const std::string& name);
// The table start-up filled, and its size.
void** PluginEntrypoints();
std::size_t PluginEntrypointCount();

// Tests: forgets the module and the entry table, as before RuntimeLoadPlugin. The module
// stays mapped: widgets it made may still be alive.
void RuntimeForgetPluginForTesting();

// The 70 member names in their table order.
extern const char* const kPluginEntryNames[70];

// The glue's way to a member: its entry in the table, at the index of `name` in
// kPluginEntryNames. Raises NilObjectException when the table holds no entry there.
void* PluginEntry(std::string_view name);
template <class F> F PluginEntryAs(std::string_view name) {
    return reinterpret_cast<F>(PluginEntry(name));
}
