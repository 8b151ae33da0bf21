#include "spd_decode/ui/decode_panels.h"

#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QPalette>
#include <QWidget>

#include <algorithm>

namespace {

// One label of a frame. A caption label has fixed text; a value label (text == nullptr) takes
// its caption from the model. Positions and sizes in twips within the frame.
struct LabelPlace {
    const char* name;
    const char* text;
    int left, top, width, height;
    Qt::Alignment align = Qt::AlignLeft | Qt::AlignVCenter;
};

struct FramePlace {
    const char* name;
    const char* title;
    int left, top, width, height;
};

constexpr int kRowHeight = 240;

// Frame2: sixteen rows, captions at 120 and values at 1560.
constexpr int kF2Top = 240;
constexpr int kF2Step = 270;
constexpr int f2Row(int i) { return kF2Top + i * kF2Step; }
constexpr int kF2CaptionW = 1420;
constexpr int kF2ValueW = 1500;

const LabelPlace kFrame2Labels[] = {
    { "Label7", "Memory Type(2)", 120, f2Row(0), kF2CaptionW, kRowHeight },
    { "Label29", nullptr, 1560, f2Row(0), kF2ValueW, kRowHeight },
    { "Label8", "Number of Row(3)", 120, f2Row(1), kF2CaptionW, kRowHeight },
    { "Label30", nullptr, 1560, f2Row(1), kF2ValueW, kRowHeight },
    { "Label9", "Number of Col(4)", 120, f2Row(2), kF2CaptionW, kRowHeight },
    { "Label31", nullptr, 1560, f2Row(2), kF2ValueW, kRowHeight },
    { "Label10", "Module Banks(5)", 120, f2Row(3), kF2CaptionW, kRowHeight },
    { "Label32", nullptr, 1560, f2Row(3), kF2ValueW, kRowHeight },
    { "Label12", "Interface Level(8)", 120, f2Row(4), kF2CaptionW, kRowHeight },
    { "Label34", nullptr, 1560, f2Row(4), kF2ValueW, kRowHeight },
    { "Label13", "DRAM Clock(9)", 120, f2Row(5), kF2CaptionW, kRowHeight },
    { "Label35", nullptr, 1560, f2Row(5), kF2ValueW, kRowHeight },
    { "Label15", "DIMM Type(B)", 120, f2Row(6), kF2CaptionW, kRowHeight },
    { "Label37", nullptr, 1560, f2Row(6), kF2ValueW, kRowHeight },
    { "Label16", "Refresh Time(C)", 120, f2Row(7), kF2CaptionW, kRowHeight },
    { "Label38", nullptr, 1560, f2Row(7), kF2ValueW, kRowHeight },
    { "Label17", "Data Width(D)", 120, f2Row(8), kF2CaptionW, kRowHeight },
    { "Label39", nullptr, 1560, f2Row(8), kF2ValueW, kRowHeight },
    { "Label20", "CL Support(12)", 120, f2Row(9), kF2CaptionW, kRowHeight },
    { "Label42", nullptr, 1560, f2Row(9), kF2ValueW, kRowHeight },
    { "Label22", "Trp(1B)", 120, f2Row(10), kF2CaptionW, kRowHeight },
    { "Label44", nullptr, 1560, f2Row(10), kF2ValueW, kRowHeight },
    { "Label11", "Trrd(1C)", 120, f2Row(11), kF2CaptionW, kRowHeight },
    { "Label14", nullptr, 1560, f2Row(11), kF2ValueW, kRowHeight },
    { "Label21", "Trcd(1D)", 120, f2Row(12), kF2CaptionW, kRowHeight },
    { "Label43", nullptr, 1560, f2Row(12), kF2ValueW, kRowHeight },
    { "Label23", "Tras(1E)", 120, f2Row(13), kF2CaptionW, kRowHeight },
    { "Label45", nullptr, 1560, f2Row(13), kF2ValueW, kRowHeight },
    { "Label19", "Bank Density(1F)", 120, f2Row(14), kF2CaptionW, kRowHeight },
    { "Label41", nullptr, 1560, f2Row(14), kF2ValueW, kRowHeight },
    { "Label24", "Checksum(3F)", 120, f2Row(15), kF2CaptionW, kRowHeight },
    { "Label46", nullptr, 1560, f2Row(15), kF2ValueW, kRowHeight },
};

// Frame3: four rows of two columns; values at 1920 and 8040. The manufacturer name Label59
// stands right of the sixteen ID digits. The right-hand captions end just before their
// values; the first one starts after Label59.
constexpr int kRight = Qt::AlignRight | Qt::AlignVCenter;
const LabelPlace kFrame3Labels[] = {
    { "Label5", "JEDEC ID Code(40-47)", 120, 240, 1780, kRowHeight },
    { "Label6", nullptr, 1920, 240, 1560, kRowHeight },
    { "Label59", nullptr, 3480, 240, 3375, kRowHeight },
    { "Label40", "Location(48)", 6900, 240, 1080, kRowHeight, Qt::Alignment(kRight) },
    { "Label36", nullptr, 8040, 240, 1500, kRowHeight },
    { "Label25", "Part Number(49-5A)", 120, 480, 1780, kRowHeight },
    { "Label18", nullptr, 1920, 480, 4020, kRowHeight },
    { "Label48", "Revision(5B-5C)", 6000, 480, 1980, kRowHeight, Qt::Alignment(kRight) },
    { "Label47", nullptr, 8040, 480, 1500, kRowHeight },
    { "Label50", "Date Code(5D-5E)", 120, 720, 1780, kRowHeight },
    { "Label49", nullptr, 1920, 720, 1500, kRowHeight },
    { "Label27", "Serial Number(5F-62)", 6000, 720, 1980, kRowHeight, Qt::Alignment(kRight) },
    { "Label26", nullptr, 8040, 720, 1500, kRowHeight },
    { "Label33", "Specific Data(63-7F)", 120, 960, 1780, kRowHeight },
    { "Label28", nullptr, 1920, 960, 7620, kRowHeight },
};

// Frame10: captions at 120, values at 1560 (the bus width label is narrower).
constexpr int kF10CaptionW = 1420;
constexpr int kF10ValueW = 1500;
const LabelPlace kFrame10Labels[] = {
    { "Label100", "Module Type", 120, 240, kF10CaptionW, kRowHeight },
    { "Label116", nullptr, 1560, 240, kF10ValueW, kRowHeight },
    { "Label101", "Module Density /R", 120, 480, kF10CaptionW, kRowHeight },
    { "Label117", nullptr, 1560, 480, kF10ValueW, kRowHeight },
    { "Label102", "Module Ranks ", 120, 720, kF10CaptionW, kRowHeight },
    { "Label118", nullptr, 1560, 720, kF10ValueW, kRowHeight },
    { "Label132", "Module Bus Width", 120, 960, kF10CaptionW, kRowHeight },
    // Drawn 735 wide; widened so that "72 bit(ECC)" fits in the fixed-pitch value font.
    { "Label133", nullptr, 1560, 960, kF10ValueW, kRowHeight },
    { "Label103", "Module Speed ", 120, 1200, kF10CaptionW, kRowHeight },
    { "Label119", nullptr, 1560, 1200, kF10ValueW, kRowHeight },
    { "Label104", "Memory Type", 120, 1560, kF10CaptionW, kRowHeight },
    { "Label120", nullptr, 1560, 1560, kF10ValueW, kRowHeight },
    { "Label105", "SDRAM Density", 120, 1800, kF10CaptionW, kRowHeight },
    { "Label121", nullptr, 1560, 1800, kF10ValueW, kRowHeight },
    { "Label106", "SDRAM Banks", 120, 2040, kF10CaptionW, kRowHeight },
    { "Label122", nullptr, 1560, 2040, kF10ValueW, kRowHeight },
    { "Label107", "Number of Row", 120, 2280, kF10CaptionW, kRowHeight },
    { "Label123", nullptr, 1560, 2280, kF10ValueW, kRowHeight },
    { "Label108", "Number of Col", 120, 2520, kF10CaptionW, kRowHeight },
    { "Label124", nullptr, 1560, 2520, kF10ValueW, kRowHeight },
    { "Label109", "SDRAM Width", 120, 2760, kF10CaptionW, kRowHeight },
    { "Label125", nullptr, 1560, 2760, kF10ValueW, kRowHeight },
    { "Label110", "CL Support", 120, 3120, kF10CaptionW, kRowHeight },
    { "Label126", nullptr, 1560, 3120, kF10ValueW, kRowHeight },
    { "Label111", "Trp", 120, 3360, kF10CaptionW, kRowHeight },
    { "Label127", nullptr, 1560, 3360, kF10ValueW, kRowHeight },
    { "Label112", "Trrd", 120, 3600, kF10CaptionW, kRowHeight },
    { "Label128", nullptr, 1560, 3600, kF10ValueW, kRowHeight },
    { "Label113", "Trcd", 120, 3840, kF10CaptionW, kRowHeight },
    { "Label129", nullptr, 1560, 3840, kF10ValueW, kRowHeight },
    { "Label114", "Tras", 120, 4080, kF10CaptionW, kRowHeight },
    { "Label130", nullptr, 1560, 4080, kF10ValueW, kRowHeight },
    // The CRC caption is rewritten from byte 0, so the model drives it like a value.
    { "Label115", nullptr, 120, 4320, kF10CaptionW, kRowHeight },
    { "Label131", nullptr, 1560, 4320, kF10ValueW, kRowHeight },
};

// Frame11: two caption/value pairs a row; captions at 120 and 4680, values at 2160 and 6720.
// The manufacturer name Label148 stands over the right part of the ID digits Label146.
const LabelPlace kFrame11Labels[] = {
    { "Label135", "Manufacture Location(77)", 120, 240, 2020, kRowHeight },
    { "Label141", nullptr, 2160, 240, 2220, kRowHeight },
    { "Label136", "Manufacture Date(78-79)", 4680, 240, 2020, kRowHeight },
    { "Label142", nullptr, 6720, 240, 2775, kRowHeight },
    { "Label137", " Serial Number(7A-7D)", 120, 480, 2020, kRowHeight },
    { "Label143", nullptr, 2160, 480, 2220, kRowHeight },
    { "Label138", "Part Number(80-91)", 4680, 480, 2020, kRowHeight },
    { "Label144", nullptr, 6720, 480, 2775, kRowHeight },
    { "Label139", "Revision Code(92-93)", 360, 720, 1780, kRowHeight },
    { "Label145", nullptr, 2160, 720, 2220, kRowHeight },
    { "Label134", "Manufacture ID Code(94-95)", 4440, 720, 2260, kRowHeight },
    { "Label146", nullptr, 6720, 720, 2775, kRowHeight },
    { "Label148", nullptr, 7200, 730, 2295, kRowHeight - 15 },
    { "Label140", "Specific Data(96-AF)", 120, 960, 2020, kRowHeight },
    { "Label147", nullptr, 2160, 960, 6855, kRowHeight },
};

constexpr FramePlace kFrame2 = { "Frame2", "SPD 資訊", 6600, 600, 3135, 4680 };
constexpr FramePlace kFrame3 = { "Frame3", "模組製造資訊", 120, 5160, 9615, 1335 };
constexpr FramePlace kFrame10 = { "Frame10", "SPD 資訊", 6600, 600, 3135, 4680 };
constexpr FramePlace kFrame11 = { "Frame11", "模組製造資訊", 120, 5160, 9615, 1335 };

constexpr qreal kPanelPointSize = 8.0;
constexpr qreal kSmallestPointSize = 6.5;

// The panel font: 8 points, made smaller (down to 6.5) until every fixed caption fits its
// column, since the columns are fixed in twips while font widths differ between systems.
QFont fittedPanelFont(const QFont& base, int dpi)
{
    QFont font = base;
    for (qreal size = kPanelPointSize; size >= kSmallestPointSize; size -= 0.5) {
        font.setPointSizeF(size);
        const QFontMetrics fm(font);
        bool fits = true;
        const auto check = [&](const LabelPlace* labels, size_t n) {
            for (size_t i = 0; i < n && fits; ++i) {
                if (labels[i].text && fm.horizontalAdvance(QString::fromUtf8(labels[i].text)) > DecodePanels::toPixels(labels[i].width, dpi))
                    fits = false;
            }
        };
        check(kFrame2Labels, std::size(kFrame2Labels));
        check(kFrame3Labels, std::size(kFrame3Labels));
        check(kFrame10Labels, std::size(kFrame10Labels));
        check(kFrame11Labels, std::size(kFrame11Labels));
        if (fits) break;
    }
    return font;
}

} // namespace

int DecodePanels::toPixels(int twips, int dpi)
{
    return (twips * dpi + 720) / 1440;
}

QString DecodePanels::displayText(const QString& caption)
{
    QString s = caption;
    for (QChar& c : s) {
        const char16_t u = c.unicode();
        if (u < 0x20 || (u >= 0x7F && u <= 0x9F)) c = QChar(0x00B7);
    }
    return s;
}

DecodePanels::DecodePanels(QWidget* host)
{
    const int dpi = host->logicalDpiX() > 0 ? host->logicalDpiX() : 96;
    const auto px = [dpi](int twips) { return toPixels(twips, dpi); };

    const QFont panelFont = fittedPanelFont(host->font(), dpi);

    const PanelModel initial;

    const auto makeFrame = [&](const FramePlace& f, const LabelPlace* labels, size_t n) {
        auto* box = new QGroupBox(QString::fromUtf8(f.title), host);
        box->setObjectName(QLatin1String(f.name));
        box->setFont(panelFont);
        box->setGeometry(px(f.left), px(f.top), px(f.width), px(f.height));
        box->ensurePolished();
        // The first row stands 240 twips down, where the frame's line runs when the style
        // draws the title above it: move the rows below the title area.
        // Never so far that the last row leaves the frame.
        int lowest = 0;
        for (size_t i = 0; i < n; ++i) lowest = std::max(lowest, px(labels[i].top) + px(labels[i].height));
        const int room = std::max(0, box->height() - 2 - lowest);
        const int shift = std::min(room, std::max(0, box->contentsRect().top() - px(240)));
        for (size_t i = 0; i < n; ++i) {
            const LabelPlace& s = labels[i];
            const QString name = QLatin1String(s.name);
            auto* lbl = new QLabel(box);
            lbl->setObjectName(name);
            lbl->setTextFormat(Qt::PlainText);
            lbl->setAlignment(s.align);
            lbl->setGeometry(px(s.left), px(s.top) + shift, px(s.width), px(s.height));
            const auto id = PanelModel::idOf(name);
            if (id) {
                byId_[static_cast<size_t>(*id)] = lbl;
                if (*id != PanelLabel::Label115) {
                    // Values in dark blue, set apart from the black captions.
                    QPalette pal = lbl->palette();
                    pal.setColor(QPalette::WindowText, QColor(0x00, 0x00, 0x80));
                    lbl->setPalette(pal);
                }
                lbl->setText(displayText(initial.caption(*id)));
            } else {
                lbl->setText(QString::fromUtf8(s.text));
            }
            byName_.insert(name, lbl);
        }
        box->hide();
        return box;
    };

    Frame2 = makeFrame(kFrame2, kFrame2Labels, std::size(kFrame2Labels));
    Frame3 = makeFrame(kFrame3, kFrame3Labels, std::size(kFrame3Labels));
    Frame10 = makeFrame(kFrame10, kFrame10Labels, std::size(kFrame10Labels));
    Frame11 = makeFrame(kFrame11, kFrame11Labels, std::size(kFrame11Labels));
}

QLabel* DecodePanels::label(const QString& name) const
{
    return byName_.value(name, nullptr);
}

void DecodePanels::bindLabel(const QString& name, QLabel* label)
{
    const auto id = PanelModel::idOf(name);
    if (!id) return;
    byId_[static_cast<size_t>(*id)] = label;
    if (label) byName_.insert(name, label);
    else byName_.remove(name);
}

void DecodePanels::apply(PanelLabel id, const PanelModel& model)
{
    QLabel* lbl = byId_[static_cast<size_t>(id)];
    if (!lbl) return;
    const QString text = displayText(model.caption(id));
    if (lbl->text() != text) {
        lbl->setText(text);
        // A long value (CAS latencies, specific data) may be cut off by its column.
        lbl->setToolTip(text.trimmed().isEmpty() ? QString() : text);
    }
    const bool visible = model.isVisible(id);
    if (lbl->isHidden() == visible) lbl->setVisible(visible);
}

void DecodePanels::sync(PanelModel& model)
{
    for (PanelLabel id : model.dirty()) apply(id, model);
    model.clearDirty();
}

void DecodePanels::syncAll(const PanelModel& model)
{
    for (int i = 0; i < kPanelLabelCount; ++i) apply(static_cast<PanelLabel>(i), model);
}
