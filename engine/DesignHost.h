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

    // The project loader has put the custom core of a file into the custom core list (the engine
    // keeps the list); a window that shows the list refreshes it.
    virtual void AddToCustomList(const CoreGeometry& core);

    // A save or a load has set Settings.DesignFileName: the main window's caption shows it.
    virtual void DesignFileChanged();
    // A load has set Settings.ProjectName: the main window's project box shows it.
    virtual void ShowProjectName(const std::string& name);
    // Whether the schematic shows the block of output 1 to 5. Without a window: the outputs up
    // to Settings.AdditionalOutputs.
    virtual bool OutputBlockShown(int output);
    // A load shows or hides the block of output 1 to 5 as the file says.
    virtual void ShowOutputBlock(int output, bool visible);
};

// The installed host (a no-op host when none is installed).
DesignHost& Host();

// Installs a host; nullptr restores the no-op host. The caller keeps ownership.
void InstallHost(DesignHost* host);

}  // namespace zorvic
