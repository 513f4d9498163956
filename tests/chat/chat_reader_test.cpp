#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/chatclient/chat_client.h"
#include "platform/chatreader/chat.h"
#include "platform/chatreader/markup.h"
#include "platform/desktop/desktop.h"
#include "platform/forms/controls.h"
#include "platform/forms/form.h"
#include "platform/loop/loop.h"

namespace {

using chatclient::ChatClient;
using chatreader::Chat;

TEST(StripTags, RemovesEachTagUpToTheNextClosingBracket) {
    struct Case {
        const char* in;
        const char* out;
    };
    for (auto [in, out] : {
             Case{"plain", "plain"},
             {"<b>[</b> word <b>]</b>", "[ word ]"},
             {"<FONT FACE=Arial>hi</font>", "hi"},
             {"< a href=\"http://x\">download</a>", "download"},
             {"a<b", "a<b"},
             {"x<b>y<z", "xy<z"},
             {"1 < 2", "1 < 2"},
             {"a>b", "a>b"},
             {"<<b>x", "x"},
             {"<>", ""},
             {"", ""},
         })
        EXPECT_EQ(chatreader::StripTags(in), out) << in;
}

struct Heard {
    std::string name;
    std::string text;
    bool operator==(const Heard&) const = default;
};

class ChatReader : public ::testing::Test {
  protected:
    void SetUp() override {
        loop::EventLoop::instance().reset({});
        desktop::Desktop::instance().reset();
        ChatClient::instance().reset(chatclient::Mode::Room, "host");
    }
    void TearDown() override {
        loop::EventLoop::instance().reset({});
        ChatClient::instance().reset(chatclient::Mode::None, "host");
    }
    static void Listen(Chat& chat, std::vector<Heard>& heard) {
        chat.ChatLine = [&heard](std::string& name, std::string& text) {
            heard.push_back({name, text});
        };
    }
    static void Say(const std::string& name, const std::string& text) {
        ChatClient::instance().say(name, text);
    }
    static void TypeInBox(const char* text) {
        desktop::HWND box = ChatClient::instance().input_box();
        desktop::SendMessageA(box, desktop::WM_SETTEXT, 0, reinterpret_cast<desktop::LPARAM>(text));
        desktop::SendMessageA(box, desktop::WM_CHAR, 13, 0);
    }
    static void Deliver() { loop::EventLoop::instance().do_events(); }
};

TEST_F(ChatReader, EchoesTheHostsOwnLineWithoutMarkupAfterThePostingCallReturns) {
    Chat chat;
    std::vector<Heard> heard;
    Listen(chat, heard);
    chat.StartReading();

    TypeInBox("<b>[</b> Word <b>]</b>");
    EXPECT_TRUE(heard.empty()) << "never inside the call that said it";
    Deliver();
    EXPECT_EQ(heard, (std::vector<Heard>{{"host", "[ Word ]"}}));
}

TEST_F(ChatReader, DeliversLinesInTheOrderSaidWithNamesAsSaid) {
    Chat chat;
    std::vector<Heard> heard;
    Listen(chat, heard);
    chat.StartReading();
    Say("Amy X", "one");
    Say("BOB", "two <i>");
    Deliver();
    EXPECT_EQ(heard, (std::vector<Heard>{{"Amy X", "one"}, {"BOB", "two "}}));
}

// The control hands over C strings, and so do the windows' own list entries and text boxes.
TEST_F(ChatReader, NamesLinesEntriesAndTypedTextsEndAtTheirFirstNul) {
    using namespace std::string_literals;
    Chat chat;
    std::vector<Heard> heard;
    Listen(chat, heard);
    chat.StartReading();
    Say("bo\0b"s, "c<b>a\0t</b>"s);
    Say("\0"s, "\0x"s);
    Deliver();
    EXPECT_EQ(heard, (std::vector<Heard>{{"bo", "ca"}, {"", ""}}));

    forms::Form form("Test");
    forms::ListBox list(form, "List1");
    list.AddItem("ca\0t"s);
    list.AddItem("dog"s);
    list.SetList(1, "d\0og"s);
    EXPECT_EQ(list.entries(), (std::vector<std::string>{"ca", "d"}));
    forms::TextBox box(form, "Text1");
    box.Text = "pe\0ar"s;
    EXPECT_EQ(box.Text(), "pe");
}

TEST_F(ChatReader, IgnoresLinesSaidWhileNotReading) {
    Chat chat;
    std::vector<Heard> heard;
    Listen(chat, heard);
    EXPECT_FALSE(chat.reading());
    Say("amy", "before");
    chat.StartReading();
    Deliver();
    Say("amy", "during");
    chat.StopReading();
    Say("amy", "after");
    Deliver();
    EXPECT_TRUE(heard.empty());
}

TEST_F(ChatReader, StopReadingDropsAWaitingLineEvenWhenReadingStartsAgain) {
    Chat chat;
    std::vector<Heard> heard;
    Listen(chat, heard);
    chat.StartReading();
    Say("amy", "waiting");
    chat.StopReading();
    chat.StartReading();
    Say("amy", "fresh");
    Deliver();
    EXPECT_EQ(heard, (std::vector<Heard>{{"amy", "fresh"}}));
}

TEST_F(ChatReader, RepeatedStartOrStopChangesNothing) {
    Chat chat;
    std::vector<Heard> heard;
    Listen(chat, heard);
    chat.StopReading();
    chat.StartReading();
    Say("amy", "kept");
    chat.StartReading();
    EXPECT_TRUE(chat.reading());
    Deliver();
    EXPECT_EQ(heard, (std::vector<Heard>{{"amy", "kept"}}));
}

TEST_F(ChatReader, ReadersHearEachLineInTheOrderTheyWereCreated) {
    Chat main_window;
    Chat other_window;
    std::vector<std::string> order;
    main_window.ChatLine = [&](std::string&, std::string& text) {
        order.push_back("main:" + text);
        text = "changed";  // a handler's changes stay its own
    };
    other_window.ChatLine = [&](std::string&, std::string& text) {
        order.push_back("other:" + text);
    };
    other_window.StartReading();
    main_window.StartReading();
    Say("amy", "a");
    Say("amy", "b");
    Deliver();
    EXPECT_EQ(order, (std::vector<std::string>{"main:a", "other:a", "main:b", "other:b"}));
}

TEST_F(ChatReader, ReadersReadIndependently) {
    Chat reading;
    Chat idle;
    std::vector<Heard> heard_reading, heard_idle;
    Listen(reading, heard_reading);
    Listen(idle, heard_idle);
    reading.StartReading();
    Say("amy", "x");
    Deliver();
    EXPECT_EQ(heard_reading.size(), 1u);
    EXPECT_TRUE(heard_idle.empty());
}

TEST_F(ChatReader, ALineWaitingForADestroyedReaderIsDropped) {
    std::vector<Heard> heard;
    auto chat = std::make_unique<Chat>();
    Listen(*chat, heard);
    chat->StartReading();
    Say("amy", "x");
    chat.reset();
    Deliver();
    EXPECT_TRUE(heard.empty());
}

TEST_F(ChatReader, AHandlerMayDestroyItsOwnReader) {
    auto chat = std::make_unique<Chat>();
    std::vector<std::string> texts;
    chat->ChatLine = [&](std::string&, std::string& text) {
        chat.reset();
        texts.push_back(text);  // the handler's captures outlive its reader
    };
    chat->StartReading();
    Say("amy", "first");
    Say("amy", "second");
    Deliver();
    EXPECT_EQ(texts, std::vector<std::string>{"first"});
}

TEST_F(ChatReader, HearsNothingWithoutARoom) {
    Chat chat;
    std::vector<Heard> heard;
    Listen(chat, heard);
    chat.StartReading();
    ChatClient::instance().close_room();
    Say("amy", "lost");
    Deliver();
    EXPECT_TRUE(heard.empty());
}

}  // namespace
