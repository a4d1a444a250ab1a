#pragma once
// The framework's exceptions. Handlers never catch them; the dispatcher reports
// whatever escapes a handler (see runtime.h).

#include <memory>
#include <stdexcept>
#include <string>

class RuntimeException : public std::runtime_error {
  public:
    explicit RuntimeException(const std::string& message = "") : std::runtime_error(message) {}
    // The class name shown when the exception is reported.
    virtual std::string ClassName() const { return "RuntimeException"; }
};

class NilObjectException : public RuntimeException {
  public:
    explicit NilObjectException(const std::string& message = "") : RuntimeException(message) {}
    std::string ClassName() const override { return "NilObjectException"; }
};

class IOException : public RuntimeException {
  public:
    IOException(int error_number, const std::string& message)
        : RuntimeException(message), error_number_(error_number) {}
    std::string ClassName() const override { return "IOException"; }
    // The errno of the failed call.
    int ErrorNumber() const { return error_number_; }

  private:
    int error_number_;
};

// A use of nil throws where the program would have used it.
template <class T> T& NotNil(const std::shared_ptr<T>& object) {
    if (!object) throw NilObjectException();
    return *object;
}
