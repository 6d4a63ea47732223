#pragma once

#include <QToolButton>

// A ribbon button. The large kind shows its icon above a text of up to two lines; when its action has a
// menu it draws a drop-down arrow under the text. In MenuButtonPopup mode the icon part triggers the
// action and the text part opens the menu, as split buttons of a ribbon do.
class SARibbonToolButton : public QToolButton
{
    Q_OBJECT
public:
    enum RibbonButtonType { LargeButton, SmallButton };

    explicit SARibbonToolButton(QWidget* parent = nullptr, RibbonButtonType type = LargeButton);

    RibbonButtonType buttonType() const { return m_type; }
    // The text as the button draws it: one line, or two when a break makes it narrower.
    QStringList textLines() const;
    bool hasMenu() const;
    // Where a press opens the menu in MenuButtonPopup mode (empty when the button is not split).
    QRect menuArea() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void actionEvent(QActionEvent* event) override;
    bool hitButton(const QPoint& pos) const override;

private:
    bool isSplit() const;
    int iconAreaHeight() const;
    void followAction();

    RibbonButtonType m_type;
    bool m_overMenuArea = false;
};
