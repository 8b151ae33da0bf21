#pragma once
// The burner panel of a document window: the frames "SPD 燒錄器" (Frame4), "燒錄狀態"
// (Frame7) and "燒錄次數" (Frame8) with their buttons, check boxes, socket marks and counters.
// Frame4 also hosts the document's checksum frame and its date-code frame.
//
// The handlers only forward to the main window's burner operations through Main_Form and
// adjust a few of the panel's own controls; the main window's timers fill the panel from
// status and result frames.
#include <QWidget>
#include <array>
#include <optional>

class QCheckBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;
struct Burner_Panel_Settings;
struct Burner_Status_Frame;
struct Result_Poll_Outcome;

class BurnerPanel : public QObject {
    Q_OBJECT
public:
    // Creates the frames as children of host, at the right of the byte grid.
    explicit BurnerPanel(QWidget* host);

    QGroupBox* Frame4 = nullptr;
    QGroupBox* Frame12 = nullptr;
    QGroupBox* Frame6 = nullptr;
    QGroupBox* Frame7 = nullptr;
    QGroupBox* Frame8 = nullptr;

    QPushButton* Command1 = nullptr;
    QPushButton* Command2 = nullptr;
    QPushButton* Command3 = nullptr;
    QPushButton* Command4 = nullptr;
    QPushButton* Command5 = nullptr;
    QPushButton* Command6 = nullptr;
    QPushButton* Command7 = nullptr;
    QPushButton* Command8 = nullptr;
    QPushButton* Command9 = nullptr;
    QPushButton* Command10 = nullptr;
    QCheckBox* Check1 = nullptr;
    QCheckBox* Check4 = nullptr;
    std::array<QRadioButton*, 2> Option1{};

    QLabel* Label96 = nullptr;    // current serial number
    QLabel* Label149 = nullptr;   // firmware version
    QLabel* Label150 = nullptr;   // direction code of the last status
    QLabel* Label151 = nullptr;
    QLabel* Label92 = nullptr;
    QLabel* Label93 = nullptr;
    QLabel* Label94 = nullptr;    // success count
    QLabel* Label95 = nullptr;    // failure count
    std::array<QLabel*, 8> SocketName{};    // Label51..Label58
    std::array<QLabel*, 8> SocketPass{};    // Label60, Label70..Label76
    std::array<QLabel*, 8> SocketFail{};    // Label63, Label77..Label83
    std::array<QLabel*, 8> SocketSerial{};  // Label84..Label91
    std::array<QLabel*, 8> SocketImage{};   // Image3..Image10
    // Labels of the status frame that no code touches (Label61, Label62, Label64..Label69).
    std::array<QLabel*, 8> SocketSpare{};

    // Moves the panel so that its left edge stands at x pixels of the host.
    void placeAt(int x);

    // Where the document places its checksum frame (Frame9) and date-code frame (Frame5).
    QRect frame9Area() const;
    QRect frame5Area() const;

    // Value of a check box as the panel's handlers see it: 0 clear, 1 ticked, 2 grey.
    static int Check_Value(const QCheckBox* box);
    // Sets a check box to 0 or 1 (anything else counts as 1). A change runs the box's
    // handling as a click by the user would (Check1 sends "a" or "z").
    static void Set_Check_Value(QCheckBox* box, int value);

    // --- handlers ---
    void Command1_Click();    // download, then (when it was sent) the read-back comparison
    void Command2_Click();    // read the burner's image into the document
    void Command3_Click();    // compare the document with the burner's image
    void Command4_Click();    // clear the burner's image
    void Command5_Click();    // the burner reads the module into its buffer
    void Command6_Click();    // the burner copies its buffer to the module
    void Command7_Click();    // the burner compares its buffer with the module
    void Command8_Click();    // gang copy; the per-socket results come with the result poll
    void Command9_Click();    // read the module into the document
    void Command10_Click();   // reset the counts
    // Automatic serial numbers: runs on every change of Check1's value, the user's and
    // the status readers' alike.
    void Check1_Click();
    // The user toggled the keypad-lock box (a click or Space): the burner gets the state
    // the box now shows, "Y" (locked) when ticked and "y" when clear. Presses that toggle
    // nothing (another mouse button, a press dragged off the box) send nothing, and
    // neither does a status reply that sets the box.
    void Check4_Click();
    // The user chose a direction option (a click or Space on it, an arrow key, or Tab onto
    // it): acts on which element is selected then.
    void Option1_Click(int Index);
    // Sends "n" when element 0 ("由低至高") is the chosen option, "N" otherwise.
    void Option1_Act(bool lowToHighSelected);

    // Shows what one result-poll tick made of its input.
    void showResultPoll(const Result_Poll_Outcome& outcome);
    // Shows a result frame (or none) that one poll took, adding to the counts shown, or
    // clears the counts during a start-up status request. Throws Burner_Error, showing
    // nothing, when a count has to be added to and is no number.
    void Show_Result(const std::optional<Burner_Status_Frame>& frame, int statusQuery);
    // Shows the burner's settings from a long status reply and the frames that a link
    // failure hid; the lock and switch boxes follow the administrator's rights. Setting
    // Check1 runs its click handling (a switch and a new status request) with the event
    // loop running: false when the panel was closed meanwhile and nothing more was shown.
    bool Show_Status(const Burner_Status_Frame& status, bool admin);
    // The settings a read of the burner's image took from its status reply; false as above.
    bool Show_Settings(const Burner_Panel_Settings& settings);
    // No status came: the frames of the panel go.
    void Hide_Frames();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Sends the direction of the option that is checked once the current event is handled;
    // an arrow key both clicks the next option and moves the focus onto it, which is one
    // choice and sends one letter.
    void queueOption1Act();
    bool m_optionActQueued = false;
};
