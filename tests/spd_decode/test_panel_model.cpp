// The panel model: captions before the first decode, names, and the change list the widgets
// use to refresh only what moved.
#include <gtest/gtest.h>

#include <set>

#include "spd_decode/panel_model.h"

namespace {

using L = PanelLabel;

TEST(PanelModel, CaptionsBeforeTheFirstDecode)
{
    const PanelModel m;
    const struct {
        const char* name;
        const char* caption;
    } cases[] = {
        { "Label29", "Label5" }, { "Label14", "Label5" }, { "Label46", "Label5" },
        { "Label6", "Label6" }, { "Label18", "Label6" }, { "Label28", "Label6" },
        { "Label59", "Label59" }, { "Label99", "00" },
        { "Label116", "Label116" }, { "Label133", "Label133" }, { "Label131", "Label131" },
        { "Label115", "CRC (0-125)" }, { "Label146", "0000" }, { "Label148", "Label148" },
        { "Label147", "Label147" },
    };
    for (const auto& c : cases) EXPECT_EQ(m.caption(QString::fromLatin1(c.name)), QString::fromLatin1(c.caption)) << c.name;
    EXPECT_TRUE(m.isVisible(L::Label59));
}

TEST(PanelModel, NamesRoundTripAndAreUnique)
{
    std::set<QString> names;
    for (int i = 0; i < PanelModel::count(); ++i) {
        const auto id = static_cast<L>(i);
        const QString name = PanelModel::nameOf(id);
        EXPECT_TRUE(name.startsWith("Label")) << i;
        EXPECT_TRUE(names.insert(name).second) << name.toStdString();
        ASSERT_TRUE(PanelModel::idOf(name).has_value());
        EXPECT_EQ(*PanelModel::idOf(name), id);
    }
    EXPECT_FALSE(PanelModel::idOf("Label7").has_value());    // a fixed caption, not in the model
    EXPECT_FALSE(PanelModel::idOf("label29").has_value());
    EXPECT_EQ(PanelModel().caption(QStringLiteral("Nope")), QString());
    EXPECT_FALSE(PanelModel().isVisible(QStringLiteral("Nope")));
}

TEST(PanelModel, ChangeListHoldsEachChangedLabelOnce)
{
    PanelModel m;
    EXPECT_EQ(static_cast<int>(m.dirty().size()), PanelModel::count());   // never synced: all
    m.clearDirty();
    EXPECT_TRUE(m.dirty().empty());

    m.setCaption(L::Label29, QStringLiteral("Label5"));   // same text: no change
    m.setVisible(L::Label59, true);
    EXPECT_TRUE(m.dirty().empty());

    m.setCaption(L::Label35, QStringLiteral("a"));
    m.setCaption(L::Label29, QStringLiteral("b"));
    m.setCaption(L::Label35, QStringLiteral("c"));
    m.setVisible(L::Label59, false);
    ASSERT_EQ(m.dirty().size(), 3u);
    EXPECT_EQ(m.dirty()[0], L::Label35);
    EXPECT_EQ(m.dirty()[1], L::Label29);
    EXPECT_EQ(m.dirty()[2], L::Label59);
    EXPECT_EQ(m.caption(L::Label35), "c");
    EXPECT_FALSE(m.isVisible("Label59"));

    m.clearDirty();
    m.setCaption(L::Label35, QStringLiteral("d"));
    ASSERT_EQ(m.dirty().size(), 1u);
    EXPECT_EQ(m.dirty()[0], L::Label35);

    m.clearDirty();
    m.reset();
    EXPECT_EQ(static_cast<int>(m.dirty().size()), PanelModel::count());
    EXPECT_EQ(m.caption(L::Label35), "Label5");
    EXPECT_TRUE(m.isVisible(L::Label59));
}

} // namespace
