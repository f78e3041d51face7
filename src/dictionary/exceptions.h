#pragma once

#include <stdexcept>
#include <string>

namespace lirabo {

// The silent abort: a rejected dictionary, an exact search without a match,
// a relation request without relation data. Callers in the GUI show nothing
// for it. what() is empty unless a subclass carries a diagnostic reason.
class EAbort : public std::exception {
public:
    const char* what() const noexcept override { return ""; }
};

// A dictionary whose structure cannot be right. Still an EAbort, so the
// GUI stays silent about it, but tools can print the reason.
class EInvalidDictionary : public EAbort {
public:
    explicit EInvalidDictionary(std::string Reason) : FReason(std::move(Reason)) {}
    const char* what() const noexcept override { return FReason.c_str(); }

private:
    std::string FReason;
};

// A whole-dictionary scan stopped through its TScanControl. An EAbort: the
// search found nothing, and nobody is told of a failure.
class EScanStopped : public EAbort {};

// A read that could not deliver every byte it was asked for.
class EReadError : public std::runtime_error {
public:
    EReadError() : std::runtime_error("Stream read error") {}
};

// A file that could not be opened; the message names the file and the reason.
class EFOpenError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A failure reported by libbz2; what() is the code's name ("BZ_DATA_ERROR").
class EBzip2Error : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

}  // namespace lirabo
