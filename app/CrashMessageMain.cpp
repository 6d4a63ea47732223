// Shows the crash message for a program that has just died. Started by the crash handler as
// "nerio-crash-message <code> <address>".
#include "app/CrashMessage.h"

#include <QApplication>
#include <QMessageBox>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    const QString code = args.value(1, QStringLiteral("?"));
    const QString address = args.value(2, QStringLiteral("?"));
    QMessageBox::critical(nullptr, crashMessageTitle(), crashMessageText(code, address), QMessageBox::Ok);
    return 0;
}
