#pragma once
// What a seam has in place: the real implementation, made on first use, until a test
// installs another. Installing nil puts the real one back.

#include <memory>

template <class Interface, class Real> class Seam {
  public:
    void Install(std::shared_ptr<Interface> implementation) {
        installed_ = std::move(implementation);
    }
    Interface& Current() {
        if (!installed_) installed_ = std::make_shared<Real>();
        return *installed_;
    }
    // The one in place, nil when none was installed or made yet.
    Interface* Made() const { return installed_.get(); }

  private:
    std::shared_ptr<Interface> installed_;
};
