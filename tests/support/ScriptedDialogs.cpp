#include "support/ScriptedDialogs.h"

#include "platform/os/ErrorReport.h"

namespace {
std::optional<std::string> next(std::deque<std::optional<std::string>>& answers)
{
    if (answers.empty())
        return std::nullopt;
    auto answer = answers.front();
    answers.pop_front();
    return answer;
}
}  // namespace

void ScriptedDialogs::ShowMessage(const std::string& text)
{
    messages.push_back(text);
    if (onDialog)
        onDialog();
}

void ScriptedDialogs::ShowMessageBox(const std::string& text, const std::string& caption, MessageBoxKind kind)
{
    boxes.push_back({text, caption, kind});
    ShowMessage(text);
}

bool ScriptedDialogs::AskYesNo(const std::string& text)
{
    questions.push_back(text);
    if (onDialog)
        onDialog();
    if (questionAnswers.empty())
        return true;
    const bool answer = questionAnswers.front();
    questionAnswers.pop_front();
    return answer;
}

std::optional<std::size_t> ScriptedDialogs::ChooseOne(const std::string& text, const std::vector<std::string>& choices,
                                                      const std::string& none)
{
    choiceLists.push_back({text, choices});
    choiceLists.back().choices.push_back(none);
    if (onDialog)
        onDialog();
    if (choiceAnswers.empty())
        return std::nullopt;
    const std::optional<std::size_t> answer = choiceAnswers.front();
    choiceAnswers.pop_front();
    return answer;
}

std::optional<std::string> ScriptedDialogs::OpenFile(const FileDialogOptions& options)
{
    openRequests.push_back(options);
    if (onDialog)
        onDialog();
    return next(openAnswers);
}

std::optional<std::string> ScriptedDialogs::SaveFile(const FileDialogOptions& options)
{
    saveRequests.push_back(options);
    if (onDialog)
        onDialog();
    return next(saveAnswers);
}

std::optional<std::string> ScriptedDialogs::SelectFolder(const std::string&, const std::string& initial)
{
    folderRequests.push_back(initial);
    if (onDialog)
        onDialog();
    return next(folderAnswers);
}

ScriptedDialogsScope::ScriptedDialogsScope()
{
    auto dialogs = std::make_unique<ScriptedDialogs>();
    dialogs_ = dialogs.get();
    previous_ = SetAppDialogs(std::move(dialogs));
    SetErrorReporter([](const std::string& text) { AppDialogs().ShowMessage(text); });
}

ScriptedDialogsScope::~ScriptedDialogsScope()
{
    SetErrorReporter(nullptr);
    SetAppDialogs(std::move(previous_));
}
