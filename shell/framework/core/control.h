#pragma once
// A control of a window: registered under its name, built from a property list.

#include "shell/framework/core/object.h"
#include "shell/framework/core/property_list.h"

#include <memory>
#include <string>

class Window;

class Control : public Object {
  public:
    const std::string& Name() const { return name_; }
    void SetName(std::string name) { name_ = std::move(name); }
    // The owning window; held weakly so that a control never keeps its window alive.
    std::shared_ptr<Window> TrueWindow() const { return window_.lock(); }
    void SetWindow(const std::shared_ptr<Window>& window) { window_ = window; }

    // Applies each entry of the list through SetProperty, in order.
    virtual void SetProperties(const PropertyList& list);
    // One named property; an unknown name raises RuntimeException.
    virtual void SetProperty(const std::string& name, const PropertyValue& value);

    // Raised once after the window has created every control, before the window's Open.
    virtual void RaiseOpen() {}

  private:
    std::string name_;
    std::weak_ptr<Window> window_;
};
