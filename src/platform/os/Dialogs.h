#pragma once
// The seam for message boxes and file dialogs: the program installs one that shows Qt
// dialogs, tests install one that answers from a script.
#include <memory>
#include <optional>
#include <string>
#include <vector>

struct FileDialogOptions {
    std::string title;        // empty: the toolkit's default title
    std::string filter;       // "Description (*.ext)|*.ext|All files (*.*)|*.*"
    std::string defaultExt;   // "*.wav": appended to a typed name without one that does not exist
    std::string initialName;  // proposed file name, may hold a folder
};

// The icon of a message box with its own caption.
enum class MessageBoxKind { Plain, Error };

class Dialogs {
public:
    virtual ~Dialogs() = default;
    // A plain message box with an OK button.
    virtual void ShowMessage(const std::string& text) = 0;
    // A message box with its own caption, an OK button and the kind's icon. Dialogs that
    // have no captions show the text as a plain message.
    virtual void ShowMessageBox(const std::string& text, const std::string& caption, MessageBoxKind kind)
    {
        (void)caption;
        (void)kind;
        ShowMessage(text);
    }
    // A question with Yes and No buttons; true for Yes. Dialogs that cannot ask show the
    // text and answer No, so nothing is done that the user did not agree to.
    virtual bool AskYesNo(const std::string& text)
    {
        ShowMessage(text);
        return false;
    }
    // One of several choices, listed one a line, with a last choice `none` (e.g. "None of
    // these"): the index of the chosen line, or nothing for `none` or a cancelled dialog.
    // Dialogs that cannot ask show the question and answer nothing.
    virtual std::optional<std::size_t> ChooseOne(const std::string& text, const std::vector<std::string>& choices,
                                                 const std::string& none)
    {
        (void)choices;
        (void)none;
        ShowMessage(text);
        return std::nullopt;
    }
    // The chosen file, or nothing when the user cancelled.
    virtual std::optional<std::string> OpenFile(const FileDialogOptions& options) = 0;
    virtual std::optional<std::string> SaveFile(const FileDialogOptions& options) = 0;
    // The chosen folder, or nothing when the user cancelled.
    virtual std::optional<std::string> SelectFolder(const std::string& title, const std::string& initial) = 0;
};

// The installed dialogs (main thread only). Until one is installed, messages go to stderr
// and every file dialog is cancelled.
Dialogs& AppDialogs();
// Installs dialogs and returns the previous ones.
std::unique_ptr<Dialogs> SetAppDialogs(std::unique_ptr<Dialogs> dialogs);

// Appends the default extension ("*.wav" gives ".wav") when the name's last path element
// has none.
std::string WithDefaultExtension(const std::string& name, const std::string& defaultExt);

// The file a dialog's answer names: the name as the user picked or typed it when such a file
// exists, else the name with the default extension (a typed "song" for "song.mp3").
std::string ChosenFileName(const std::string& name, const std::string& defaultExt);
