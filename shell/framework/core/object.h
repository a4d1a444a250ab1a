#pragma once
// Every framework and program object, and the class records that describe them.

#include <memory>
#include <string>
#include <utility>
#include <vector>

class Object : public std::enable_shared_from_this<Object> {
  public:
    virtual ~Object() = default;
};

enum class Access { Public, Protected, Private };

struct MemberRecord {
    std::string name;
    Access access = Access::Public;
    std::vector<std::pair<std::string, std::string>> attributes = {};
};

struct ClassRecord {
    std::string full_name;
    std::string superclass; // full name; empty for a root class
    std::vector<MemberRecord> members = {};
};

// Registers a class record once; a second registration of the same name is ignored.
void RuntimeRegisterClass(ClassRecord record);
// nullptr when no class of that name is registered.
const ClassRecord* RuntimeFindClass(const std::string& full_name);
// Forgets every record (RuntimeResetForTesting).
void RuntimeForgetClasses();
// True when `full_name` is `ancestor` or one of its subclasses, by the registered records.
bool RuntimeIsSubclass(const std::string& full_name, const std::string& ancestor);

// The framework's class test: the object as a T, or nil when it is not one.
template <class T> std::shared_ptr<T> RuntimeCheckCast(const std::shared_ptr<Object>& object) {
    return std::dynamic_pointer_cast<T>(object);
}
