#pragma once

#include <QMainWindow>

class SARibbonBar;

// A main window whose menu widget is a ribbon bar.
class SARibbonMainWindow : public QMainWindow
{
    Q_OBJECT
public:
    explicit SARibbonMainWindow(QWidget* parent = nullptr, bool useRibbon = true);
    SARibbonBar* ribbonBar() const { return m_ribbon; }

private:
    SARibbonBar* m_ribbon = nullptr;
};
