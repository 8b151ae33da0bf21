#pragma once
// The widgets of the decoding panels: the SDRAM/DDR/DDR2 frames `Frame2` and `Frame3` and the
// DDR3 frames `Frame10` and `Frame11`, placed on the document window's content widget at
// their twip positions. They mirror a PanelModel; the document decides which pair is shown.
#include <QHash>
#include <QString>
#include <array>

#include "spd_decode/panel_model.h"

class QGroupBox;
class QLabel;
class QWidget;

class DecodePanels {
public:
    // Creates the four frames (hidden) with all their labels as children of `host`. The
    // value labels start with the model's initial captions.
    explicit DecodePanels(QWidget* host);

    DecodePanels(const DecodePanels&) = delete;
    DecodePanels& operator=(const DecodePanels&) = delete;

    QGroupBox* Frame2 = nullptr;    // "SPD 資訊", SDRAM/DDR/DDR2
    QGroupBox* Frame3 = nullptr;    // "模組製造資訊", SDRAM/DDR/DDR2
    QGroupBox* Frame10 = nullptr;   // "SPD 資訊", DDR3
    QGroupBox* Frame11 = nullptr;   // "模組製造資訊", DDR3

    // A caption or value label of the four frames, or a label bound with bindLabel, by its
    // name ("Label7", "Label29", "Label99"); nullptr for an unknown name.
    QLabel* label(const QString& name) const;

    // Lets sync() also drive a model label that lives elsewhere in the document (Label99 of
    // the stamp frame). The label is brought up to date at the next syncAll().
    void bindLabel(const QString& name, QLabel* label);

    // Copies the captions and visibility of the labels the model lists as changed, then
    // clears that list.
    void sync(PanelModel& model);
    // Copies every caption and visibility flag; the model's change list is left alone.
    void syncAll(const PanelModel& model);

    // How a caption is drawn: control codes (a part number may hold NUL and other unprintable
    // bytes) are shown as a middle dot so that the text keeps its length and stays readable.
    static QString displayText(const QString& caption);

    // Twips to pixels at the given logical DPI (15 twips a pixel at 96 DPI).
    static int toPixels(int twips, int dpi);

private:
    void apply(PanelLabel id, const PanelModel& model);

    QHash<QString, QLabel*> byName_;
    std::array<QLabel*, kPanelLabelCount> byId_{};
};
