#include "generators/UpdaterIniMessages.h"

namespace tarvel {

std::u16string UpdateUrlMessage() {
    std::u16string text = u"Please enter the correct URL of Update Information File (location of "
                          u"the \"update.txt\" file at your website).\r\n\r\nExample: ";
    text += kExampleUpdateUrl;
    text += u"\r\n\r\nYou should create this file (click the button \"Create Update.txt\") and "
            u"then upload it at your website.\r\n\r\nNote: For test purpose (without uploading "
            u"\"Update.txt\" at your site) you can specify \"Update.txt\" in this field and save "
            u"this file in the main exe folder.";
    return text;
}

std::u16string CannotCreateUpdaterIniMessage(std::u16string_view iniPath) {
    std::u16string text = u"Cannot create file:\r\n";
    text += iniPath;
    text += u"\r\nAccess denied.\r\nTry to launch this file with Administrator privileges.";
    return text;
}

std::u16string UpdaterIniSuccessMessage(std::u16string_view targetFolder) {
    std::u16string text =
        u"Success.\r\n\r\nFiles \"Updater.exe\" and \"Updater.ini\" are created in: \r\n";
    text += targetFolder;
    return text;
}

} // namespace tarvel
