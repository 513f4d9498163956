#include "app/view/file_dialog_window.h"

#include <FL/Fl.H>
#include <FL/Fl_Button.H>
#include <FL/Fl_Choice.H>
#include <FL/Fl_File_Browser.H>
#include <FL/Fl_Input.H>
#include <FL/Fl_Output.H>
#include <FL/filename.H>

#include <cstdlib>
#include <system_error>

#include "app/view/box_host.h"
#include "app/view/chooser_pattern.h"
#include "app/view/view_context.h"
#include "platform/loop/loop.h"

namespace view {

namespace fs = std::filesystem;

namespace {

constexpr int kWidth = 480, kHeight = 340;
constexpr int kMargin = 10, kRow = 24, kGap = 6, kLabel = 84, kButton = 80;

// The filters as the chooser's pattern list gives them: "description (glob)" each.
void ReadFilters(const std::string& filter, std::vector<std::string>& labels,
                 std::vector<std::string>& globs) {
    std::string patterns = ChooserPattern(filter);
    if (patterns.empty()) patterns = "All Files (*)";
    std::size_t start = 0;
    for (;;) {
        std::size_t tab = patterns.find('\t', start);
        std::string one = patterns.substr(start, tab == std::string::npos ? tab : tab - start);
        std::size_t open = one.rfind('(');
        std::string glob = open == std::string::npos ? "*" : one.substr(open + 1);
        if (!glob.empty() && glob.back() == ')') glob.pop_back();
        // A slash, a backslash, '&' or '_' would mean something to the toolkit's menu.
        std::string label;
        for (char c : one) {
            if (c == '/' || c == '\\' || c == '&' || c == '_') label += '\\';
            label += c;
        }
        labels.push_back(label);
        globs.push_back(glob.empty() ? "*" : glob);
        if (tab == std::string::npos) break;
        start = tab + 1;
    }
}

ScreenFont DialogFont(FontBook& fonts) {
    return fonts.get("MS Sans Serif", 8.25);
}

template <class W>
W* Styled(W* widget, ScreenFont font) {
    widget->labelfont(font.font);
    widget->labelsize(font.size);
    return widget;
}

}  // namespace

FileDialogWindow::FileDialogWindow(const forms::FileDialogRequest& request, FontBook& fonts,
                                   bool interactive, BoxHost& boxes)
    : BoxWindow(kWidth, kHeight, request.save ? "Save As" : "Open", interactive),
      m_boxes(boxes),
      m_save(request.save),
      m_title(request.save ? "Save As" : "Open") {
    ScreenFont font = DialogFont(fonts);
    ReadFilters(request.filter, m_type_labels, m_globs);
    begin();
    const int right = kWidth - kMargin;
    int x = kMargin + kLabel;
    int where_right = right - 40 - kGap - (m_save ? kButton + kGap : 0);
    m_where = Styled(new Fl_Output(x, kMargin, where_right - x, kRow, "Look in:"), font);
    m_where->textfont(font.font);
    m_where->textsize(font.size);
    m_where->clear_visible_focus();
    auto* up = Styled(new Fl_Button(where_right + kGap, kMargin, 40, kRow, "Up"), font);
    up->tooltip("the folder that holds this one");
    up->callback(
        [](Fl_Widget*, void* self) {
            auto* dialog = static_cast<FileDialogWindow*>(self);
            dialog->show_folder(fs::path(dialog->m_folder).parent_path());
        },
        this);
    if (m_save) {
        auto* make =
            Styled(new Fl_Button(right - kButton, kMargin, kButton, kRow, "&New Folder"), font);
        make->callback(
            [](Fl_Widget*, void* self) { static_cast<FileDialogWindow*>(self)->new_folder(); },
            this);
    }
    const int list_y = kMargin + kRow + kGap;
    const int name_y = kHeight - kMargin - 2 * kRow - kGap;
    const int type_y = kHeight - kMargin - kRow;
    m_list = new Fl_File_Browser(kMargin, list_y, kWidth - 2 * kMargin, name_y - kGap - list_y);
    m_list->type(FL_HOLD_BROWSER);
    m_list->filetype(Fl_File_Browser::FILES);
    m_list->textfont(font.font);
    m_list->textsize(font.size);
    m_list->iconsize(0);
    m_list->when(FL_WHEN_RELEASE_ALWAYS);
    m_list->callback([](Fl_Widget*, void* self) { static_cast<FileDialogWindow*>(self)->picked(); },
                     this);
    const int field_right = right - kButton - kGap;
    m_name = Styled(new Fl_Input(x, name_y, field_right - x, kRow, "File name:"), font);
    m_name->textfont(font.font);
    m_name->textsize(font.size);
    m_name->when(FL_WHEN_ENTER_KEY_ALWAYS);
    m_name->callback(
        [](Fl_Widget*, void* self) {
            auto* dialog = static_cast<FileDialogWindow*>(self);
            dialog->take(dialog->m_name->value());
        },
        this);
    m_types = Styled(new Fl_Choice(x, type_y, field_right - x, kRow, "Files of type:"), font);
    m_types->textfont(font.font);
    m_types->textsize(font.size);
    for (const std::string& label : m_type_labels) m_types->add(label.c_str());
    m_types->value(0);
    m_types->callback(
        [](Fl_Widget*, void* self) { static_cast<FileDialogWindow*>(self)->filter_chosen(); },
        this);
    auto* ok = Styled(
        new Fl_Button(right - kButton, name_y, kButton, kRow, m_save ? "Save" : "Open"), font);
    ok->callback([](Fl_Widget*, void* self) { static_cast<FileDialogWindow*>(self)->accept(); },
                 this);
    auto* cancel_button =
        Styled(new Fl_Button(right - kButton, type_y, kButton, kRow, "Cancel"), font);
    cancel_button->callback(
        [](Fl_Widget*, void* self) { static_cast<FileDialogWindow*>(self)->cancel(); }, this);
    end();
    set_focus(m_name);

    std::error_code ec;
    fs::path first =
        request.init_dir.empty() ? fs::current_path(ec) : fs::path(ScreenText(request.init_dir));
    if (!fs::is_directory(first, ec)) first = fs::current_path(ec);
    m_list->filter(m_globs.front().c_str());
    show_folder(first);
}

void FileDialogWindow::show_folder(const fs::path& folder) {
    std::error_code ec;
    fs::path shown = fs::absolute(folder, ec).lexically_normal();
    if (shown.has_relative_path() && shown.filename().empty()) shown = shown.parent_path();
    if (!fs::is_directory(shown, ec)) return;
    m_folder = shown.string();
    m_where->value(m_folder.c_str());
    // The toolkit lists a folder given with its closing slash.
    std::string listed = m_folder;
    if (listed.empty() || listed.back() != '/') listed += '/';
    m_list->load(listed.c_str(), fl_casenumericsort);
    // The folder itself is not among the entries: only what it holds, and the way up.
    for (int i = m_list->size(); i >= 1; --i)
        if (std::string(m_list->text(i)) == "./") m_list->remove(i);
    redraw();
}

void FileDialogWindow::filter_chosen() {
    int chosen = m_types->value();
    if (chosen < 0 || static_cast<std::size_t>(chosen) >= m_globs.size()) return;
    m_list->filter(m_globs[static_cast<std::size_t>(chosen)].c_str());
    show_folder(m_folder);
}

std::string FileDialogWindow::highlighted() const {
    int index = m_list->value();
    return index > 0 ? m_list->text(index) : "";
}

void FileDialogWindow::picked() {
    std::string entry = highlighted();
    if (entry.empty()) return;
    bool folder = entry.back() == '/';
    if (Fl::event_clicks() > 0 && Fl::event() == FL_RELEASE) {
        // A double click opens a folder, or takes a file.
        Fl::event_clicks(0);
        take(entry);
        return;
    }
    if (!folder) m_name->value(entry.c_str());
}

void FileDialogWindow::take(const std::string& typed) {
    if (m_asking || typed.empty()) return;
    fs::path path(typed);
    if (typed == "~" || typed.rfind("~/", 0) == 0)
        if (const char* home = std::getenv("HOME"))
            path = fs::path(home) / typed.substr(typed.size() > 1 ? 2 : 1);
    if (path.is_relative()) path = fs::path(m_folder) / path;
    path = path.lexically_normal();
    std::error_code ec;
    if (fs::is_directory(path, ec)) {
        show_folder(path);
        m_name->value("");
        return;
    }
    if (!m_save && !fs::exists(path, ec)) {
        ask("Please choose an existing file!", false, nullptr);
        return;
    }
    if (m_save && !fs::is_directory(path.parent_path(), ec)) {
        ask("Please choose an existing folder!", false, nullptr);
        return;
    }
    m_answer = path.string();
    finish();
}

void FileDialogWindow::new_folder() {
    if (m_asking) return;
    ask("New Directory?", true, [this](const std::optional<std::string>& name) {
        if (!name || name->empty()) return;
        fs::path path(ScreenText(*name));
        if (path.is_relative()) path = fs::path(m_folder) / path;
        std::error_code ec;
        if (!fs::create_directory(path, ec) && !fs::is_directory(path, ec)) {
            ask("Unable to create directory!", false, nullptr);
            return;
        }
        show_folder(path);
    });
}

void FileDialogWindow::ask(std::string prompt, bool input,
                           std::function<void(const std::optional<std::string>&)> then) {
    m_asking = true;
    // Called from the toolkit's side, inside the program's wait: the box opens in the program's
    // next round, as any box does. Its answer is taken as it is given, also while a handler
    // that runs inside the box's wait goes on.
    auto answered = [this, then = std::move(then)](const std::optional<std::string>& answer) {
        m_asking = false;
        // Back in the dialog, a name typed replaces the one the box was about.
        m_name->position(m_name->size(), 0);
        if (then) then(answer);
    };
    loop::EventLoop::instance().post(
        [this, prompt = std::move(prompt), input, answered = std::move(answered)] {
            if (input)
                m_boxes.input_box({prompt, m_title, ""}, answered);
            else
                m_boxes.message_box({prompt, m_title, forms::vbOKOnly | forms::vbExclamation},
                                    [answered](int) { answered(std::nullopt); });
        });
}

void FileDialogWindow::accept() {
    // Enter in the list takes the entry highlighted there, as a double click does.
    std::string entry = Fl::focus() == m_list ? highlighted() : "";
    take(entry.empty() ? std::string(m_name->value()) : entry);
}

bool FileDialogWindow::cancel() {
    if (m_asking) return false;
    m_answer.reset();
    finish();
    return true;
}

}  // namespace view
