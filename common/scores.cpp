#include "common/scores.h"

#include <utility>

#include "common/chat.h"
#include "common/pause.h"
#include "platform/forms/modal.h"
#include "platform/loop/loop.h"
#include "platform/text/text.h"

namespace {

constexpr std::string_view kSeparator = " - ";

double ScoreAt(const forms::ListBox& list, int index) {
    return ParseScoreEntry(list.List(index)).score;
}

void ExchangeEntries(forms::ListBox& list, int a, int b) {
    std::string held = list.List(a);
    list.SetList(a, list.List(b));
    list.SetList(b, held);
}

}  // namespace

ScoreEntry ParseScoreEntry(std::string_view entry) {
    // The score is written by Decimal and never holds " - ", so the last one is the separator
    // whatever the name holds.
    auto separator = entry.rfind(kSeparator);
    if (separator != std::string_view::npos) {
        return {std::string(entry.substr(0, separator)),
                text::Val(entry.substr(separator + kSeparator.size()))};
    }
    auto hyphen = entry.find('-');
    if (hyphen == std::string_view::npos) return {std::string(entry), 0};
    int p = static_cast<int>(hyphen) + 1;
    return {text::Left(entry, p - 2), text::Val(text::Mid(entry, p + 2))};
}

std::string FormatScoreEntry(std::string_view name, double score) {
    std::string entry(name);
    entry += kSeparator;
    entry += text::Decimal(score);
    return entry;
}

int AddScore(forms::ListBox& list, const std::string& name, double points) {
    double total = points;
    int n = list.ListCount();
    for (int i = 0; i < n; ++i) {
        ScoreEntry entry = ParseScoreEntry(list.List(i));
        if (text::EqualsIgnoreCase(entry.name, name)) {
            total += entry.score;
            list.RemoveItem(i);
            break;
        }
    }
    list.AddItem(FormatScoreEntry(name, total));
    return list.ListCount() - 1;
}

void SortScores(forms::ListBox& list) {
    int n = list.ListCount();
    for (int i = 0; i < n; ++i)
        for (int j = 0; j < n; ++j)
            if (j != i && ScoreAt(list, j) <= ScoreAt(list, i)) ExchangeEntries(list, i, j);
}

TopScore FindTopScore(forms::ListBox& list) {
    loop::DoEvents();
    TopScore top;
    int holders = 0;
    for (int i = 0; i < list.ListCount(); ++i) {
        ScoreEntry entry = ParseScoreEntry(list.List(i));
        double score = text::RoundHalfEven(entry.score);
        if (holders == 0 || score > top.best) {
            top.best = score;
            top.names = std::move(entry.name);
            holders = 1;
        } else if (score == top.best) {
            top.names += ", ";
            top.names += entry.name;
            ++holders;
        }
    }
    top.tie = holders >= 2;
    return top;
}

std::string AnnounceWinners(forms::ListBox& list) {
    if (list.ListCount() == 0) return "";
    TopScore top = FindTopScore(list);
    std::string tail =
        " <b>]</b> <b>[</b> <b>" + text::Decimal(top.best) + "</b> points <b>]</b></font>";
    if (!top.tie) {
        SendChat("<b>[</b> tavrel <b>winner</b> is <b>]</b>");
        return "<FONT FACE=Arial><b>[</b> " + top.names + tail;
    }
    SendChat("<b>[</b> tavrel <b>winners</b> are <b>]</b>");
    return "<font face=arial><b>[</b> " + top.names + tail;
}

std::string WinnerText(forms::ListBox& list) {
    if (list.ListCount() == 0) return "";
    TopScore top = FindTopScore(list);
    std::string tail = "</b> with <b>" + text::Decimal(top.best) + "</b> points <b>]</b>";
    if (!top.tie) return " <b>" + top.names + tail;
    return "<b> " + top.names + tail;
}

void SendTopThree(forms::ListBox& list) {
    if (list.ListCount() < 3) {
        forms::MsgBox("hey genius, there should probably be 3 different scores to send.  ",
                      forms::vbOKOnly | forms::vbCritical, "tavrel");
        return;
    }
    SortScores(list);
    SendChat("<b>[</b> tavrel top three scores <b>]</b>");
    for (int i = 0; i < 3; ++i) {
        loop::DoEvents();
        Pause(1);
        SendChat("<b>[</b> tavrel <b>]</b> <b>[</b> " + list.List(i) + " <b>]</b>");
    }
}

void SendListLines(forms::ListBox& list) {
    int n = list.ListCount();
    for (int i = 0; i < n; ++i) {
        SendChat("<b>[</b> " + list.List(i) + " <b>]</b>");
        Pause(1);
    }
}
