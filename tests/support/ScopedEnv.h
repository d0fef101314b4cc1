// Sets an environment variable for the life of the object and puts the old
// value back afterwards, so that a test can point the known folders at a
// temporary folder.
#pragma once

#include <cstdlib>
#include <optional>
#include <string>

namespace tarvel::test {

class ScopedEnv {
  public:
    ScopedEnv(std::string name, const std::string& value)
        : ScopedEnv(std::move(name), value.c_str()) {}
    // A null value unsets the variable.
    ScopedEnv(std::string name, const char* value) : Name(std::move(name)) {
        if (const char* old = std::getenv(Name.c_str()))
            Old = old;
        if (value)
            ::setenv(Name.c_str(), value, 1);
        else
            ::unsetenv(Name.c_str());
    }
    ~ScopedEnv() {
        if (Old)
            ::setenv(Name.c_str(), Old->c_str(), 1);
        else
            ::unsetenv(Name.c_str());
    }
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

  private:
    std::string Name;
    std::optional<std::string> Old;
};

} // namespace tarvel::test
