#pragma once
// The bill of materials window: the list of the design's parts in a text box, filled when the
// window loads, and a command that prints the same list.

#include <QDialog>
#include <string>

class QLabel;
class QPlainTextEdit;
class QPushButton;
class PrintedText;

class fmBOM : public QDialog {
    Q_OBJECT

public:
    explicit fmBOM(QWidget* parent = nullptr);
    ~fmBOM() override;

    // What the main window's "BOM" button does: shows the window modal until the user closes it.
    static void ShowBOM(QWidget* parent = nullptr);

    // PrintMode := False and the list into the text box.
    void Form_Load();
    // Writes the whole list through AddBOMLine.
    void BuildBOM();
    // One line to the text box, or to the printer in print mode.
    void AddBOMLine(const std::string& line);
    // Prints the list on the current printer, without a dialog; the text box is not changed.
    // False when the print could not be made.
    bool cmdPrint_Click();

    // The fewest list lines the window opens with, where the screen has room for them.
    static constexpr int ShownLinesLeast = 20;

    bool PrintMode = false;

    QPlainTextEdit* txtBOMList;
    QPushButton* cmdPrint;
    QLabel* Picture1;

private:
    void FitToList();

    QString text_;                  // what the text box holds
    PrintedText* printed_ = nullptr;  // the print job while PrintMode is set
};
