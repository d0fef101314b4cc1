// A Dialogs double for tests: records every request in order and answers
// from queues the test fills. An interaction with no scripted answer fails
// the test, so an unexpected dialog never passes unnoticed.
#pragma once

#include "platform/Dialogs.h"

#include <deque>
#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace tarvel::test {

class ScriptedDialogs : public Dialogs {
  public:
    using Request = std::variant<MessageRequest, OpenFileRequest, SaveFileRequest, InputRequest>;

    // Answers for the next Yes/No boxes; OK boxes need no answer.
    std::deque<MessageAnswer> Answers;
    // Answers for the next file dialogs and inputs; nothing means Cancel.
    std::deque<std::optional<std::u16string>> OpenAnswers;
    std::deque<std::optional<std::u16string>> SaveAnswers;
    std::deque<std::optional<std::u16string>> InputAnswers;

    std::vector<Request> Requests;

    MessageAnswer ShowMessage(const MessageRequest& request) override;
    std::optional<std::u16string> OpenFile(const OpenFileRequest& request) override;
    std::optional<std::u16string> SaveFile(const SaveFileRequest& request) override;
    std::optional<std::u16string> InputLine(const InputRequest& request) override;

    // The message boxes shown so far, in order.
    std::vector<MessageRequest> Messages() const;
};

} // namespace tarvel::test
