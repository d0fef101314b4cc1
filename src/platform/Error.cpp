#include "platform/Error.h"

#include "platform/Unicode.h"

namespace tarvel {

Exception::Exception(std::u16string message)
    : Message(std::move(message)), Utf8(Utf16ToUtf8(Message)) {}

} // namespace tarvel
