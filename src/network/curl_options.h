#pragma once

#include <curl/curl.h>

#include <type_traits>

#include "network/curl_library.h"

namespace lirabo::network {

// Sets the options of one easy handle and remembers whether any was
// refused, so that a transfer is set up in one go and then either runs as
// set up or not at all. A libcurl too old for an option, or built without
// the part it belongs to, answers with an error, and curl then runs with
// its default: for the protocol restriction that default is every protocol
// it knows.
class TCurlOptions {
public:
    TCurlOptions(const TCurlLibrary& Library, CURL* Curl) : FLibrary(Library), FCurl(Curl) {}

    // An option the transfer depends on; a refusal fails the setup.
    template <class T>
    void Require(CURLoption Option, T Value)
    {
        if (FLibrary.easy_setopt(FCurl, Option, Checked(Value)) != CURLE_OK && FRefused == CURLOPT_LASTENTRY)
            FRefused = Option;
    }

    // An option that only helps (a buffer size); a refusal changes nothing
    // that matters.
    template <class T>
    void Offer(CURLoption Option, T Value)
    {
        FLibrary.easy_setopt(FCurl, Option, Checked(Value));
    }

    // Adds a line to a header list; a list that cannot grow fails the setup
    // and is kept as it was, so that it can still be freed.
    void Append(curl_slist*& List, const char* Line)
    {
        if (curl_slist* longer = FLibrary.slist_append(List, Line))
            List = longer;
        else if (FRefused == CURLOPT_LASTENTRY)
            FRefused = CURLOPT_HTTPHEADER;
    }

    bool Complete() const { return FRefused == CURLOPT_LASTENTRY; }
    // The first option refused; CURLOPT_LASTENTRY when none was.
    CURLoption Refused() const { return FRefused; }

private:
    // curl reads each value as a long, a pointer or a curl_off_t by the
    // option's kind; an int or a bool passed through the ellipsis would be
    // read as something else.
    template <class T>
    static T Checked(T Value)
    {
        static_assert(std::is_same_v<T, long> || std::is_same_v<T, curl_off_t> || std::is_pointer_v<T>,
                      "curl options take a long, a curl_off_t or a pointer");
        return Value;
    }

    const TCurlLibrary& FLibrary;
    CURL* FCurl;
    CURLoption FRefused = CURLOPT_LASTENTRY;
};

}  // namespace lirabo::network
