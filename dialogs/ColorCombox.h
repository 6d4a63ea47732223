#pragma once

#include <QColor>
#include <QIcon>
#include <QToolButton>

// A wide button showing its colour as a swatch; a click opens the colour dialog. The settings dialog
// sets the colour from its stored value and reads it back at OK.
class ColorCombox : public QToolButton
{
    Q_OBJECT
public:
    explicit ColorCombox(QWidget* parent = nullptr);

    // Makes the colour current and shows it as the swatch.
    void setColor(const QColor& color);
    // Invalid until a colour is set.
    QColor color() const { return m_color; }

    // A 250 x 20 picture: transparent, with the colour from x 5 and y 1 on.
    static QPixmap colorPixmap(const QColor& color);

signals:
    void sigColorChanged(QColor color);

public slots:
    // Opens the colour dialog (from black); a cancelled dialog keeps the current colour.
    void OnShowColorBoard();
    // Takes the colour held in the data of the sending action of the button's menu.
    void OnColorChanged();

private:
    QColor m_color;
};
