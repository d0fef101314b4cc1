// Fixes the ANSI code page through TARVEL_ACP while it lives and puts the
// variable back afterwards, so tests do not depend on the machine's locale.
#pragma once

#include <cstdlib>
#include <optional>
#include <string>

namespace tarvel::test {

class AnsiPage {
  public:
    explicit AnsiPage(const char* value) {
        if (const char* old = std::getenv("TARVEL_ACP"))
            Saved = old;
        ::setenv("TARVEL_ACP", value, 1);
    }
    ~AnsiPage() {
        if (Saved)
            ::setenv("TARVEL_ACP", Saved->c_str(), 1);
        else
            ::unsetenv("TARVEL_ACP");
    }
    AnsiPage(const AnsiPage&) = delete;
    AnsiPage& operator=(const AnsiPage&) = delete;

  private:
    std::optional<std::string> Saved;
};

} // namespace tarvel::test
