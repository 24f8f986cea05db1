// The shared shape of the resource registries: one process-wide registry per resource class,
// a function-local static built on the first GetInstance and destroyed at exit in reverse
// order of creation. A registry derives from CResourceRegistry<itself> (a registry with a
// private constructor befriends CResourceRegistry<itself>), keeps a CResourceTable<T> as its
// name table and its side tables beside it, and fills them from Load and Create through
// CResourceTable::FindOrAdd. Its destructor calls DeleteAll on the name table before it
// releases device objects of its own.
#pragma once

template <typename Registry>
class CResourceRegistry {
  public:
    static Registry* GetInstance() {
        static Registry instance;
        return &instance;
    }

  protected:
    CResourceRegistry() = default;
    ~CResourceRegistry() = default;
    CResourceRegistry(const CResourceRegistry&) = delete;
    CResourceRegistry& operator=(const CResourceRegistry&) = delete;
};
