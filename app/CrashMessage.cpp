#include "app/CrashMessage.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QLocale>
#include <QSettings>

QString crashMessageTitle()
{
    return QCoreApplication::translate("CrashMessage", "程序意外崩溃");
}

QString crashMessageText(const QString& code, const QString& address)
{
    // The values arrive on a command line; escape them so they cannot inject markup.
    return QCoreApplication::translate("CrashMessage",
                                       "<FONT size=2><div><b>对于发生的错误，表示诚挚的歉意。</b><br/></div>"
                                       "<div>错误代码：%1</div><div>错误地址：%2</div></FONT>")
        .arg(code.toHtmlEscaped(), address.toHtmlEscaped());
}

QString crashMessageTranslation(const QString& programFolder)
{
    QSettings settings(QStringLiteral("Nerio3dViewer"), QStringLiteral("NerioViewer"));
    QString code = settings.value(QStringLiteral("Application/currentLanguage")).toString();
    if (code.isEmpty() || code == QLatin1String("auto"))
        code = QLocale::system().name().left(2);
    const QString file = programFolder + QStringLiteral("/lang/nerioviewer_") + code + QStringLiteral(".qm");
    return code != QLatin1String("zh") && QFileInfo::exists(file) ? file : QString();
}
