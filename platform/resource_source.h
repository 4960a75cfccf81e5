#pragma once

namespace tessalo {

class PeModule;

// The one module from which by-name loads of standard resources are served. Null stands for the
// program's own resources.
class ResourceSource {
  public:
    const PeModule* current() const { return current_; }
    bool isProgramOwn() const { return current_ == nullptr; }

  private:
    friend class ResourceSourceScope;
    const PeModule* current_ = nullptr;
};

// Makes a module the resource source for as long as it lives, then puts back what was there, so no
// path out of a module's user leaves the source pointing at a released module.
class ResourceSourceScope {
  public:
    ResourceSourceScope(ResourceSource& source, const PeModule& module)
        : source_(source), previous_(source.current_) {
        source_.current_ = &module;
    }
    ~ResourceSourceScope() { source_.current_ = previous_; }
    ResourceSourceScope(const ResourceSourceScope&) = delete;
    ResourceSourceScope& operator=(const ResourceSourceScope&) = delete;

  private:
    ResourceSource& source_;
    const PeModule* previous_;
};

} // namespace tessalo
