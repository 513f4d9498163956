#include "platform/dialogs/common_dialog.h"

#include "platform/forms/application.h"

namespace dialogs {

namespace {
struct ModalScope {
    ModalScope() { ++forms::App().modal_depth; }
    ~ModalScope() { --forms::App().modal_depth; }
};

std::string file_part(const std::string& path) {
    auto slash = path.find_last_of("/\\");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}
}  // namespace

void CommonDialog::SetOption(int dispatch_id, int value) {
    if (dispatch_id == 23) m_option23 = value;
}

void CommonDialog::show(bool save) {
    forms::FileDialogRequest request{save, InitDir, Filter};
    std::optional<std::string> chosen;
    if (auto* host = forms::App().modal_host()) {
        ModalScope scope;
        chosen = host->file_dialog(request);
    }
    if (!chosen || chosen->empty()) {
        FileName.clear();
        FileTitle.clear();
        if (CancelError) throw dialogs::CancelError();
        return;
    }
    FileName = *chosen;
    FileTitle = file_part(*chosen);
}

}  // namespace dialogs
