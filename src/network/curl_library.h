#pragma once

#include <curl/curl.h>

namespace lirabo::network {

// libcurl, loaded when the first download starts rather than with the
// program: it brings some twenty libraries of its own (TLS, LDAP, SSH, ...)
// that would otherwise cost every start time and memory for a feature that
// most runs never use. The members are libcurl's functions of the same
// names.
class TCurlLibrary {
public:
    // The loaded and initialised library, or nullptr when it cannot be
    // loaded (a download then fails as a connection failure). Thread-safe.
    static const TCurlLibrary* Get();

    decltype(&curl_easy_init) easy_init = nullptr;
    decltype(&curl_easy_setopt) easy_setopt = nullptr;
    decltype(&curl_easy_perform) easy_perform = nullptr;
    decltype(&curl_easy_getinfo) easy_getinfo = nullptr;
    decltype(&curl_easy_cleanup) easy_cleanup = nullptr;
    decltype(&curl_slist_append) slist_append = nullptr;
    decltype(&curl_slist_free_all) slist_free_all = nullptr;
    decltype(&curl_free) free = nullptr;
    decltype(&curl_url) url = nullptr;
    decltype(&curl_url_set) url_set = nullptr;
    decltype(&curl_url_get) url_get = nullptr;
    decltype(&curl_url_cleanup) url_cleanup = nullptr;

private:
    decltype(&curl_global_init) global_init = nullptr;
    bool Load();
};

}  // namespace lirabo::network
