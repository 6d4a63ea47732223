#pragma once

// The result panel of a running area or volume measure, floating over the 3D view.

#include "vantor/measure/MeasureManager.h"

#include <QDialog>
#include <QPointer>
#include <QStringList>

#include <memory>

class QLabel;
class QToolButton;

namespace Vantor {
class CommandManager;
}

class MeasureProperty : public QDialog
{
    Q_OBJECT
public:
    explicit MeasureProperty(QWidget* parent = nullptr);
    QLabel* caption() const { return m_caption; }
    // The lines of the running result, one under the other.
    void setText(const QStringList& lines);
    QString text() const;

    void setCommandManager(std::shared_ptr<Vantor::CommandManager> manager) { m_commandManager = std::move(manager); }
    std::shared_ptr<Vantor::CommandManager> getCommandManager() const { return m_commandManager; }
    QToolButton* closeButton() const { return m_close; }

private slots:
    // Hides the panel and ends the area or volume measure it shows.
    void on_close_button_triggered();

private:
    QToolButton* m_close = nullptr;
    QLabel* m_caption = nullptr;
    QLabel* m_text = nullptr;
    std::shared_ptr<Vantor::CommandManager> m_commandManager;
};

// Copies the running area or volume measure's title and content into the result panel.
class AreaAndVolumeMeasureManagerChangedListener : public Vantor::MeasureManagerChangedListener
{
public:
    explicit AreaAndVolumeMeasureManagerChangedListener(MeasureProperty* panel) : m_panel(panel) {}
    void onMeasureChanged(Vantor::MeasureManager* manager, Vantor::Measure* measure) override;

private:
    QPointer<MeasureProperty> m_panel;
};
