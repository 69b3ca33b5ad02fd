#pragma once
// Dialogs that answer from a script instead of waiting for a person, and remember what
// was asked and shown. Install with ScriptedDialogs::Install(); the previous dialogs and
// error report come back when the returned guard goes.
#include "platform/os/Dialogs.h"

#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class ScriptedDialogs final : public Dialogs {
public:
    // Answers for the next file dialogs, in order; nullopt is a cancelled dialog. A dialog
    // with no answer left is cancelled.
    std::deque<std::optional<std::string>> openAnswers;
    std::deque<std::optional<std::string>> saveAnswers;
    std::deque<std::optional<std::string>> folderAnswers;
    // Answers for the next Yes/No questions; a question with no answer left is answered Yes
    // (a test that does not expect one lets the program go on as before).
    std::deque<bool> questionAnswers;
    // Answers for the next choice lists: the index chosen, nullopt for "none of these". A
    // list with no answer left gets "none of these".
    std::deque<std::optional<std::size_t>> choiceAnswers;

    // What the program showed and asked. Every message box's text is in `messages`; those
    // with their own caption are also in `boxes`.
    struct Box {
        std::string text;
        std::string caption;
        MessageBoxKind kind;
    };
    std::vector<std::string> messages;
    std::vector<Box> boxes;
    std::vector<std::string> questions;
    struct Choice {
        std::string text;
        std::vector<std::string> choices;
    };
    std::vector<Choice> choiceLists;
    std::vector<FileDialogOptions> openRequests;
    std::vector<FileDialogOptions> saveRequests;
    std::vector<std::string> folderRequests;  // the folder each folder dialog opened in

    // Runs when a dialog opens, before it answers (to look at the program at that moment).
    std::function<void()> onDialog;

    void ShowMessage(const std::string& text) override;
    void ShowMessageBox(const std::string& text, const std::string& caption, MessageBoxKind kind) override;
    bool AskYesNo(const std::string& text) override;
    std::optional<std::size_t> ChooseOne(const std::string& text, const std::vector<std::string>& choices,
                                         const std::string& none) override;
    std::optional<std::string> OpenFile(const FileDialogOptions& options) override;
    std::optional<std::string> SaveFile(const FileDialogOptions& options) override;
    std::optional<std::string> SelectFolder(const std::string& title, const std::string& initial) override;
};

// Installs scripted dialogs and an error report that shows its text through them.
class ScriptedDialogsScope {
public:
    ScriptedDialogsScope();
    ~ScriptedDialogsScope();
    ScriptedDialogsScope(const ScriptedDialogsScope&) = delete;
    ScriptedDialogsScope& operator=(const ScriptedDialogsScope&) = delete;

    ScriptedDialogs& operator*() { return *dialogs_; }
    ScriptedDialogs* operator->() { return dialogs_; }

private:
    ScriptedDialogs* dialogs_;
    std::unique_ptr<Dialogs> previous_;
};
