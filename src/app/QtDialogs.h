// The tool's modal interactions served by Qt: message boxes, the open and
// save file dialogs and the one-line input, all owned by the main window.
#pragma once

#include "platform/Dialogs.h"

#include <QString>

class QWidget;

namespace tarvel {

class QtDialogs : public Dialogs {
  public:
    MessageAnswer ShowMessage(const MessageRequest& request) override;
    std::optional<std::u16string> OpenFile(const OpenFileRequest& request) override;
    std::optional<std::u16string> SaveFile(const SaveFileRequest& request) override;
    std::optional<std::u16string> InputLine(const InputRequest& request) override;

  private:
    // The program-wide window, or none while it does not exist yet.
    static QWidget* Owner();

    // Where the open dialog shows when not told otherwise: where it last was.
    QString OpenFolder;
};

} // namespace tarvel
