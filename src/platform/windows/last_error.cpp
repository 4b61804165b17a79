// The Windows side of the layer is kernel32 itself; only the error text
// needs code of our own.
#include "../computer_name.h"

std::string LastErrorMessage() {
    const DWORD code = GetLastError();
    char text[512];
    DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0, text,
                                  sizeof text, nullptr);
    while (length > 0 && (text[length - 1] == '\r' || text[length - 1] == '\n')) {
        --length;
    }
    if (length == 0) {
        return "system error " + std::to_string(code);
    }
    return {text, length};
}
