// Finding the program's message boxes, reading them and answering them by a click.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

struct MessageBoxSeen {
    HWND window = nullptr;
    std::string caption;
    std::string text;
    std::vector<std::string> buttons; // as shown, without the "&" of a mnemonic
};

// The program's visible dialog windows other than its main window.
std::vector<MessageBoxSeen> MessageBoxesOf(DWORD processId);
MessageBoxSeen WaitForMessageBox(DWORD processId, int timeoutMs = 5000);
void ExpectNoMessageBox(DWORD processId);

// Clicks the button that shows this text, then waits for the box to go.
void AnswerMessageBox(const MessageBoxSeen& box, const std::string& button);
