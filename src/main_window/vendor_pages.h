#pragma once

namespace lirabo {

// The maker's web site, its pages and its support address.
constexpr const char* kWebSite = "http://www.kestrune.com";
constexpr const char* kFeedbackPage = "/lirabo/feedback.php";
constexpr const char* kDictionariesPage = "/lirabo/dictionaries.shtml";
constexpr const char* kLanguagesPage = "/lirabo/languages.shtml";
constexpr const char* kSupportEmail = "support@kestrune.com";

}  // namespace lirabo
