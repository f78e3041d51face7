#include "network/curl_library.h"

#include <QLibrary>

namespace lirabo::network {

namespace {

template <class T>
bool Resolve(QLibrary& Library, const char* Name, T& Function)
{
    Function = reinterpret_cast<T>(Library.resolve(Name));
    return Function != nullptr;
}

}  // namespace

bool TCurlLibrary::Load()
{
    // The major version is the library's interface version (libcurl.so.4
    // on Linux); the loaded library stays for the rest of the run.
    QLibrary library(QStringLiteral("curl"), 4);
    if (!library.load()) {
        library.setFileName(QStringLiteral("curl"));
        if (!library.load())
            return false;
    }
    const bool all = Resolve(library, "curl_global_init", global_init) &&
                     Resolve(library, "curl_easy_init", easy_init) &&
                     Resolve(library, "curl_easy_setopt", easy_setopt) &&
                     Resolve(library, "curl_easy_perform", easy_perform) &&
                     Resolve(library, "curl_easy_getinfo", easy_getinfo) &&
                     Resolve(library, "curl_easy_cleanup", easy_cleanup) &&
                     Resolve(library, "curl_slist_append", slist_append) &&
                     Resolve(library, "curl_slist_free_all", slist_free_all) &&
                     Resolve(library, "curl_free", free) && Resolve(library, "curl_url", url) &&
                     Resolve(library, "curl_url_set", url_set) && Resolve(library, "curl_url_get", url_get) &&
                     Resolve(library, "curl_url_cleanup", url_cleanup);
    return all && global_init(CURL_GLOBAL_DEFAULT) == CURLE_OK;
}

const TCurlLibrary* TCurlLibrary::Get()
{
    // Made once, by whichever thread comes first.
    static const TCurlLibrary* const library = [] {
        static TCurlLibrary loaded;
        return loaded.Load() ? &loaded : nullptr;
    }();
    return library;
}

}  // namespace lirabo::network
