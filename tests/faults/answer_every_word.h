#pragma once
// A player who answers every word of the main window half a second after it is posted, for as
// long as the object lives.

#include <string>

#include "platform/chatclient/chat_client.h"
#include "platform/loop/loop.h"
#include "tests/faults/in_process_game.h"

namespace faults {

class AnswerEveryWord {
  public:
    AnswerEveryWord(harness::InProcessGame& game, const std::string& player, int& answered)
        : m_listener(Listen(game, player, answered)) {}
    ~AnswerEveryWord() { chatclient::ChatClient::instance().remove_listener(m_listener); }
    AnswerEveryWord(const AnswerEveryWord&) = delete;
    AnswerEveryWord& operator=(const AnswerEveryWord&) = delete;

  private:
    static int Listen(harness::InProcessGame& game, const std::string& player, int& answered) {
        return chatclient::ChatClient::instance().add_listener(
            [&game, player, &answered](const auto& line) {
                // The line that posts the word: its scrambled form, framed.
                const Form4& f = game.main();
                if (line.name != "host" ||
                    line.text != "<FONT FACE=Arial><b>[</b> " + f.Text2.Text() + "<b> ]</b></font>")
                    return;
                auto& loop = loop::EventLoop::instance();
                loop.post_at(loop.now() + 500'000, [&game, player, &answered] {
                    ++answered;
                    chatclient::ChatClient::instance().say(player, game.main().Text1.Text());
                });
            });
    }

    int m_listener;
};

}  // namespace faults
