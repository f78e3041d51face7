#include "word_forms/hunspell_library.h"

#include <dlfcn.h>

namespace lirabo {

namespace {

// The soname of the version Debian ships, then the older and newer ones
// with the same C interface.
constexpr const char* kSystemNames[] = {"libhunspell-1.7.so.0",    "libhunspell-1.6.so.0",
                                        "libhunspell-1.8.so.0",    "libhunspell.so",
                                        "libhunspell-1.7.0.dylib", "libhunspell.dylib"};

template <typename T>
bool Bind(void* Handle, const char* Name, T& Entry)
{
    Entry = reinterpret_cast<T>(dlsym(Handle, Name));
    return Entry != nullptr;
}

}  // namespace

THunspellLibrary::THunspellLibrary(std::span<const char* const> Names)
{
    for (const char* name : Names) {
        void* handle = dlopen(name, RTLD_NOW | RTLD_LOCAL);
        if (!handle)
            continue;
        if (Bind(handle, "Hunspell_create", Create) && Bind(handle, "Hunspell_destroy", Destroy) &&
            Bind(handle, "Hunspell_stem", Stem) && Bind(handle, "Hunspell_free_list", FreeList) &&
            Bind(handle, "Hunspell_get_dic_encoding", DictionaryEncoding)) {
            FHandle = handle;
            return;
        }
        dlclose(handle);
    }
    Create = nullptr;
    Destroy = nullptr;
    Stem = nullptr;
    FreeList = nullptr;
    DictionaryEncoding = nullptr;
}

THunspellLibrary::~THunspellLibrary()
{
    if (FHandle)
        dlclose(FHandle);
}

const THunspellLibrary& THunspellLibrary::System()
{
    // Never destroyed: a word-forms object in another static may still hold
    // a dictionary of it while statics are torn down.
    static const THunspellLibrary* library = new THunspellLibrary(kSystemNames);
    return *library;
}

}  // namespace lirabo
