#pragma once

#include <QString>

#include <filesystem>
#include <functional>

class QWidget;

namespace tv {

class DbError;

// Message boxes of the program: an OK box, or a Yes/No question. Every message goes through
// here so that tests can answer them instead of a person.
enum class MsgButtons { Ok, YesNo };
enum class MsgResult { Ok, Yes, No };

MsgResult MsgBox(const QString& text, const QString& title = QString(),
                 MsgButtons buttons = MsgButtons::Ok, QWidget* parent = nullptr);

// Tells the pilot, in the window's language (Language), that `file` could not be saved; once per
// file and session (core/UnsavedFile.h). For every settings write that returned false.
void reportUnsaved(const std::filesystem::path& file, QWidget* parent = nullptr);

// `first` (what failed, the window's own sentence), a blank line, and the data file that failed
// with the reason, in the window's language (core/DataFileFault.h).
QString withDataFault(const QString& first, const DbError& error);

struct MsgRecord
{
    QString text;
    QString title;
    MsgButtons buttons;
};

// Test hook: when set, MsgBox shows nothing and returns what the hook answers.
using MsgHook = std::function<MsgResult(const MsgRecord&)>;
void setMsgBoxHook(MsgHook hook);

} // namespace tv

namespace tv {

// An input box: the prompt and an edit line with OK and Cancel. Returns the typed text, or ""
// when the box was cancelled.
QString InputBox(const QString& prompt, const QString& title = QString(),
                 QWidget* parent = nullptr);

// Test hook: when set, InputBox shows nothing and returns what the hook answers.
using InputHook = std::function<QString(const QString& prompt)>;
void setInputBoxHook(InputHook hook);

} // namespace tv
