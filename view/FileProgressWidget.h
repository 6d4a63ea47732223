#pragma once

#include <QProgressBar>
#include <QString>
#include <QWidget>

// Two nested bars: the overall progress in grey and, inside the grey part, the progress of the
// current step in blue. No text. Keeps repainting itself while shown.
class RadiusProgressBar : public QProgressBar
{
    Q_OBJECT
public:
    explicit RadiusProgressBar(QWidget* parent = nullptr);

    float totalValue() const { return m_totalValue; }
    float everyValue() const { return m_everyValue; }

    // Pixel widths of the grey and blue parts for a bar of the given width.
    int greyWidth(int width) const;
    int blueWidth(int greyWidth) const;

public slots:
    void setTotalValue(float value);
    void setEveryValue(float value);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    float m_totalValue = 0.0f;
    float m_everyValue = 0.0f;
};

// The strip laid over the bottom edge of the 3D view while a model file is read.
class FileProgressWidget : public QWidget
{
    Q_OBJECT
public:
    explicit FileProgressWidget(QWidget* parent = nullptr);

    RadiusProgressBar* bar() const { return m_bar; }

public slots:
    void Progressdata1(QString text, float value);
    void Progressdata0(QString text, float value);
    void ProgressShown(bool shown);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    RadiusProgressBar* m_bar = nullptr;
};
