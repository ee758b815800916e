#pragma once
// The one door through which the engine reaches the user and the windows. The program installs
// its window implementation at start-up; without one the engine runs on a host that shows
// nothing and answers every question with its default, so a design computes with no window.

#include <string>

namespace zorvic {

struct CoreGeometry;

enum class MessageButtons { OK, OKCancel, YesNo, YesNoCancel };

// Answers a message box can give.
enum class MessageAnswer { OK = 1, Cancel = 2, Yes = 6, No = 7 };

class DesignHost {
public:
    virtual ~DesignHost() = default;

    // A modal message box with a fixed title; returns the button the user chose.
    virtual MessageAnswer ShowMessage(const std::string& text, MessageButtons buttons, const std::string& title);

    // Opens a document or an address with the desktop's default handler. Returns the shell's
    // answer: 2 means the file does not exist; anything above 32 means it was opened.
    virtual int ShellOpen(const std::string& fileName);

    // Lets pending window events through.
    virtual void DoEvents();

    // The over-voltage warnings re-open the input or the chip editor from inside a computation.
    virtual void EditInputPara();
    virtual void EditZorvicPara();
    virtual bool ChipEditorIsActive();
    virtual void CloseChipEditor();

    // Marks of the main window that the computation sets.
    virtual void ShowPowerWarning(bool visible);
    virtual void SetOutputLabelTags(int output, const std::string& serialTag, const std::string& zenerTag);

    // The project loader hands a custom core found in a file to the core list.
    virtual void AddToCustomList(const CoreGeometry& core);
};

// The installed host (a no-op host when none is installed).
DesignHost& Host();

// Installs a host; nullptr restores the no-op host. The caller keeps ownership.
void InstallHost(DesignHost* host);

}  // namespace zorvic
