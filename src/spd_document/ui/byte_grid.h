#pragma once
// The 16 x 16 grid of hex cells (`spd_l_value` 0-255) with its column and row headers
// (`value_x` 0-31), painted by one widget. Each cell keeps its caption, colours and
// tooltip in a small model; one label widget per cell would cost far more memory and time.
#include <QString>
#include <QWidget>
#include <array>
#include <cstdint>

class ByteGrid : public QWidget {
    Q_OBJECT
public:
    // A colour that no operation has set shows the palette's button face (background)
    // or button text (foreground).
    static constexpr uint32_t kDefaultColor = 0xFFFFFFFFu;

    struct Cell {
        QString caption;
        QString tooltip;
        uint32_t back = kDefaultColor;
        uint32_t fore = kDefaultColor;
    };

    explicit ByteGrid(QWidget* parent = nullptr);

    // Cells 0-255.
    void setCaption(int index, const QString& caption);
    QString caption(int index) const { return m_cells[static_cast<size_t>(index)].caption; }
    void setTooltip(int index, const QString& tip) { m_cells[static_cast<size_t>(index)].tooltip = tip; }
    QString tooltip(int index) const { return m_cells[static_cast<size_t>(index)].tooltip; }
    void setBackColor(int index, uint32_t bgr);
    uint32_t backColor(int index) const { return m_cells[static_cast<size_t>(index)].back; }
    void setForeColor(int index, uint32_t bgr);
    uint32_t foreColor(int index) const { return m_cells[static_cast<size_t>(index)].fore; }

    // Headers 0-31 (`value_x`): 0-15 columns "00".."0F", 16-31 rows "00".."F0".
    QString headerCaption(int index) const { return m_headers[static_cast<size_t>(index)].caption; }
    void setHeaderBackColor(int index, uint32_t bgr);
    uint32_t headerBackColor(int index) const { return m_headers[static_cast<size_t>(index)].back; }

    // Geometry in pixels, for tests and hit testing.
    QRect cellRect(int index) const;
    QRect headerRect(int index) const;
    int cellAt(const QPoint& p) const;     // -1 when none
    int headerAt(const QPoint& p) const;   // -1 when none

    QSize sizeHint() const override;

signals:
    void cellClicked(int index);
    void headerClicked(int index);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    bool event(QEvent* event) override;

private:
    QRect twipsRect(int left, int top, int width, int height) const;
    std::array<Cell, 256> m_cells;
    std::array<Cell, 32> m_headers;
    int m_dpi = 96;
};
