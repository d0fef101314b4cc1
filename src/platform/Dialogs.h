// The modal interactions of the tool: message boxes, the open and save file
// dialogs and the one-line input. Every operation reaches the user through
// this interface, so the window serves them with real dialogs and the tests
// answer them from a script.
#pragma once

#include <optional>
#include <string>

namespace tarvel {

enum class MessageIcon { None, Information, Warning, Error, Question };
enum class MessageButtons { Ok, YesNo };
enum class MessageAnswer { Ok, Yes, No };

struct MessageRequest {
    std::u16string Caption;
    std::u16string Text;
    MessageIcon Icon = MessageIcon::None;
    MessageButtons Buttons = MessageButtons::Ok;
};

struct OpenFileRequest {
    // Empty: the dialog keeps the folder it last had.
    std::u16string InitialFolder;
};

struct SaveFileRequest {
    // The file name the dialog proposes (no folder).
    std::u16string FileName;
};

struct InputRequest {
    std::u16string Caption;
    std::u16string Prompt;
    std::u16string Initial;
};

class Dialogs {
  public:
    virtual ~Dialogs() = default;

    virtual MessageAnswer ShowMessage(const MessageRequest& request) = 0;
    // The chosen existing file's full path, or nothing when cancelled.
    virtual std::optional<std::u16string> OpenFile(const OpenFileRequest& request) = 0;
    // The chosen file's full path, or nothing when cancelled.
    virtual std::optional<std::u16string> SaveFile(const SaveFileRequest& request) = 0;
    // The entered text, or nothing when cancelled.
    virtual std::optional<std::u16string> InputLine(const InputRequest& request) = 0;
};

} // namespace tarvel
