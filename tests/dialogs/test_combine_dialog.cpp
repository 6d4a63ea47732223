// The merge progress dialog: its window button and Escape ask for the cancel as its Cancel button does,
// and it stays in sight until the merge reports its end.

#include "dialogs/CombineProcessDialog.h"

#include <gtest/gtest.h>

#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include <functional>

namespace {

struct CloseWay
{
    const char* name;
    std::function<void(CombineProcessDialog&)> close;
};

const CloseWay kWays[] = {
    {"Cancel button", [](CombineProcessDialog& d) { d.cancelButton()->click(); }},
    {"window button", [](CombineProcessDialog& d) { d.close(); }},
    {"Escape", [](CombineProcessDialog& d) { QTest::keyClick(&d, Qt::Key_Escape); }},
};

} // namespace

TEST(CombineDialog, EveryWayOfClosingAsksForTheCancelOnceAndTheDialogStaysUntilTheMergeEnds)
{
    for (const CloseWay& way : kWays) {
        SCOPED_TRACE(way.name);
        CombineProcessDialog dialog;
        QSignalSpy cancels(&dialog, &CombineProcessDialog::Cancel);
        dialog.Show(true);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));

        way.close(dialog);
        EXPECT_EQ(cancels.count(), 1);
        EXPECT_TRUE(dialog.isVisible());
        EXPECT_FALSE(dialog.cancelButton()->isEnabled());

        // A second try while the merge winds down asks nothing more.
        way.close(dialog);
        EXPECT_EQ(cancels.count(), 1);
        EXPECT_TRUE(dialog.isVisible());

        // The merge's end hides it; the next merge can be cancelled again.
        dialog.Show(false);
        EXPECT_FALSE(dialog.isVisible());
        dialog.Show(true);
        EXPECT_TRUE(dialog.cancelButton()->isEnabled());
        dialog.close();
        EXPECT_EQ(cancels.count(), 2);
        EXPECT_TRUE(dialog.isVisible());
        dialog.Show(false);
    }
}
