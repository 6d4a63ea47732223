// The structure tree's search field.

#include "panels/SearchLineEdit.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QFocusEvent>
#include <QMenu>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>

TEST(SearchField, KeepsOnlyTheFirstLineOfAnEdit)
{
    SearchLineEdit field;
    QApplication::clipboard()->setText(QStringLiteral("Bolt\nNut\nWasher"));
    field.paste();
    EXPECT_EQ(field.text(), "Bolt");

    // Whatever produced the edit, the text from the first line feed on goes.
    field.clear();
    emit static_cast<QLineEdit&>(field).textEdited(QStringLiteral("Pin\nBracket"));
    EXPECT_EQ(field.text(), "Pin");
}

TEST(SearchField, FocusSelectsAllOfANonEmptyText)
{
    SearchLineEdit field;
    QFocusEvent focusIn(QEvent::FocusIn, Qt::OtherFocusReason);
    QApplication::sendEvent(&field, &focusIn);
    EXPECT_FALSE(field.hasSelectedText());

    field.setText("Bolt");
    field.deselect();
    QApplication::sendEvent(&field, &focusIn);
    EXPECT_EQ(field.selectedText(), "Bolt");
}

TEST(SearchField, CaseSensitiveOptionStartsOffAndIsReported)
{
    SearchLineEdit field;
    QSignalSpy toggled(&field, &SearchLineEdit::caseSensitiveToggled);
    QAction* option = field.caseSensitiveAction();
    ASSERT_TRUE(option);
    EXPECT_EQ(option->text(), "Case Sensitive");
    EXPECT_TRUE(option->isCheckable());
    EXPECT_FALSE(option->isChecked());
    EXPECT_TRUE(field.optionMenu()->actions().contains(option));
    option->setChecked(true);
    option->setChecked(false);
    ASSERT_EQ(toggled.size(), 2);
    EXPECT_TRUE(toggled.at(0).at(0).toBool());
    EXPECT_FALSE(toggled.at(1).at(0).toBool());
    EXPECT_FALSE(field.accessibleName().isEmpty());
    EXPECT_FALSE(field.optionButton()->accessibleName().isEmpty());
}

TEST(SearchField, PlaceholderOnlyWhileEmptyAndUnfocused)
{
    QWidget window;
    auto* field = new SearchLineEdit(&window);
    auto* other = new QLineEdit(&window);
    other->move(0, 40);
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    EXPECT_EQ(field->placeholder(), "<type text>");
    EXPECT_TRUE(field->placeholderText().isEmpty()) << "drawn by the field itself, not by QLineEdit";

    other->setFocus();
    ASSERT_TRUE(QTest::qWaitFor([&] { return other->hasFocus(); }));
    EXPECT_TRUE(field->placeholderShown());
    field->setFocus();
    ASSERT_TRUE(QTest::qWaitFor([&] { return field->hasFocus(); }));
    EXPECT_FALSE(field->placeholderShown());
    other->setFocus();
    ASSERT_TRUE(QTest::qWaitFor([&] { return other->hasFocus(); }));
    field->setText("Bolt");
    EXPECT_FALSE(field->placeholderShown());

    // What is drawn follows: the empty, unfocused field shows grey text on its left.
    field->clear();
    const QImage withPlaceholder = field->grab().toImage();
    field->setText(" ");
    const QImage blank = field->grab().toImage();
    EXPECT_NE(withPlaceholder, blank);
}

TEST(SearchField, ButtonIsCentredOnlyInAFieldTallEnough)
{
    SearchLineEdit field;
    const int icon = field.optionButton()->iconSize().height();
    field.resize(200, icon + 14);
    QApplication::sendPostedEvents();
    QResizeEvent tall(QSize(200, icon + 14), QSize(200, 10));
    QApplication::sendEvent(&field, &tall);
    EXPECT_EQ(field.optionButton()->y(), (14 / 2) - 1);

    field.optionButton()->move(field.optionButton()->x(), 3);
    field.resize(200, icon + 3);
    QResizeEvent low(QSize(200, icon + 3), QSize(200, icon + 14));
    QApplication::sendEvent(&field, &low);
    EXPECT_EQ(field.optionButton()->y(), 3) << "too low: the button stays";
}
