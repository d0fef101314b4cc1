#include "integration/WebLinks.h"

#include "core/ProductSettings.h"

namespace tarvel {

namespace {

bool startsWithIgnoringAsciiCase(std::u16string_view text, std::u16string_view prefix) {
    if (text.size() < prefix.size())
        return false;
    for (size_t i = 0; i < prefix.size(); ++i) {
        char16_t c = text[i];
        if (c >= u'A' && c <= u'Z')
            c = c - u'A' + u'a';
        if (c != prefix[i])
            return false;
    }
    return true;
}

} // namespace

std::u16string HelpPageUrl() {
    return std::u16string(kProductSiteUrl) + u"/how-to-use.html?vid=5.2";
}

std::u16string MoreInfoPageUrl() {
    return std::u16string(kProductSiteUrl) + u"/update-information-file.html";
}

void OpenProductSite(Shell& shell) {
    shell.OpenAddress(kProductSiteUrl);
}

void OpenHelpPage(Shell& shell) {
    shell.OpenAddress(HelpPageUrl());
}

void OpenMoreInfoPage(Shell& shell) {
    shell.OpenAddress(MoreInfoPageUrl());
}

bool IsWebAddress(std::u16string_view text) {
    for (std::u16string_view scheme : {u"http://", u"https://"}) {
        if (startsWithIgnoringAsciiCase(text, scheme) && text.size() > scheme.size())
            return true;
    }
    return false;
}

void OpenUpdateAddress(std::u16string_view address, std::u16string_view caption, Shell& shell,
                       Dialogs& dialogs) {
    if (address.empty())
        return;
    if (!IsWebAddress(address)) {
        MessageRequest request;
        request.Caption = std::u16string(caption);
        request.Text = std::u16string(kOnlyWebAddressesText);
        request.Icon = MessageIcon::Warning;
        dialogs.ShowMessage(request);
        return;
    }
    shell.OpenAddress(address);
}

} // namespace tarvel
