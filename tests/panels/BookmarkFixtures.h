#pragma once

// Saved views with a picture, and dialogs answered without showing them.

#include "common/Prompts.h"
#include "view/UserView.h"

#include <QBuffer>
#include <QDialog>
#include <QImage>
#include <QStringList>

#include <functional>
#include <string>

namespace bookmark_test {

// A saved view as the model file brings it: id, name, remark, manipulator type and a uniform picture.
inline osg::ref_ptr<Vantor::UserView> savedView(qint64 id, const QString& name, const QString& remark, int manipulator,
                                                QSize size = QSize(128, 128), QColor colour = QColor(120, 120, 120))
{
    QByteArray png;
    if (size.isValid()) {
        QImage image(size, QImage::Format_RGB32);
        image.fill(colour);
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        image.save(&buffer, "PNG");
    }
    const QString json = QStringLiteral(R"({"userview_list": [{"ViewID": %1, "ManipulatorState": {"ManipulatorType": %2},
        "ImageState": {"image_base64": "%3"}, "ViewName": "%4", "ViewRemark": "%5"}]})")
                             .arg(id)
                             .arg(manipulator)
                             .arg(QString::fromLatin1(png.toBase64()), name, remark);
    const auto views = Vantor::UserView::readList(json.toUtf8().toStdString());
    return views.empty() ? nullptr : views.front();
}

// Answers every question with `answer` and runs dialogs through `run` (rejected when unset).
struct ScriptedPrompts : Prompts
{
    QMessageBox::StandardButton answer = QMessageBox::Cancel;
    std::function<int(QDialog*)> run;
    QStringList questions; // "title|text"
    QStringList informations;
    QString saveName;
    int dialogs = 0;

    ScriptedPrompts() { Prompts::set(this); }
    ~ScriptedPrompts() override { Prompts::set(nullptr); }

    QMessageBox::StandardButton question(QWidget*, const QString& title, const QString& text,
                                         QMessageBox::StandardButtons) override
    {
        questions << title + "|" + text;
        return answer;
    }
    void information(QWidget*, const QString& title, const QString& text) override { informations << title + "|" + text; }
    QString getSaveFileName(QWidget*, const QString&, const QString&, const QString&) override { return saveName; }
    int exec(QDialog* dialog) override
    {
        ++dialogs;
        return run ? run(dialog) : int(QDialog::Rejected);
    }
};

} // namespace bookmark_test
