// Shows the crash message for a program that has just died. Started by the crash handler as
// "nerio-crash-message <code> <address>".
#include "app/CrashMessage.h"

#include <QApplication>
#include <QMessageBox>
#include <QTranslator>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    // The program's language; under Chinese, Qt's own Chinese for the button as the program has it.
    const QString folder = QCoreApplication::applicationDirPath();
    const QString translation = crashMessageTranslation(folder);
    QTranslator translator;
    if (translation.isEmpty() ? translator.load(folder + QStringLiteral("/qt_zh_CN.qm")) : translator.load(translation))
        QCoreApplication::installTranslator(&translator);
    const QStringList args = QCoreApplication::arguments();
    const QString code = args.value(1, QStringLiteral("?"));
    const QString address = args.value(2, QStringLiteral("?"));
    QMessageBox::critical(nullptr, crashMessageTitle(), crashMessageText(code, address), QMessageBox::Ok);
    return 0;
}
