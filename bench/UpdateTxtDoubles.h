// What the update.txt benchmarks put in place of the user: a save dialog
// that always answers one path, and a window with nothing to focus.
#pragma once

#include "generators/UpdateTxt.h"
#include "platform/Dialogs.h"

#include <optional>
#include <string>

namespace tarvel::bench {

// Answers the save dialog with one fixed path; every message is accepted.
class FixedPathDialogs : public Dialogs {
  public:
    explicit FixedPathDialogs(std::u16string path) : Path(std::move(path)) {}

    // Success messages seen, one per saved file.
    int Saved = 0;

    MessageAnswer ShowMessage(const MessageRequest& request) override {
        if (request.Icon == MessageIcon::Information)
            ++Saved;
        return MessageAnswer::Ok;
    }
    std::optional<std::u16string> OpenFile(const OpenFileRequest&) override { return {}; }
    std::optional<std::u16string> SaveFile(const SaveFileRequest&) override { return Path; }
    std::optional<std::u16string> InputLine(const InputRequest&) override { return {}; }

  private:
    std::u16string Path;
};

class NoWindow : public UpdateTxtWindow {
  public:
    void FocusUpdateUrl() override {}
};

} // namespace tarvel::bench
