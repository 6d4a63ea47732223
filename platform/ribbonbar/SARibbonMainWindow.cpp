#include "ribbonbar/SARibbonMainWindow.h"
#include "ribbonbar/SARibbonBar.h"

SARibbonMainWindow::SARibbonMainWindow(QWidget* parent, bool useRibbon) : QMainWindow(parent)
{
    if (useRibbon) {
        m_ribbon = new SARibbonBar(this);
        setMenuWidget(m_ribbon);
    }
}
