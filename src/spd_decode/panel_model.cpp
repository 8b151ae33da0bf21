#include "spd_decode/panel_model.h"

#include <QHash>

namespace {
// Names in the order of PanelLabel.
constexpr const char* kNames[] = {
    "Label29", "Label30", "Label31", "Label32", "Label34", "Label35", "Label37", "Label38", "Label39",
    "Label42", "Label44", "Label14", "Label43", "Label45", "Label41", "Label46",
    "Label6", "Label59", "Label36", "Label18", "Label47", "Label49", "Label26", "Label28",
    "Label99",
    "Label116", "Label117", "Label118", "Label133", "Label119", "Label120", "Label121", "Label122",
    "Label123", "Label124", "Label125", "Label126", "Label127", "Label128", "Label129", "Label130",
    "Label115", "Label131",
    "Label141", "Label142", "Label143", "Label144", "Label145", "Label146", "Label147", "Label148",
};
static_assert(sizeof(kNames) / sizeof(kNames[0]) == kPanelLabelCount, "one name per label");

const QHash<QString, PanelLabel>& nameIndex()
{
    static const QHash<QString, PanelLabel> index = [] {
        QHash<QString, PanelLabel> h;
        for (int i = 0; i < kPanelLabelCount; ++i)
            h.insert(QLatin1String(kNames[i]), static_cast<PanelLabel>(i));
        return h;
    }();
    return index;
}

const QString& emptyText()
{
    static const QString empty;
    return empty;
}
} // namespace

PanelModel::PanelModel()
{
    dirty_.reserve(kPanelLabelCount);
    reset();
}

QString PanelModel::nameOf(PanelLabel id)
{
    const int i = static_cast<int>(id);
    if (i < 0 || i >= kPanelLabelCount) return QString();
    return QLatin1String(kNames[i]);
}

std::optional<PanelLabel> PanelModel::idOf(const QString& name)
{
    const auto& index = nameIndex();
    const auto it = index.constFind(name);
    if (it == index.constEnd()) return std::nullopt;
    return it.value();
}

QString PanelModel::initialCaption(PanelLabel id)
{
    // The SDRAM/DDR/DDR2 value labels were all drawn as copies of one label and show its
    // name until their bytes are decoded: "Label5" in the upper frame, "Label6" in the lower.
    if (id <= PanelLabel::Label46) return QStringLiteral("Label5");
    if (id == PanelLabel::Label59) return QStringLiteral("Label59");
    if (id <= PanelLabel::Label28) return QStringLiteral("Label6");
    if (id == PanelLabel::Label99) return QStringLiteral("00");
    if (id == PanelLabel::Label115) return QStringLiteral("CRC (0-125)");
    if (id == PanelLabel::Label146) return QStringLiteral("0000");
    return nameOf(id);
}

void PanelModel::reset()
{
    for (int i = 0; i < kPanelLabelCount; ++i) {
        Entry& e = entries_[static_cast<size_t>(i)];
        e.caption = initialCaption(static_cast<PanelLabel>(i));
        e.visible = true;
    }
    markAllDirty();
}

const QString& PanelModel::caption(const QString& name) const
{
    const auto id = idOf(name);
    return id ? caption(*id) : emptyText();
}

bool PanelModel::isVisible(const QString& name) const
{
    const auto id = idOf(name);
    return id ? isVisible(*id) : false;
}

void PanelModel::markDirty(size_t i)
{
    Entry& e = entries_[i];
    if (e.dirty) return;
    e.dirty = true;
    dirty_.push_back(static_cast<PanelLabel>(i));
}

void PanelModel::setCaption(PanelLabel id, const QString& text)
{
    const size_t i = index(id);
    Entry& e = entries_[i];
    if (e.caption == text) return;
    e.caption = text;
    markDirty(i);
}

void PanelModel::setVisible(PanelLabel id, bool visible)
{
    const size_t i = index(id);
    Entry& e = entries_[i];
    if (e.visible == visible) return;
    e.visible = visible;
    markDirty(i);
}

void PanelModel::clearDirty()
{
    for (PanelLabel id : dirty_) entries_[index(id)].dirty = false;
    dirty_.clear();
}

void PanelModel::markAllDirty()
{
    for (int i = 0; i < kPanelLabelCount; ++i) markDirty(static_cast<size_t>(i));
}
