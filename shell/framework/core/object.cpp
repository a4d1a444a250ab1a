#include "shell/framework/core/object.h"

#include <map>

namespace {
std::map<std::string, ClassRecord>& Records() {
    static std::map<std::string, ClassRecord> records;
    return records;
}
} // namespace

void RuntimeRegisterClass(ClassRecord record) {
    auto name = record.full_name;
    Records().try_emplace(std::move(name), std::move(record));
}

const ClassRecord* RuntimeFindClass(const std::string& full_name) {
    auto found = Records().find(full_name);
    return found == Records().end() ? nullptr : &found->second;
}

void RuntimeForgetClasses() {
    Records().clear();
}

bool RuntimeIsSubclass(const std::string& full_name, const std::string& ancestor) {
    for (auto* record = RuntimeFindClass(full_name); record;
         record = RuntimeFindClass(record->superclass)) {
        if (record->full_name == ancestor) return true;
    }
    return false;
}
