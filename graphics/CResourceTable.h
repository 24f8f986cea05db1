// The name table of a resource registry: resource name -> owning pointer, looked up by plain
// byte comparison of names. A value may be null while a device-bound object is released;
// entries are never removed. At exit every live object is deleted once, in key order.
#pragma once

#include <map>
#include <string>

template <typename T>
class CResourceTable {
  public:
    CResourceTable() = default;
    ~CResourceTable() { DeleteAll(); }
    CResourceTable(const CResourceTable&) = delete;
    CResourceTable& operator=(const CResourceTable&) = delete;

    // The object of `name`, or null when the name is absent or its object is released.
    // Never creates an entry.
    T* Get(const std::string& name) const {
        auto found = entries.find(name);
        return found == entries.end() ? nullptr : found->second;
    }

    bool Contains(const std::string& name) const { return entries.count(name) != 0; }

    // The object of `name`. On the first request for the name, `make()` builds it (even a
    // failed load stays), it is inserted, and then `addSideEntries()` fills the registry's
    // side tables for the name, so that every table holds the name from then on.
    template <typename Make, typename AddSideEntries>
    T* FindOrAdd(const std::string& name, Make make, AddSideEntries addSideEntries) {
        auto found = entries.find(name);
        if (found != entries.end()) {
            return found->second;
        }
        T* object = make();
        entries.emplace(name, object);
        addSideEntries();
        return object;
    }

    // Deletes every live object in key order and leaves its entry null. Registries call it
    // first in their destructors, before they release their own device objects.
    void DeleteAll() {
        for (auto& [name, object] : entries) {
            if (object) {
                T* doomed = object;
                object = nullptr;
                delete doomed;
            }
        }
    }

    std::map<std::string, T*> entries;
};
