// Runs tavrel with --view and a short game script on the view's display (see ViewDisplay), and
// reads the pictures that the view writes of its windows: their sizes against the twips of the
// layout, the words in the list, the count-down bar, the room's lines and the input box. A
// picture that is missing fails. Skips only where no display can start or the program was
// built without the view, and not even there under ./run test (TAVREL_VIEW_REQUIRED).
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "tests/support/run_helpers.h"
#include "tests/support/virtual_display.h"

#ifndef TAVREL_HAS_VIEW

TEST(ViewPictures, NeedTheDesktopView) {
    TAVREL_CANNOT_SEE("built without the desktop view");
}

#else

#include <zlib.h>

namespace fs = std::filesystem;

namespace {

using test_support::Shell;
using test_support::ViewDisplay;

struct Picture {
    int width = 0;
    int height = 0;
    std::vector<unsigned char> rgb;

    struct Pixel {
        int r, g, b;
        int luma() const { return (r * 3 + g * 6 + b) / 10; }
    };
    Pixel at(int x, int y) const {
        std::size_t i = (static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                         static_cast<std::size_t>(x)) *
                        3;
        return {rgb[i], rgb[i + 1], rgb[i + 2]};
    }
    // Pixels in the rectangle (pixels, within the picture) that `test` accepts.
    template <class Test>
    int count(int x, int y, int w, int h, Test test) const {
        int n = 0;
        for (int j = y; j < y + h && j < height; ++j)
            for (int i = x; i < x + w && i < width; ++i) n += test(at(i, j)) ? 1 : 0;
        return n;
    }
    // Bands of rows holding dark pixels within the columns: the lines of text shown there.
    int text_bands(int x, int y, int w, int h) const {
        int bands = 0;
        bool in_band = false;
        for (int j = y; j < y + h && j < height; ++j) {
            bool dark = count(x, j, w, 1, [](Pixel p) { return p.luma() < 110; }) > 0;
            if (dark && !in_band) ++bands;
            in_band = dark;
        }
        return bands;
    }
};

std::uint32_t BigEndian(const unsigned char* p) {
    return (std::uint32_t{p[0]} << 24) | (std::uint32_t{p[1]} << 16) | (std::uint32_t{p[2]} << 8) |
           p[3];
}

// The view writes 8-bit RGB pictures whose rows all use filter 0.
std::optional<Picture> ReadPicture(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    std::vector<unsigned char> bytes((std::istreambuf_iterator<char>(in)),
                                     std::istreambuf_iterator<char>());
    if (bytes.size() < 33) return std::nullopt;
    Picture picture;
    std::vector<unsigned char> packed;
    for (std::size_t at = 8; at + 12 <= bytes.size();) {
        std::uint32_t length = BigEndian(&bytes[at]);
        std::string type(bytes.begin() + static_cast<long>(at) + 4,
                         bytes.begin() + static_cast<long>(at) + 8);
        const unsigned char* data = &bytes[at + 8];
        if (type == "IHDR") {
            picture.width = static_cast<int>(BigEndian(data));
            picture.height = static_cast<int>(BigEndian(data + 4));
            if (data[8] != 8 || data[9] != 2) return std::nullopt;
        } else if (type == "IDAT") {
            packed.insert(packed.end(), data, data + length);
        }
        at += 12 + length;
    }
    std::size_t row = static_cast<std::size_t>(picture.width) * 3;
    uLongf size = static_cast<uLongf>((row + 1) * static_cast<std::size_t>(picture.height));
    std::vector<unsigned char> raw(size);
    if (uncompress(raw.data(), &size, packed.data(), static_cast<uLong>(packed.size())) != Z_OK)
        return std::nullopt;
    for (int y = 0; y < picture.height; ++y) {
        const unsigned char* line = &raw[static_cast<std::size_t>(y) * (row + 1)];
        if (line[0] != 0) return std::nullopt;
        picture.rgb.insert(picture.rgb.end(), line + 1, line + 1 + row);
    }
    return picture;
}

// Twips of the layout to pixels at 15 twips per pixel; the menu bar is 285 twips high.
constexpr int Px(int twips) {
    return twips / 15;
}
constexpr int kMenuBar = Px(285);

class ViewPictures : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        if (!ViewDisplay()) return;
        s_folder = fs::temp_directory_path() / ("tavrel-view-" + std::to_string(::getpid()));
        fs::remove_all(s_folder);
        fs::create_directories(s_folder / "pictures");
        std::ofstream(s_folder / "words.log", std::ios::binary)
            << "apple\r\nbanana\r\ncherry\r\ndragonfruit\r\nelderberry\r\nfig\r\ngrape\r\n";
        std::string tests = TAVREL_TEST_DIR;
        std::string asan = std::getenv("ASAN_OPTIONS") ? std::getenv("ASAN_OPTIONS") : "";
        std::string command =
            "DISPLAY=" + Shell(ViewDisplay()) +
            " TAVREL_VIEW_CAPTURE=" + Shell((s_folder / "pictures").string()) +
            " LSAN_OPTIONS=" + Shell("suppressions=" + tests + "/view/leaks.supp") + " " +
            Shell(std::string(TAVREL_BINARY_DIR) + "/bin/tavrel") + " --view --script " +
            Shell(tests + "/view/pictures.script") + " --folder " + Shell(s_folder.string()) +
            " 2>&1";
        const test_support::CommandRun run = test_support::RunCommand(command);
        s_output = run.out;
        s_status = run.status;
    }
    static void TearDownTestSuite() {
        if (!s_folder.empty()) fs::remove_all(s_folder);
    }

    void SetUp() override {
        if (!ViewDisplay()) TAVREL_CANNOT_SEE("no display could start");
        ASSERT_EQ(s_status, 0) << s_output;
    }

    // The picture of a window at a moment of the script; nothing where the view wrote none.
    std::optional<Picture> picture(const std::string& moment, const std::string& window) {
        fs::path path = s_folder / "pictures" / (moment + "-" + window + ".png");
        if (!fs::exists(path)) return std::nullopt;
        auto read = ReadPicture(path);
        EXPECT_TRUE(read) << "unreadable picture " << path;
        return read;
    }

    // The output lines said before the line "camera: MOMENT".
    static int lines_before(const std::string& moment) {
        std::istringstream in(s_output);
        std::string line;
        int count = 0;
        while (std::getline(in, line)) {
            if (line == "camera: " + moment) return count;
            ++count;
        }
        return -1;
    }

    static inline fs::path s_folder;
    static inline std::string s_output;
    static inline int s_status = -1;
};

// A picture that is missing fails the test: the view did not show the window.
#define PICTURE(var, moment, window)                                                      \
    auto var##_read = picture(moment, window);                                            \
    ASSERT_TRUE(var##_read) << "no picture of " window " at " moment << "\n" << s_output; \
    const Picture& var = *var##_read

TEST_F(ViewPictures, WindowsHaveTheirTwipsSizes) {
    struct Case {
        const char* moment;
        const char* window;
        int width, height;
    };
    // Client areas: the splash 6525 x 1500; the main window 2490 x 3795 under its menu bar,
    // unfolded to an outer width of 5070 (5010 inside the borders).
    const Case cases[] = {
        {"splash", "startup", Px(6525), Px(1500)},
        {"idle", "Form4", Px(2490), Px(3795) + kMenuBar},
        {"word2", "Form4", Px(2490), Px(3795) + kMenuBar},
        {"unfolded", "Form4", Px(5070 - 60), Px(3795) + kMenuBar},
    };
    for (const Case& c : cases) {
        auto shot = picture(c.moment, c.window);
        if (!shot) {
            ADD_FAILURE() << "no picture of " << c.window << " at " << c.moment;
            continue;
        }
        EXPECT_EQ(shot->width, c.width) << c.window << " at " << c.moment;
        EXPECT_EQ(shot->height, c.height) << c.window << " at " << c.moment;
    }
}

TEST_F(ViewPictures, ListShowsTheWordsOnceLoaded) {
    PICTURE(before, "idle", "Form4");
    PICTURE(during, "word1", "Form4");
    // List1 at 240, 870, 1910 x 810 twips, inside its border.
    auto text = [](Picture::Pixel p) { return p.luma() < 110; };
    int x = Px(240) + 3, y = kMenuBar + Px(870) + 3, w = Px(1910) - 20, h = Px(810) - 6;
    EXPECT_LT(before.count(x, y, w, h, text), 5) << "the list is empty before loading";
    EXPECT_GE(during.text_bands(x, y, w, h), 3) << "several words show in the list";
}

TEST_F(ViewPictures, CountDownBarGrows) {
    PICTURE(early, "word1", "Form4");
    PICTURE(later, "word2", "Form4");
    // ProgressBar2 inside Frame1: 120 + 120, 600 + 1440, 1910 x 135 twips. Its bar is white
    // (0xFFFFFF) on a black track.
    int x = Px(240), y = kMenuBar + Px(2040), w = Px(1910), h = Px(135);
    auto black = [](Picture::Pixel p) { return p.luma() < 30; };
    auto white = [](Picture::Pixel p) { return p.luma() > 240; };
    ASSERT_GT(early.count(x, y, w, h, black), 0) << "the progress bar draws no track";
    int early_bar = early.count(x, y, w, h, white);
    int later_bar = later.count(x, y, w, h, white);
    EXPECT_GT(later_bar, early_bar) << "the bar grows while the word is out";
}

TEST_F(ViewPictures, MainWindowFoldsOut) {
    PICTURE(folded, "word2", "Form4");
    PICTURE(unfolded, "unfolded", "Form4");
    auto ink = [](Picture::Pixel p) { return p.luma() < 60; };
    // The unfold arrow Label2 (2280, 1200) shows while folded; once unfolded it is hidden and
    // the fold arrow Label7 (4815, 1200) and the scoreboard's frame are in view.
    EXPECT_GT(folded.count(Px(2280), kMenuBar + Px(1200), Px(255), Px(255), ink), 5);
    EXPECT_EQ(unfolded.count(Px(2280), kMenuBar + Px(1200), Px(255), Px(255), ink), 0);
    EXPECT_GT(unfolded.count(Px(4815), kMenuBar + Px(1200), Px(255), Px(375), ink), 5);
    // The scoreboard List2 is white inside its border.
    auto white = [](Picture::Pixel p) { return p.luma() > 240; };
    EXPECT_GT(
        unfolded.count(Px(2640) + 3, kMenuBar + Px(840) + 3, Px(1995) - 6, Px(2760) - 6, white),
        Px(1995) * Px(2760) / 2);
}

TEST_F(ViewPictures, RoomShowsThePostedLines) {
    PICTURE(start, "splash", "room");
    PICTURE(end, "unfolded", "room");
    // The transcript fills the window above the typing line.
    int x = 8, y = 8, w = start.width - 30, h = start.height - 50;
    int said_at_start = lines_before("splash") + 1;
    int said_at_end = lines_before("unfolded") + 1;
    ASSERT_GT(said_at_start, 0);
    EXPECT_GE(start.text_bands(x, y, w, h), said_at_start);
    EXPECT_GE(end.text_bands(x, y, w, h), std::min(said_at_end, h / 16));
    EXPECT_GT(end.text_bands(x, y, w, h), start.text_bands(x, y, w, h));
}

TEST_F(ViewPictures, TheMainWindowCarriesTheProgramIcon) {
    // The view writes the picture it gave the title bar beside the window's; the borderless
    // splash has none.
    PICTURE(icon, "idle", "Form4-icon");
    EXPECT_EQ(icon.width, 32);
    EXPECT_EQ(icon.height, 32);
    auto light = [](Picture::Pixel p) { return p.luma() > 160; };
    int lit = icon.count(0, 0, 32, 32, light);
    EXPECT_GT(lit, 10) << "the icon's letter";
    EXPECT_LT(lit, 32 * 32 / 2) << "on a dark ground";
    EXPECT_FALSE(fs::exists(s_folder / "pictures" / "splash-startup-icon.png"));
}

TEST_F(ViewPictures, InputBoxShowsWhileOpen) {
    PICTURE(box, "prompt", "box");
    auto text = [](Picture::Pixel p) { return p.luma() < 110; };
    EXPECT_GE(box.width, 300);
    // The prompt at the top left, the two buttons at the right, the text field below.
    EXPECT_GT(box.count(0, 0, box.width / 2, box.height / 3, text), 20);
    EXPECT_GE(box.text_bands(box.width - 90, 0, 90, box.height / 2), 2);
    auto white = [](Picture::Pixel p) { return p.luma() > 240; };
    EXPECT_GT(box.count(0, box.height - 35, box.width, 35, white), box.width * 10);
}

}  // namespace

#endif  // TAVREL_HAS_VIEW
