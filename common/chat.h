#pragma once
// Posting into the chat room through the chat client's windows, and pacing the postings.

#include <string>

#include "platform/desktop/desktop.h"

// The chat room window of the client, or 0 when no room is open.
desktop::HWND FindChatWindow();
// Posts one line into the room: sets it into the room's input box and types Enter, once more
// when the box still holds the line. Nothing is posted, and nothing reported, without a room.
void SendChat(const std::string& text);
void PressEnter(desktop::HWND window);
std::string ReadWindowText(desktop::HWND window);
// The part before the first NUL without blanks at its ends; a text without NUL as it is.
std::string TrimNull(const std::string& text);
