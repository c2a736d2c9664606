#pragma once

enum class MessageKind { Warning, Stop, Information, Question, Plain };

// A modal box without owner window; returns the button pressed (IDOK, IDYES
// or IDNO).
int ShowMessage(const char* text, const char* caption, MessageKind kind);
