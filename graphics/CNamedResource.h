// The static side of a resource class T whose objects its registry owns by name: the class's
// folder and extension, and Load, Create and Get forwarded to the registry. A resource named N
// is read from directory + N + extension, plain concatenation, nothing normalised.
// T derives from CNamedResource<T, TRegistry>; Load and Create exist for T only where the
// registry defines them (a member of a class template is instantiated only when used).
#pragma once

#include <string>
#include <utility>

template <typename T, typename Registry>
class CNamedResource {
  public:
    static void SetDirectory(std::string newDirectory) { directory = std::move(newDirectory); }
    static void SetExtension(std::string newExtension) { extension = std::move(newExtension); }
    static const std::string& Directory() { return directory; }
    static const std::string& Extension() { return extension; }
    static std::string PathOf(const std::string& name) { return directory + name + extension; }

    static T* Load(std::string name) { return Registry::GetInstance()->Load(std::move(name)); }
    static T* Create(int width, int height, std::string name) {
        return Registry::GetInstance()->Create(width, height, std::move(name));
    }
    static T* Get(std::string name) { return Registry::GetInstance()->Get(std::move(name)); }

  private:
    // One pair per resource class; empty until the game's set-up declares them.
    static inline std::string directory;
    static inline std::string extension;
};
