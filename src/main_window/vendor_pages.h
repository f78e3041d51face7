#pragma once

namespace lirabo {

// The maker's support address; the maker's pages are settings with
// built-in defaults.
constexpr const char* kSupportEmail = "support@kestrune.com";

}  // namespace lirabo
