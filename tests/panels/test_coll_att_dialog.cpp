#include "panels/CollAttDialog.h"

#include "vantor/measure/Measure.h"
#include "vantor/note/Note.h"
#include "vantor/section/Section.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <functional>
#include <map>
#include <string>

namespace {

using Attributes = std::map<std::string, std::string>;

std::string bytes(const char* utf8)
{
    return QString::fromUtf8(utf8).toLocal8Bit().toStdString();
}

struct Kind
{
    const char* name;
    std::function<osg::ref_ptr<osg::Node>()> make;
};

const Kind kKinds[] = {
    {"note", [] { return osg::ref_ptr<osg::Node>(new Vantor::Note); }},
    {"point note", [] { return osg::ref_ptr<osg::Node>(new Vantor::PointNote); }},
    {"measure", [] { return osg::ref_ptr<osg::Node>(new Vantor::Measure); }},
    {"volume measure", [] { return osg::ref_ptr<osg::Node>(new Vantor::VolumeMeasure); }},
    {"section", [] { return osg::ref_ptr<osg::Node>(new Vantor::Section); }},
};

Attributes stored(osg::Node* node)
{
    return CollaborativeAttributeDialog::annotationOf(node)->CoordinationUserData();
}

void store(osg::Node* node, const Attributes& map)
{
    CollaborativeAttributeDialog::annotationOf(node)->CoordinationUserData(map);
}

} // namespace

TEST(CollAttDialog, FormTextsAndAccessibleNames)
{
    CollaborativeAttributeDialog dialog(nullptr);
    Ui::CollAttDialog* ui = dialog.ui();
    EXPECT_EQ(dialog.objectName(), "CollAttDialog");
    EXPECT_EQ(dialog.windowTitle(), "Dialog");
    EXPECT_EQ(ui->label->text(), QString::fromUtf8("创建时间："));
    EXPECT_EQ(ui->label_2->text(), QString::fromUtf8("创建人："));
    EXPECT_EQ(ui->label_3->text(), QString::fromUtf8("查阅人："));
    EXPECT_EQ(ui->label_4->text(), QString::fromUtf8("状态："));
    ASSERT_EQ(ui->comboBox_State->count(), 3);
    EXPECT_EQ(ui->comboBox_State->itemText(0), QString::fromUtf8("未修改"));
    EXPECT_EQ(ui->comboBox_State->itemText(1), QString::fromUtf8("修改中"));
    EXPECT_EQ(ui->comboBox_State->itemText(2), QString::fromUtf8("已修改"));
    EXPECT_EQ(ui->okButton->text(), QString::fromUtf8("确定"));
    EXPECT_EQ(ui->cancelButton->text(), QString::fromUtf8("取消"));
    EXPECT_FALSE(dialog.isEditable());
    for (QWidget* w : dialog.findChildren<QWidget*>())
        EXPECT_FALSE(w->accessibleName().isEmpty()) << w->objectName().toStdString();
}

// Each kind of annotation shows its map; a missing key reads as empty, an unknown state leaves the first entry.
TEST(CollAttDialog, LoadingShowsTheAttributes)
{
    struct Case
    {
        const char* name;
        Attributes map;
        const char* time;
        const char* creater;
        const char* searcher;
        const char* state;
    };
    const Case cases[] = {
        {"all four", {{"Time", "2026-12-01 10:00"}, {"Creater", bytes("张三")}, {"Searcher", "Li"},
                      {"State", bytes("已修改")}},
         "2026-12-01 10:00", "张三", "Li", "已修改"},
        {"missing keys", {{"Creater", "Wang"}, {"Other", "x"}}, "", "Wang", "", "未修改"},
        {"unknown state", {{"State", "later"}}, "", "", "", "未修改"},
        {"empty map", {}, "", "", "", "未修改"},
    };
    for (const Kind& kind : kKinds) {
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(kind.name) + ": " + c.name);
            osg::ref_ptr<osg::Node> node = kind.make();
            store(node.get(), c.map);
            CollaborativeAttributeDialog dialog(node.get());
            EXPECT_EQ(dialog.target(), node.get());
            EXPECT_EQ(dialog.attributes(), c.map);
            EXPECT_EQ(dialog.ui()->lineEdit_Time->text(), QString::fromUtf8(c.time));
            EXPECT_EQ(dialog.ui()->lineEdit_Creater->text(), QString::fromUtf8(c.creater));
            EXPECT_EQ(dialog.ui()->lineEdit_Searcher->text(), QString::fromUtf8(c.searcher));
            EXPECT_EQ(dialog.ui()->comboBox_State->currentText(), QString::fromUtf8(c.state));
        }
    }
}

// OK and Cancel while viewing and editing, with the fields changed before the button is pressed.
TEST(CollAttDialog, OkAndCancelInViewAndEditMode)
{
    const Attributes before{{"Time", "t0"}, {"Creater", "c0"}, {"Extra", "kept"}};
    const Attributes edited{{"Time", "t1"}, {"Creater", "c0"}, {"Searcher", bytes("李四")},
                            {"State", bytes("修改中")}, {"Extra", "kept"}};
    struct Case
    {
        const char* name;
        bool editable;
        bool ok;
        Attributes expected;
        int result;
    };
    const Case cases[] = {
        {"view, OK", false, true, before, QDialog::Accepted},
        {"view, Cancel", false, false, before, QDialog::Rejected},
        {"edit, OK", true, true, edited, QDialog::Accepted},
        {"edit, Cancel", true, false, before, QDialog::Rejected},
    };
    for (const Kind& kind : kKinds) {
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(kind.name) + ": " + c.name);
            osg::ref_ptr<osg::Node> node = kind.make();
            store(node.get(), before);
            CollaborativeAttributeDialog dialog(node.get());
            dialog.setEditable(c.editable);
            EXPECT_EQ(dialog.isEditable(), c.editable);
            dialog.show();
            ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
            // Typing only reaches enabled fields; set the texts directly so view mode is tested with
            // changed fields too.
            dialog.ui()->lineEdit_Time->setText("t1");
            dialog.ui()->lineEdit_Searcher->setText(QString::fromUtf8("李四"));
            dialog.ui()->comboBox_State->setCurrentIndex(1);
            QTest::mouseClick(c.ok ? dialog.ui()->okButton : dialog.ui()->cancelButton, Qt::LeftButton);
            EXPECT_FALSE(dialog.isVisible());
            EXPECT_EQ(dialog.result(), c.result);
            EXPECT_EQ(stored(node.get()), c.expected);
            if (!c.ok) {
                // Cancel also empties the form and lets go of the annotation.
                EXPECT_EQ(dialog.target(), nullptr);
                EXPECT_TRUE(dialog.attributes().empty());
                EXPECT_TRUE(dialog.ui()->lineEdit_Time->text().isEmpty());
                EXPECT_EQ(dialog.ui()->comboBox_State->currentIndex(), 0);
            }
        }
    }
}

// Editing an annotation without attributes writes the four keys, the first state by default.
TEST(CollAttDialog, EditingAnEmptyMapWritesFourKeys)
{
    osg::ref_ptr<Vantor::Measure> measure = new Vantor::Measure;
    CollaborativeAttributeDialog dialog(measure.get());
    dialog.setEditable(true);
    dialog.ui()->lineEdit_Creater->setText("Zhao");
    dialog.ui()->okButton->click();
    const Attributes expected{{"Time", ""}, {"Creater", "Zhao"}, {"Searcher", ""}, {"State", bytes("未修改")}};
    EXPECT_EQ(measure->CoordinationUserData(), expected);
    EXPECT_EQ(dialog.attributes(), expected);
}

// No target, an object that is no annotation, or an annotation removed while the dialog is open: empty
// fields, and OK writes nowhere.
TEST(CollAttDialog, MissingOrVanishedTargetIsHarmless)
{
    {
        CollaborativeAttributeDialog dialog(nullptr);
        dialog.setEditable(true);
        dialog.ui()->okButton->click();
        EXPECT_EQ(dialog.attributes().size(), 4u);
    }
    {
        osg::ref_ptr<osg::Group> group = new osg::Group;
        CollaborativeAttributeDialog dialog(group.get());
        EXPECT_TRUE(dialog.ui()->lineEdit_Time->text().isEmpty());
        EXPECT_EQ(CollaborativeAttributeDialog::annotationOf(group.get()), nullptr);
        dialog.setEditable(true);
        dialog.ui()->okButton->click();
    }
    {
        osg::ref_ptr<Vantor::Note> note = new Vantor::Note;
        note->CoordinationUserData({{"Time", "t"}});
        CollaborativeAttributeDialog dialog(note.get());
        dialog.setEditable(true);
        note = nullptr;
        EXPECT_EQ(dialog.target(), nullptr);
        dialog.ui()->okButton->click();
        EXPECT_EQ(dialog.attributes().at("Time"), "t");
    }
}
