#include "app/CrashMessage.h"

QString crashMessageTitle()
{
    return QStringLiteral("程序意外崩溃");
}

QString crashMessageText(const QString& code, const QString& address)
{
    // The values arrive on a command line; escape them so they cannot inject markup.
    return QStringLiteral("<FONT size=2><div><b>对于发生的错误，表示诚挚的歉意。</b><br/></div>"
                          "<div>错误代码：%1</div><div>错误地址：%2</div></FONT>")
        .arg(code.toHtmlEscaped(), address.toHtmlEscaped());
}
