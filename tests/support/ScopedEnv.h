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
    ScopedEnv(std::string name, const std::string& value) : Name(std::move(name)) {
        if (const char* old = std::getenv(Name.c_str()))
            Old = old;
        ::setenv(Name.c_str(), value.c_str(), 1);
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
