#include "app/ErrorBox.h"

#include "core/Captions.h"
#include "platform/Error.h"
#include "platform/Unicode.h"

#include <exception>

namespace tarvel {

std::u16string ErrorBoxText(std::u16string description) {
    if (!description.empty() && description.back() > u'.')
        description += u'.';
    return description;
}

void ShowErrorBox(Dialogs& dialogs, std::u16string description) {
    MessageRequest request;
    request.Caption = std::u16string(kApplicationTitle);
    request.Text = ErrorBoxText(std::move(description));
    request.Icon = MessageIcon::Error;
    dialogs.ShowMessage(request);
}

bool RunGuarded(Dialogs& dialogs, const std::function<void()>& handler) {
    try {
        handler();
        return true;
    } catch (const Exception& error) {
        ShowErrorBox(dialogs, error.message());
    } catch (const std::exception& error) {
        ShowErrorBox(dialogs, U16(error.what()));
    } catch (...) {
        // Letting anything pass into Qt's event loop would end the program.
        ShowErrorBox(dialogs, u"Unknown error");
    }
    return false;
}

} // namespace tarvel
