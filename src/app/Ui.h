#pragma once

#include <string>

#include "../platform/Errors.h"

namespace tessera {

class DialogRAW;
struct DialogColours;

// An open or save dialog as the window designs it: title and filter are fixed, the file name is
// proposed before showing and read back after.
struct CommonDialog {
    std::string name;
    std::string DialogTitle;
    std::string Filter;                          // "Description|pattern|Description|pattern..."
    static constexpr int kFileMustExist = 4096;  // the open dialogs' flag
    int Flags = 0;
    std::string FileName;
    std::string FileTitle;
};

enum class MsgStyle {
    OkOnly = 0,
    YesNoQuestion = 36,     // vbYesNo + vbQuestion
    YesNoExclamation = 52,  // vbYesNo + vbExclamation
    OkExclamation = 48,     // vbOKOnly + vbExclamation: failures with a reason
};

enum class MsgAnswer { Ok, Yes, No };

inline constexpr const char* kAppTitle = "Tessera";

// Everything the window model asks of the person in front of it. The Qt window, the command line
// and the tests each answer these questions their own way.
class Ui {
  public:
    virtual ~Ui() = default;
    // Shows an open or save dialog; on OK fills FileName and FileTitle and returns true, on Cancel
    // returns false.
    virtual bool showOpen(CommonDialog& dialog) = 0;
    virtual bool showSave(CommonDialog& dialog) = 0;
    // A modal message box with the caption "Tessera".
    virtual MsgAnswer msgBox(const std::string& text, MsgStyle style) = 0;
    // A command failed: the window shows the reason in a message box; a report that names files
    // learns which one the failure is about.
    virtual void showFailure(const std::string& text, FileRole /*about*/) {
        msgBox(text, MsgStyle::OkExclamation);
    }
    // Shows the RAW image dialog modally; the person either presses OK (the dialog's
    // OKButton_Click runs) or closes it (nothing runs).
    virtual void showRawDialog(DialogRAW& dialog) = 0;
    // Shows the "Colours..." dialog modally with `dialog`'s values; true when the person pressed
    // OK, the values then changed to theirs.
    virtual bool showColoursDialog(DialogColours& /*dialog*/) { return false; }
    // The progress bar's width changed during a long conversion: a chance to repaint.
    virtual void progressChanged(double /*width*/) {}
};

}  // namespace tessera
