#pragma once

#include <QWidget>

class QHBoxLayout;
class SARibbonPannel;

// One page of the ribbon: its panels from left to right.
class SARibbonCategory : public QWidget
{
    Q_OBJECT
public:
    explicit SARibbonCategory(const QString& name, QWidget* parent = nullptr);

    QString categoryName() const { return m_name; }
    SARibbonPannel* addPannel(const QString& title);
    QList<SARibbonPannel*> pannelList() const { return m_pannels; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString m_name;
    QHBoxLayout* m_layout = nullptr;
    QList<SARibbonPannel*> m_pannels;
};
