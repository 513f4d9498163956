#include "platform/forms/modal.h"

#include "platform/forms/application.h"
#include "platform/text/text.h"

namespace forms {

namespace {
// Counts an open box for as long as it is open, also when the program ends inside it.
struct ModalScope {
    ModalScope() { ++App().modal_depth; }
    ~ModalScope() { --App().modal_depth; }
};
}  // namespace

int MsgBox(const std::string& text, int style, const std::string& title) {
    MessageBoxRequest request{text, title.empty() ? App().title : title, style};
    ModalHost* host = App().modal_host();
    if (!host) return (style & 7) == vbYesNo ? vbNo : (style & 7) == vbOKCancel ? vbCancel : vbOK;
    ModalScope scope;
    return host->message_box(request);
}

std::string InputBox(const std::string& prompt, const std::string& title,
                     const std::string& default_text) {
    InputBoxRequest request{prompt, title.empty() ? App().title : title, default_text};
    ModalHost* host = App().modal_host();
    if (!host) return "";
    ModalScope scope;
    // The answer comes back as the platform's box gives it, a C string.
    return text::UpToNul(host->input_box(request).value_or(""));
}

bool modal_open() {
    return App().modal_depth > 0;
}

}  // namespace forms
