#pragma once

#include <QWidget>

class QHBoxLayout;
class QToolButton;
class SARibbonPannel;

// One page of the ribbon: its panels from left to right. Panels keep their natural width; when the
// page is narrower than they need, arrows at its ends (and the mouse wheel) scroll them.
class SARibbonCategory : public QWidget
{
    Q_OBJECT
public:
    explicit SARibbonCategory(const QString& name, QWidget* parent = nullptr);

    QString categoryName() const { return m_name; }
    SARibbonPannel* addPannel(const QString& title);
    QList<SARibbonPannel*> pannelList() const { return m_pannels; }

    // How far the panels are scrolled to the left, in pixels.
    int scrollOffset() const { return m_offset; }
    void scrollBy(int dx);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    void placeContent();

    QString m_name;
    QWidget* m_content = nullptr;
    QHBoxLayout* m_layout = nullptr;
    QToolButton* m_left = nullptr;
    QToolButton* m_right = nullptr;
    QList<SARibbonPannel*> m_pannels;
    int m_offset = 0;
};
