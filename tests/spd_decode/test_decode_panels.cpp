// The panel widgets: frames at their places, every model label present, and sync copying
// exactly the changed captions and visibility.
#include <gtest/gtest.h>

#include <QGroupBox>
#include <QLabel>
#include <QWidget>

#include "decode_harness.h"
#include "spd_decode/ui/decode_panels.h"

namespace {

using L = PanelLabel;

struct PanelsFixture : ::testing::Test {
    QWidget host;
    DecodePanels panels{ &host };
    DecodeHarness h;

    PanelsFixture() { host.resize(700, 520); }
    int px(int twips) const { return DecodePanels::toPixels(twips, host.logicalDpiX()); }
};

TEST(DecodePanelsStatic, TwipsToPixels)
{
    EXPECT_EQ(DecodePanels::toPixels(0, 96), 0);
    EXPECT_EQ(DecodePanels::toPixels(15, 96), 1);
    EXPECT_EQ(DecodePanels::toPixels(6600, 96), 440);
    EXPECT_EQ(DecodePanels::toPixels(1440, 120), 120);
    EXPECT_EQ(DecodePanels::toPixels(7, 96), 0);
    EXPECT_EQ(DecodePanels::toPixels(8, 96), 1);   // rounded to the nearest pixel
}

TEST(DecodePanelsStatic, ControlCodesAreDrawnAsDots)
{
    EXPECT_EQ(DecodePanels::displayText(QStringLiteral("AB")), "AB");
    QString s = QStringLiteral("2G");
    s.append(QChar(0));
    s.append(QChar(0x1F));
    s.append(QChar(0x85));
    s.append(QChar(0xE9));
    EXPECT_EQ(DecodePanels::displayText(s), QString::fromUtf8("2G···é"));
}

TEST_F(PanelsFixture, FramesSitAtTheirPlacesOutsideTheByteGrid)
{
    const struct {
        QGroupBox* box;
        const char* name;
        const char* title;
        int left, top, width, height;
    } frames[] = {
        { panels.Frame2, "Frame2", "SPD 資訊", 6600, 600, 3135, 4680 },
        { panels.Frame3, "Frame3", "模組製造資訊", 120, 5160, 9615, 1335 },
        { panels.Frame10, "Frame10", "SPD 資訊", 6600, 600, 3135, 4680 },
        { panels.Frame11, "Frame11", "模組製造資訊", 120, 5160, 9615, 1335 },
    };
    // The byte grid frame at the top-left: its cells and headers end at 6360 x 4560 twips.
    const QRect grid(0, 0, px(6480), px(4680));
    for (const auto& f : frames) {
        ASSERT_NE(f.box, nullptr) << f.name;
        EXPECT_EQ(f.box->objectName(), f.name);
        EXPECT_EQ(f.box->title(), QString::fromUtf8(f.title));
        EXPECT_EQ(f.box->parentWidget(), &host);
        EXPECT_EQ(f.box->geometry(), QRect(px(f.left), px(f.top), px(f.width), px(f.height))) << f.name;
        EXPECT_FALSE(f.box->geometry().intersects(grid)) << f.name;
        EXPECT_TRUE(f.box->isHidden()) << "the document shows the pair that byte 2 selects";
    }
}

TEST_F(PanelsFixture, EveryModelLabelHasAWidgetInsideItsFrame)
{
    for (int i = 0; i < PanelModel::count(); ++i) {
        const auto id = static_cast<L>(i);
        const QString name = PanelModel::nameOf(id);
        if (id == L::Label99) {
            EXPECT_EQ(panels.label(name), nullptr) << "Label99 belongs to the stamp frame";
            continue;
        }
        QLabel* lbl = panels.label(name);
        ASSERT_NE(lbl, nullptr) << name.toStdString();
        EXPECT_EQ(lbl->objectName(), name);
        QWidget* frame = lbl->parentWidget();
        ASSERT_NE(frame, nullptr);
        EXPECT_TRUE(frame->rect().contains(lbl->geometry())) << name.toStdString();
        EXPECT_EQ(lbl->text(), DecodePanels::displayText(PanelModel::initialCaption(id))) << name.toStdString();
        EXPECT_EQ(lbl->textFormat(), Qt::PlainText);
    }
    EXPECT_EQ(panels.label("Label7")->text(), "Memory Type(2)");
    EXPECT_EQ(panels.label("Label137")->text(), " Serial Number(7A-7D)");
    EXPECT_EQ(panels.label("Label134")->text(), "Manufacture ID Code(94-95)");
    EXPECT_EQ(panels.label("Label59")->parentWidget(), panels.Frame3);
    EXPECT_EQ(panels.label("Label115")->parentWidget(), panels.Frame10);
    EXPECT_EQ(panels.label("Label148")->parentWidget(), panels.Frame11);
    EXPECT_EQ(panels.label("NoSuchLabel"), nullptr);
}

TEST_F(PanelsFixture, LabelsOfAFrameDoNotOverlap)
{
    for (QGroupBox* frame : { panels.Frame2, panels.Frame3, panels.Frame10, panels.Frame11 }) {
        const auto labels = frame->findChildren<QLabel*>(QString(), Qt::FindDirectChildrenOnly);
        EXPECT_GE(labels.size(), 14);
        for (int i = 0; i < labels.size(); ++i) {
            for (int j = i + 1; j < labels.size(); ++j) {
                QStringList pair{ labels[i]->objectName(), labels[j]->objectName() };
                pair.sort();
                // The DRAM maker's name is drawn over the unused right part of its ID digits.
                if (pair == QStringList{ "Label146", "Label148" }) continue;
                EXPECT_FALSE(labels[i]->geometry().intersects(labels[j]->geometry()))
                    << pair.join(' ').toStdString();
            }
        }
    }
}

TEST_F(PanelsFixture, SyncShowsTheModelCaptions)
{
    const auto image = LoadTestImage(QStringLiteral("ddr2-kingston-ddr2-800-1.bin"));
    ASSERT_TRUE(image.has_value());
    h.rec = *image;
    h.all();
    panels.sync(h.panel);
    EXPECT_TRUE(h.panel.dirty().empty());
    for (int i = 0; i < PanelModel::count(); ++i) {
        const auto id = static_cast<L>(i);
        if (QLabel* lbl = panels.label(PanelModel::nameOf(id))) {
            EXPECT_EQ(lbl->text(), DecodePanels::displayText(h.cap(id))) << PanelModel::nameOf(id).toStdString();
        }
    }
    EXPECT_EQ(panels.label("Label35")->text(), "800 MHz(PC2-6400)");
    EXPECT_EQ(panels.label("Label59")->text(), "(KINGSTON)");
    EXPECT_FALSE(panels.label("Label59")->isHidden());
    EXPECT_EQ(panels.label("Label18")->text(), QString::fromUtf8("2G-UDIMM··········"));

    // An image without a maker hides the name.
    h.rec.Spd_Value.fill(0);
    h.ddr2(64);
    panels.sync(h.panel);
    EXPECT_TRUE(panels.label("Label59")->isHidden());
    EXPECT_EQ(panels.label("Label6")->text(), "0000000000000000");
}

TEST_F(PanelsFixture, SyncTouchesOnlyChangedLabels)
{
    h.all();
    panels.sync(h.panel);
    panels.label("Label29")->setText("tampered");
    h.set(3, 0x0C);
    h.ddr2(3);
    panels.sync(h.panel);
    EXPECT_EQ(panels.label("Label30")->text(), "12");
    EXPECT_EQ(panels.label("Label29")->text(), "tampered");

    panels.syncAll(h.panel);
    EXPECT_EQ(panels.label("Label29")->text(), "Reserved");
}

TEST_F(PanelsFixture, BoundStampLabelFollowsTheSecurityValue)
{
    QLabel label99("00", &host);
    panels.bindLabel("Label99", &label99);
    EXPECT_EQ(panels.label("Label99"), &label99);
    h.set({ { 0, 0x10 }, { 93, 0x01 }, { 94, 0x02 } });
    h.ddr2(63);
    panels.sync(h.panel);
    EXPECT_EQ(label99.text(), "13");
    panels.bindLabel("Label99", nullptr);
    EXPECT_EQ(panels.label("Label99"), nullptr);
}

TEST_F(PanelsFixture, Ddr3CaptionsAfterAFullDecode)
{
    const auto image = LoadTestImage(QStringLiteral("ddr3-samsung-1600-1.bin"));
    ASSERT_TRUE(image.has_value());
    h.rec = *image;
    h.all();
    panels.sync(h.panel);
    EXPECT_EQ(panels.label("Label119")->text(), "1600 MHz(1.25ns)");
    EXPECT_EQ(panels.label("Label129")->text(), "13.125 ns (11T)");
    EXPECT_EQ(panels.label("Label115")->text(), "CRC (0-116)");
    EXPECT_EQ(panels.label("Label148")->text(), "(SAMSUNG)");
    EXPECT_EQ(panels.label("Label146")->text(), "80CE");
}

} // namespace
