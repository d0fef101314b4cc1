#include "support/ScriptedDialogs.h"

#include <gtest/gtest.h>

namespace tarvel::test {

namespace {

template <typename T> T Next(std::deque<T>& queue, const char* what, T fallback) {
    if (queue.empty()) {
        ADD_FAILURE() << "unscripted " << what;
        return fallback;
    }
    T answer = std::move(queue.front());
    queue.pop_front();
    return answer;
}

} // namespace

MessageAnswer ScriptedDialogs::ShowMessage(const MessageRequest& request) {
    Requests.emplace_back(request);
    if (request.Buttons == MessageButtons::Ok)
        return MessageAnswer::Ok;
    return Next(Answers, "Yes/No message box", MessageAnswer::No);
}

std::optional<std::u16string> ScriptedDialogs::OpenFile(const OpenFileRequest& request) {
    Requests.emplace_back(request);
    return Next(OpenAnswers, "open-file dialog", std::optional<std::u16string>{});
}

std::optional<std::u16string> ScriptedDialogs::SaveFile(const SaveFileRequest& request) {
    Requests.emplace_back(request);
    return Next(SaveAnswers, "save-file dialog", std::optional<std::u16string>{});
}

std::optional<std::u16string> ScriptedDialogs::InputLine(const InputRequest& request) {
    Requests.emplace_back(request);
    return Next(InputAnswers, "input dialog", std::optional<std::u16string>{});
}

std::vector<MessageRequest> ScriptedDialogs::Messages() const {
    std::vector<MessageRequest> messages;
    for (const Request& request : Requests)
        if (const auto* message = std::get_if<MessageRequest>(&request))
            messages.push_back(*message);
    return messages;
}

} // namespace tarvel::test
