#pragma once

// Addresses a hostile or broken update server might name in an "UPDATED"
// reply: none of them may be opened.

#include <string>
#include <vector>

namespace lirabo::test {

using namespace std::string_literals;

inline const std::vector<std::string> kHostileAddresses = {
    "file:///etc/passwd",
    "  javascript:alert(1)\r\n",
    "/usr/bin/xterm",
    "xterm -e sh",
    "javascript:alert(1)",
    "JavaScript:alert(document.cookie)",
    "data:text/html,<script>alert(1)</script>",
    "vbscript:msgbox(1)",
    "ftp://example.org/setup.exe",
    "smb://server/share/setup.exe",
    "mailto:someone@example.org",
    "C:\\Windows\\System32\\calc.exe",
    "\\\\server\\share\\setup.exe",
    "./setup.sh",
    "~/bin/run",
    "http:/example.org",
    "http:example.org",
    "http://",
    "https:///etc/passwd",
    "http://exa mple.org/",
    "http://example.org/\0file:///etc/passwd"s,
    "http://example.org/\nfile:///etc/passwd",
    "\x01http://example.org/",
    "http://ex\xE4mple.org/",
    "http://" + std::string(2100, 'a') + ".org/",
};

}  // namespace lirabo::test
