#pragma once

#include <QLineEdit>

class QAction;
class QMenu;
class QToolButton;

// The structure tree's search field: a magnifier button on the left opens an option menu with a
// "Case Sensitive" switch; a pasted second line is cut off; focusing the field selects its text; a
// grey placeholder shows while the field is empty and unfocused.
class SearchLineEdit : public QLineEdit
{
    Q_OBJECT
public:
    explicit SearchLineEdit(QWidget* parent = nullptr);
    ~SearchLineEdit() override;

    QToolButton* optionButton() const { return m_button; }
    QMenu* optionMenu() const { return m_menu; }
    QAction* caseSensitiveAction() const { return m_caseSensitive; }
    const QString& placeholder() const { return m_placeholder; }
    // Whether the placeholder is drawn now: the field is empty and unfocused.
    bool placeholderShown() const;

signals:
    void caseSensitiveToggled(bool on);
    // Declared for hosts of the field; the field has no whole-word option.
    void wholeWordsToggled(bool on);

private slots:
    void textEdited(const QString& text);
    void showOptionMenuTriggered();

protected:
    void focusInEvent(QFocusEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    QToolButton* m_button = nullptr;
    QMenu* m_menu = nullptr;
    QAction* m_caseSensitive = nullptr;
    QString m_placeholder;
};
