#pragma once
// The burner panel of a document window: the frames "SPD 燒錄器" (Frame4), "燒錄狀態"
// (Frame7) and "燒錄次數" (Frame8) with their buttons, check boxes, socket marks and counters.
// Frame4 also hosts the document's checksum frame and its date-code frame.
#include <QWidget>
#include <array>

class QCheckBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;

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

    // Moves the panel so that its left edge stands at x pixels of the host.
    void placeAt(int x);

    // Where the document places its checksum frame (Frame9) and date-code frame (Frame5).
    QRect frame9Area() const;
    QRect frame5Area() const;
};
