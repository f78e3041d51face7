#pragma once

#include <cstdlib>
#include <optional>
#include <string>

namespace lirabo::test {

// Sets (or, with no value, unsets) an environment variable for the life of
// the object, then puts back what was there.
class TScopedEnvironment {
public:
    TScopedEnvironment(const char* Name, std::optional<std::string> Value) : FName(Name)
    {
        if (const char* old = std::getenv(Name))
            FOld = old;
        Set(Value);
    }
    ~TScopedEnvironment() { Set(FOld); }
    TScopedEnvironment(const TScopedEnvironment&) = delete;
    TScopedEnvironment& operator=(const TScopedEnvironment&) = delete;

private:
    void Set(const std::optional<std::string>& Value)
    {
        if (Value)
            ::setenv(FName, Value->c_str(), 1);
        else
            ::unsetenv(FName);
    }

    const char* FName;
    std::optional<std::string> FOld;
};

}  // namespace lirabo::test
