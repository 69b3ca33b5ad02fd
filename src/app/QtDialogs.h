#pragma once
// Message boxes and file dialogs shown with Qt.
#include "platform/os/Dialogs.h"

#include <QString>

class QtDialogs final : public Dialogs {
public:
    void ShowMessage(const std::string& text) override;
    void ShowMessageBox(const std::string& text, const std::string& caption, MessageBoxKind kind) override;
    bool AskYesNo(const std::string& text) override;
    std::optional<std::size_t> ChooseOne(const std::string& text, const std::vector<std::string>& choices,
                                         const std::string& none) override;
    std::optional<std::string> OpenFile(const FileDialogOptions& options) override;
    std::optional<std::string> SaveFile(const FileDialogOptions& options) override;
    std::optional<std::string> SelectFolder(const std::string& title, const std::string& initial) override;
};

// "Wave audiofiles (*.wav)|*.wav|All files (*.*)|*.*" as a Qt name filter list.
QString QtNameFilters(const std::string& filter);
