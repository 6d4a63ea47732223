#pragma once

#include <QDockWidget>
#include <QProxyStyle>

// A dock that announces when its close button closes it.
class QCloseDockWidget : public QDockWidget
{
    Q_OBJECT
public:
    using QDockWidget::QDockWidget;

signals:
    void closed();

protected:
    void closeEvent(QCloseEvent* event) override;
};

// Menus draw their item icons at 32 x 32; everything else is the application's style.
class MenuIconStyle : public QProxyStyle
{
    Q_OBJECT
public:
    MenuIconStyle() : QProxyStyle(static_cast<QStyle*>(nullptr)) {}
    int pixelMetric(PixelMetric metric, const QStyleOption* option = nullptr,
                    const QWidget* widget = nullptr) const override;
};
