#pragma once
// The decoding panels as data: the caption of every label the decoders write, keyed by the
// label's name, the visibility flags they set, and the list of labels changed since the
// widgets were last brought up to date. The panels' widgets only mirror this model, so a
// decode can be run and checked without a window.
#include <QString>
#include <array>
#include <optional>
#include <vector>

// Every label that a decoder writes. The first group lives in the SDRAM/DDR/DDR2 frames,
// `Label99` in the document's stamp frame, the rest in the DDR3 frames.
enum class PanelLabel : int {
    // Frame2 "SPD 資訊"
    Label29, Label30, Label31, Label32, Label34, Label35, Label37, Label38, Label39,
    Label42, Label44, Label14, Label43, Label45, Label41, Label46,
    // Frame3 "模組製造資訊"
    Label6, Label59, Label36, Label18, Label47, Label49, Label26, Label28,
    // Frame5 (stamp frame): the security value
    Label99,
    // Frame10 "SPD 資訊" (DDR3)
    Label116, Label117, Label118, Label133, Label119, Label120, Label121, Label122,
    Label123, Label124, Label125, Label126, Label127, Label128, Label129, Label130,
    Label115, Label131,
    // Frame11 "模組製造資訊" (DDR3)
    Label141, Label142, Label143, Label144, Label145, Label146, Label147, Label148,
};

constexpr int kPanelLabelCount = static_cast<int>(PanelLabel::Label148) + 1;

class PanelModel {
public:
    // Starts with the captions the labels show before any byte is decoded.
    PanelModel();

    // Back to the captions shown before the first decode; every label is marked changed.
    void reset();

    const QString& caption(PanelLabel id) const { return entries_[index(id)].caption; }
    bool isVisible(PanelLabel id) const { return entries_[index(id)].visible; }

    // By the label's name ("Label116"); an unknown name gives an empty caption / false.
    const QString& caption(const QString& name) const;
    bool isVisible(const QString& name) const;
    bool has(const QString& name) const { return idOf(name).has_value(); }

    // A write that leaves the caption or flag as it was does not mark the label changed.
    void setCaption(PanelLabel id, const QString& text);
    void setVisible(PanelLabel id, bool visible);

    // Labels whose caption or visibility changed since the last clearDirty(), each once, in
    // the order of their first change.
    const std::vector<PanelLabel>& dirty() const { return dirty_; }
    void clearDirty();
    // Marks every label changed (a widget set that has never been synced needs them all).
    void markAllDirty();

    static QString nameOf(PanelLabel id);
    static std::optional<PanelLabel> idOf(const QString& name);
    // The caption a label shows before its byte is first decoded.
    static QString initialCaption(PanelLabel id);
    static constexpr int count() { return kPanelLabelCount; }

private:
    struct Entry {
        QString caption;
        bool visible = true;
        bool dirty = false;
    };
    static constexpr size_t index(PanelLabel id) { return static_cast<size_t>(id); }
    void markDirty(size_t i);

    std::array<Entry, kPanelLabelCount> entries_;
    std::vector<PanelLabel> dirty_;
};
